#pragma once

#include "state/SurveyError.h"
#include "state/SurveyState.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <functional>

// The one line that a run leaves behind: the answers of the survey state joined, without
// separators, into 804 characters of fixed positions. Analysts' tools read the fields by position.
namespace SurveyRecord {

inline constexpr int Length = 804;
inline constexpr int PlaceWidth = SurveyState::PlaceWidth;

enum class Content {
    Name,       // one place, cleaned as a name
    NamePlaces, // places of names, each cleaned as a name
    Answer,     // an answer text that its screen built to the width of the field
    Seconds,    // a number place
};

struct Field
{
    const char* name; // the field of the survey state
    int position;     // first character, counted from 1
    int width;
    Content content;
    QString SurveyState::*text = nullptr;  // Name, NamePlaces, Answer
    qint32 SurveyState::*number = nullptr; // Seconds
};

// The record from left to right. ExtraAnswer stands after the two teacher fields although its
// screen comes before them.
inline constexpr std::array<Field, 12> Layout{{
    {"Surname", 1, 12, Content::Name, &SurveyState::Surname},
    {"GenderCode", 13, 12, Content::Answer, &SurveyState::GenderCode},
    {"GradesAnswer", 25, 120, Content::Answer, &SurveyState::GradesAnswer},
    {"HomeworkAnswer", 145, 120, Content::Answer, &SurveyState::HomeworkAnswer},
    {"DistractionAnswer", 265, 120, Content::Answer, &SurveyState::DistractionAnswer},
    {"InterestAnswer", 385, 120, Content::Answer, &SurveyState::InterestAnswer},
    {"FavouriteTeachersAnswer", 505, 36, Content::Answer, &SurveyState::FavouriteTeachersAnswer},
    {"DemandingTeachersAnswer", 541, 36, Content::Answer, &SurveyState::DemandingTeachersAnswer},
    {"ExtraAnswer", 577, 60, Content::Answer, &SurveyState::ExtraAnswer},
    {"ClassmateChoiceAnswer", 637, 144, Content::NamePlaces, &SurveyState::ClassmateChoiceAnswer},
    {"GradesSeconds", 781, 12, Content::Seconds, nullptr, &SurveyState::GradesSeconds},
    {"DemandingTeachersSeconds", 793, 12, Content::Seconds, nullptr,
     &SurveyState::DemandingTeachersSeconds},
}};

// A seconds value of this or more is not believable: the shell says so and asks to terminate,
// but the record is still written in full.
inline constexpr qint32 UnrealSeconds = 1000;

// The record could not be built; nothing was written. Raised only when a screen wrote an answer
// of the wrong width, or a character that does not belong in an answer.
class RecordError : public SurveyError
{
public:
    using SurveyError::SurveyError;
};

// The value in decimal digits (a leading minus when negative) and blanks up to 12 characters.
QString numberPlace(qint32 value);

// Blanks appended up to 12 characters, then cut to 12; a surrogate pair counts as one
// character. This is how the finish screen's entry box becomes the Surname.
QString fitToPlace(const QString& text);

// A name as it can stand in a place: every character that Windows-1251 has no byte for becomes
// "?" (a surrogate pair is one character), every control character a blank; then fitted to 12.
QString cleanName(const QString& name);

// The 804 characters of the record. reportUnrealValue is called once for each seconds value of
// 1000 or more (the place still holds the number). Throws RecordError when the answers do not
// give a record of 804 characters, all of them in Windows-1251 and none a control character.
QString build(const SurveyState& state, const std::function<void()>& reportUnrealValue);

} // namespace SurveyRecord
