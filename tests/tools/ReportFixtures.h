#pragma once

#include "state/SubjectCatalogue.h"
#include "state/SurveyState.h"
#include "storage/StatisticsFile.h"
#include "support/FakeClock.h"

#include <QDate>
#include <QStringList>
#include <array>

// Statistics files for the report's tests, written by the program's own saver: one record per
// pupil, answers that differ from pupil to pupil, and the classmate choices given.
namespace ReportFixtures {

struct Pupil
{
    QString surname;
    bool girl = false;
    std::array<QStringList, 4> choices{}; // up to three names per question
    qint32 gradesSeconds = 0;             // 0: one that varies with the pupil
};

// The answers of pupil number n of a class: spread over the scales so that the charts have bars.
inline void answer(SurveyState& s, int n, const Pupil& pupil)
{
    static const char* const grades[] = {"2  ", "2.3", "2.7", "3  ", "3.3",
                                         "3.7", "4  ", "4.3", "4.7", "5  "};
    static const char* const homework[] = {"0 ", "10", "20", "30", "40", "60", "90"};
    static const char* const distraction[] = {"0 ", "5 ", "10", "20", "30", "40"};
    s.GenderCode = place(pupil.girl ? QStringLiteral("0") : QStringLiteral("1"));
    s.GradesAnswer.clear();
    s.HomeworkAnswer.clear();
    s.DistractionAnswer.clear();
    s.InterestAnswer.clear();
    QStringList taught;
    for (int subject = 1; subject <= SubjectCatalogue::SubjectCount; ++subject) {
        const bool has = SubjectCatalogue::taughtIn(subject, s.ClassNumber);
        const int k = n * 3 + subject * 5;
        s.GradesAnswer +=
            place(QString::fromLatin1(has ? grades[(k % 7) + (n + subject) % 4] : "0  "));
        s.HomeworkAnswer +=
            place(QString::fromLatin1(has ? homework[(n * 2 + subject) % 7] : "0 "));
        s.DistractionAnswer +=
            place(QString::fromLatin1(has ? distraction[(n + subject * 2) % 6] : "0 "));
        s.InterestAnswer +=
            place(has ? QString::number((n * 3 + subject) % 10) : QStringLiteral("0"));
        if (has)
            taught.append(QString::number(subject));
    }
    s.FavouriteTeachersAnswer.clear();
    s.DemandingTeachersAnswer.clear();
    for (int i = 0; i < 3; ++i) {
        s.FavouriteTeachersAnswer += place(taught[(n + i * 2) % taught.size()]);
        s.DemandingTeachersAnswer += place(taught[(n * 3 + i) % taught.size()]);
    }
    s.ExtraAnswer.clear();
    for (int area = 0; area < 5; ++area)
        s.ExtraAnswer += place(QString::number((n * (area + 2) + area) % 10));
    s.ClassmateChoiceAnswer.clear();
    for (const QStringList& question : pupil.choices)
        for (int i = 0; i < 3; ++i)
            s.ClassmateChoiceAnswer += place(i < question.size() ? question[i] : QString());
    s.GradesSeconds = pupil.gradesSeconds ? pupil.gradesSeconds : 60 + (n * 37) % 300;
    s.DemandingTeachersSeconds = s.GradesSeconds + 300 + (n * 53) % 400;
}

// Appends one record per pupil to the file of the class in folder/STAT, saved in `year`.
inline void writeClass(const QString& folder, const QString& classNumber, const QString& stream,
                       int year, const std::vector<Pupil>& pupils)
{
    const FakeClock clock(QDateTime(QDate(year, 3, 14), QTime(10, 0)));
    StatisticsFile::SaveOptions options;
    options.workingFolder = folder;
    options.reportUnrealValue = [] {};
    for (std::size_t n = 0; n < pupils.size(); ++n) {
        SurveyState s;
        s.ClassNumber = classNumber;
        s.ClassStream = stream;
        answer(s, static_cast<int>(n), pupils[n]);
        StatisticsFile::saveRecord(s, pupils[n].surname, clock, options);
    }
}

} // namespace ReportFixtures
