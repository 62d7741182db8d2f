#include "state/Clock.h"

#include <chrono>
#include <cmath>

double SystemClock::now() const
{
    return DateTime::fromQDateTime(QDateTime::currentDateTime());
}

qint64 SystemClock::steadyMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

namespace DateTime {

static qint64 epochJulianDay()
{
    return QDate(1899, 12, 30).toJulianDay();
}

qint64 toMs(double dateTime)
{
    return std::llround(dateTime * static_cast<double>(MsPerDay));
}

double fromMs(qint64 ms)
{
    return static_cast<double>(ms) / static_cast<double>(MsPerDay);
}

double fromQDateTime(const QDateTime& local)
{
    const qint64 days = local.date().toJulianDay() - epochJulianDay();
    return fromMs(days * MsPerDay + local.time().msecsSinceStartOfDay());
}

QDateTime toQDateTime(double dateTime)
{
    const qint64 ms = toMs(dateTime);
    const qint64 days = ms >= 0 ? ms / MsPerDay : -((-ms + MsPerDay - 1) / MsPerDay);
    const int msOfDay = static_cast<int>(ms - days * MsPerDay);
    return QDateTime(QDate::fromJulianDay(epochJulianDay() + days),
                     QTime::fromMSecsSinceStartOfDay(msOfDay));
}

int year(double dateTime)
{
    return toQDateTime(dateTime).date().year();
}

QString minutesSeconds(qint64 elapsedMs, QChar separator)
{
    const qint64 seconds = std::max<qint64>(elapsedMs, 0) / 1000;
    const auto twoDigits = [](qint64 v) {
        return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
    };
    return twoDigits(seconds / 60 % 60) + separator + twoDigits(seconds % 60);
}

int secondsOfMinute(qint64 elapsedMs)
{
    return static_cast<int>(std::max<qint64>(elapsedMs, 0) / 1000 % 60);
}

qint32 roundedSeconds(qint64 elapsedMs)
{
    qint64 whole = elapsedMs / 1000;
    qint64 rest = elapsedMs % 1000;
    if (rest < 0) {
        whole -= 1;
        rest += 1000;
    }
    if (rest > 500 || (rest == 500 && whole % 2 != 0))
        ++whole;
    return static_cast<qint32>(whole);
}

} // namespace DateTime
