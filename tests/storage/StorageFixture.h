#pragma once

#include "state/SurveyState.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

// A respondent of class 7, stream Б, with plain answers, and the bytes that those answers take
// in the record after the surname: written out here from the values, not by the record builder.
namespace StorageFixture {

struct AnswerRow
{
    QString SurveyState::*field;
    QByteArrayList places;
};

inline const QList<AnswerRow>& answerRows()
{
    static const QList<AnswerRow> rows{
        {&SurveyState::GenderCode, {"1"}},
        {&SurveyState::GradesAnswer, {"5", "4", "0", "3", "5", "4", "5", "4", "3", "5"}},
        {&SurveyState::HomeworkAnswer, {"30", "20", "0", "15", "10", "45", "60", "25", "5", "90"}},
        {&SurveyState::DistractionAnswer, {"1", "2", "0", "3", "4", "5", "6", "7", "8", "9"}},
        {&SurveyState::InterestAnswer, {"9", "8", "0", "7", "6", "5", "4", "3", "2", "1"}},
        {&SurveyState::FavouriteTeachersAnswer, {"1", "4", "10"}},
        {&SurveyState::DemandingTeachersAnswer, {"2", "8", "9"}},
        {&SurveyState::ExtraAnswer, {"0", "3", "6", "9", "5"}},
    };
    return rows;
}

inline constexpr qint32 GradesSeconds = 125;
inline constexpr qint32 DemandingTeachersSeconds = 300;

inline QByteArray placeBytes(const QByteArray& value)
{
    return value + QByteArray(12 - value.size(), ' ');
}

inline SurveyState respondent(const QString& classNumber = QStringLiteral("7"),
                              const QString& classStream = QStringLiteral("Б"))
{
    SurveyState state;
    state.ClassNumber = classNumber;
    state.ClassStream = classStream;
    for (const AnswerRow& row : answerRows()) {
        QString text;
        for (const QByteArray& value : row.places)
            text += QString::fromLatin1(placeBytes(value));
        state.*row.field = text;
    }
    state.GradesSeconds = GradesSeconds;
    state.DemandingTeachersSeconds = DemandingTeachersSeconds;
    return state;
}

// Positions 13 to 804 of the respondent's record.
inline QByteArray recordTail()
{
    QByteArray tail;
    for (const AnswerRow& row : answerRows()) {
        for (const QByteArray& value : row.places)
            tail += placeBytes(value);
    }
    tail += QByteArray(144, ' ');
    tail += placeBytes("125");
    tail += placeBytes("300");
    return tail;
}

} // namespace StorageFixture
