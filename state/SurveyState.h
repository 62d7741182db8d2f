#pragma once

#include <QString>
#include <QtGlobal>

// Everything one run learns about the one respondent at the workstation. The screens read and
// write the fields directly; each answer text is rebuilt whole by its screen's Continue and read
// only by the record builder. One process serves one respondent: the state is never reset.
struct SurveyState
{
    static constexpr int PlaceWidth = 12;

    QString ClassNumber;        // "5" … "11", the caption of the chosen class button
    QString ClassStream;        // "А" … "Е", or empty ("Другое" leaves it as it was)
    QString GenderCode;         // "1" or "0" followed by 11 blanks
    QString RosterWorkbookName; // ClassNumber + ClassStream + ".xls", no folder
    int RosterLoaded = 0;       // 1 once the roster screen became active with its workbook

    double TestStartTime = 0;     // date-time (days, fraction = time of day) of the grades screen
    qint64 TestStartSteadyMs = 0; // the steady time taken at the same moment, for elapsed times
    qint32 GradesSeconds = 0;
    qint32 DemandingTeachersSeconds = 0;

    QString GradesAnswer;            // 120: ten places in subject order
    QString HomeworkAnswer;          // 120
    QString DistractionAnswer;       // 120
    QString InterestAnswer;          // 120
    QString ExtraAnswer;             // 60: five places
    QString FavouriteTeachersAnswer; // 36: three subject numbers
    QString DemandingTeachersAnswer; // 36
    QString ClassmateChoiceAnswer = QString(144, QLatin1Char(' '));
    QString Surname;

    // ClassNumber as the integer the class rules compare with (0 when it is not a number).
    int classAsInteger() const;
    // ClassNumber + ClassStream + ".xls", formed at the moment it is needed.
    QString formRosterWorkbookName() const;
};

// The value text followed by blanks up to 12 characters (longer texts stay as they are).
QString place(const QString& value);
