#pragma once

#include "state/Clock.h"

#include <QDateTime>

// A clock that stands still until the test moves it. advance() moves the date-time and the
// steady time together, as real time passing would; setWallClock() moves the date-time alone,
// as a time-server correction or a daylight-saving switch would.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(const QDateTime& start = QDateTime(QDate(2017, 3, 14), QTime(9, 58, 5)));

    double now() const override { return m_now; }
    qint64 steadyMs() const override { return m_steadyMs; }

    void advanceMs(qint64 ms);
    void advanceSeconds(double seconds);
    void setWallClock(const QDateTime& local);

private:
    double m_now;
    qint64 m_steadyMs = 1'000'000;
};
