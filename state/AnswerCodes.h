#pragma once

#include <QString>
#include <span>

// The values that the answers of the record can hold, one table per kind of question. The
// screens build their buttons from these tables, and the readers of statistics files check the
// places against them, so the two cannot disagree.
//
// A code is the value text at the start of its 12-character place, as the screen stores it: some
// codes carry blanks of their own ("2  " of the grades, "0 " of the minutes), and the place pads
// the rest. Readers compare the place with its trailing blanks taken off.
namespace AnswerCodes {

struct Code
{
    const char* code;      // what the answer stores
    const char* caption;   // on the button
    const char* shown;     // in the row's value label once the button is pressed
    const char* meaningRu; // for the record dictionary
    const char* meaningEn;
};

enum class Question {
    Grades,      // quarter grade with its plus and minus steps
    Homework,    // minutes of homework per subject
    Distraction, // minutes distracted in a lesson
    Interest,    // interest in a subject, 0 to 9
    Extra,       // interest in an additional area, 0 to 9
    Gender,
};

struct Scale
{
    Question question;
    std::span<const Code> codes; // left to right on the screen
    // What a subject the class does not have stores and shows; nullptr where every place is
    // answered (the additional areas, the gender).
    const char* notTaughtCode;
    const char* notTaughtShown;
};

const Scale& scale(Question question);

// The code with its trailing blanks taken off, the form in which readers meet it: "2", "2.3",
// "0", "90".
QString trimmedCode(const Code& code);

// Whether a place's value, its trailing blanks taken off, is one of the scale's codes (the "not
// taught" code included when includeNotTaught).
bool isValid(const Scale& scale, const QString& trimmedValue, bool includeNotTaught);

// The five additional areas, in the order of their places in ExtraAnswer.
struct Area
{
    const char* key;     // ASCII, for column names: "economics"
    const char* caption; // the row heading of the additional areas screen
    const char* english;
};
std::span<const Area> extraAreas();

// The four classmate questions, in the order of their places in ClassmateChoiceAnswer: three
// places each, a name or blanks.
struct ClassmateQuestion
{
    const char* key;      // ASCII, for column names: "desk_mate"
    const char* question; // as the classmate screen asks it, on one line
    const char* nobody;   // the caption of its "nobody" button; it stores blanks, not this
    const char* english;
};
std::span<const ClassmateQuestion> classmateQuestions();
inline constexpr int ChoicesPerQuestion = 3;

// The teacher screens store the subject's number (SubjectCatalogue) as decimal digits; a class
// can only mark the subjects it has.
inline constexpr int FirstTeacherCode = 1;
inline constexpr int LastTeacherCode = 10;

} // namespace AnswerCodes
