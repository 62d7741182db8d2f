#include "support/FakeClock.h"

#include <cmath>

FakeClock::FakeClock(const QDateTime& start) : m_now(DateTime::fromQDateTime(start)) {}

void FakeClock::advanceMs(qint64 ms)
{
    m_now = DateTime::fromMs(DateTime::toMs(m_now) + ms);
    m_steadyMs += ms;
}

void FakeClock::advanceSeconds(double seconds)
{
    advanceMs(std::llround(seconds * 1000.0));
}

void FakeClock::setWallClock(const QDateTime& local)
{
    m_now = DateTime::fromQDateTime(local);
}
