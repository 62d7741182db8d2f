#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// The one clock of the program, replaceable in tests. It gives two times:
// - the date-time: local days since 30 December 1899, the fraction being the time of day. It is
//   what TestStartTime stores and where the year of the statistics file name comes from;
// - a steady time in milliseconds that never jumps with clock corrections, from which every
//   elapsed time is measured (test time boxes, countdown bars, the seconds in the record).
class Clock
{
public:
    virtual ~Clock() = default;
    virtual double now() const = 0;
    virtual qint64 steadyMs() const = 0;
};

class SystemClock final : public Clock
{
public:
    double now() const override;
    qint64 steadyMs() const override;
};

namespace DateTime {

inline constexpr qint64 MsPerDay = 86'400'000;

// Date-times are taken to whole milliseconds, rounded, before anything is formatted or
// subtracted.
qint64 toMs(double dateTime);
double fromMs(qint64 ms);
double fromQDateTime(const QDateTime& local);
QDateTime toQDateTime(double dateTime);
int year(double dateTime);

// "nn" + separator + "ss": minutes of the hour and seconds of an elapsed time, two digits each.
// After an hour the minutes start again from "00".
QString minutesSeconds(qint64 elapsedMs, QChar separator = QLatin1Char(':'));
// The seconds within the current minute of an elapsed time, 0 … 59.
int secondsOfMinute(qint64 elapsedMs);
// Whole seconds of an elapsed time, rounded to the nearest, a half to the even neighbour.
qint32 roundedSeconds(qint64 elapsedMs);

} // namespace DateTime
