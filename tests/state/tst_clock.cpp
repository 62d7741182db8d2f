#include "state/Clock.h"
#include "support/FakeClock.h"

#include <QTest>

class TestClock : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void dateTimeCountsDaysFromTheEpoch()
    {
        QCOMPARE(DateTime::fromQDateTime(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
        QCOMPARE(DateTime::fromQDateTime(QDateTime(QDate(1900, 1, 1), QTime(18, 0))), 2.75);
        const QDateTime moment(QDate(2017, 3, 14), QTime(9, 58, 5, 250));
        QCOMPARE(DateTime::toQDateTime(DateTime::fromQDateTime(moment)), moment);
    }

    void dateTimeIsTakenToWholeRoundedMilliseconds()
    {
        // Half a millisecond past 10:00:00 rounds up; a third of one rounds down.
        const double tenOClock =
            DateTime::fromQDateTime(QDateTime(QDate(2017, 3, 14), QTime(10, 0)));
        const double halfMs = 0.5 / DateTime::MsPerDay;
        QCOMPARE(DateTime::toQDateTime(tenOClock + 1.2 * halfMs).time(), QTime(10, 0, 0, 1));
        QCOMPARE(DateTime::toQDateTime(tenOClock + 0.6 * halfMs).time(), QTime(10, 0, 0, 0));
    }

    void yearOfTheDate_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<int>("year");
        QTest::newRow("2017") << QDateTime(QDate(2017, 5, 20), QTime(12, 0)) << 2017;
        QTest::newRow("2009 new year's eve")
            << QDateTime(QDate(2009, 12, 31), QTime(23, 59, 59, 999)) << 2009;
        QTest::newRow("2010 first ms") << QDateTime(QDate(2010, 1, 1), QTime(0, 0)) << 2010;
    }
    void yearOfTheDate()
    {
        QFETCH(QDateTime, moment);
        QFETCH(int, year);
        QCOMPARE(DateTime::year(DateTime::fromQDateTime(moment)), year);
    }

    void minutesAndSecondsOfAnElapsedTime_data()
    {
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<QString>("colon");
        QTest::addColumn<QString>("fullStop");
        QTest::newRow("zero") << qint64(0) << "00:00"
                              << "00.00";
        QTest::newRow("02:15") << qint64(135'000) << "02:15"
                               << "02.15";
        QTest::newRow("03.07 with ms") << qint64(187'999) << "03:07"
                                       << "03.07";
        QTest::newRow("59:59") << qint64(3'599'000) << "59:59"
                               << "59.59";
        QTest::newRow("after an hour") << qint64(3'600'000 + 65'000) << "01:05"
                                       << "01.05";
    }
    void minutesAndSecondsOfAnElapsedTime()
    {
        QFETCH(qint64, elapsedMs);
        QFETCH(QString, colon);
        QFETCH(QString, fullStop);
        QCOMPARE(DateTime::minutesSeconds(elapsedMs), colon);
        QCOMPARE(DateTime::minutesSeconds(elapsedMs, QLatin1Char('.')), fullStop);
    }

    void secondsOfTheMinute()
    {
        QCOMPARE(DateTime::secondsOfMinute(35'000), 35);
        QCOMPARE(DateTime::secondsOfMinute(59'999), 59);
        QCOMPARE(DateTime::secondsOfMinute(60'000), 0);
        QCOMPARE(DateTime::secondsOfMinute(3'600'000 + 12'000), 12);
    }

    void roundedSecondsGoHalfToEven_data()
    {
        QTest::addColumn<qint64>("elapsedMs");
        QTest::addColumn<int>("seconds");
        QTest::newRow("95.4 s") << qint64(95'400) << 95;
        QTest::newRow("95.6 s") << qint64(95'600) << 96;
        QTest::newRow("0.5 s") << qint64(500) << 0;
        QTest::newRow("1.5 s") << qint64(1'500) << 2;
        QTest::newRow("2.5 s") << qint64(2'500) << 2;
        QTest::newRow("12 min 30.6 s") << qint64(750'600) << 751;
        QTest::newRow("-2.5 s") << qint64(-2'500) << -2;
        QTest::newRow("-1.5 s") << qint64(-1'500) << -2;
    }
    void roundedSecondsGoHalfToEven()
    {
        QFETCH(qint64, elapsedMs);
        QFETCH(int, seconds);
        QCOMPARE(DateTime::roundedSeconds(elapsedMs), seconds);
    }

    void fakeClockMovesBothTimesOrTheWallClockAlone()
    {
        FakeClock clock(QDateTime(QDate(2017, 3, 14), QTime(9, 58, 5)));
        const qint64 steadyStart = clock.steadyMs();
        clock.advanceSeconds(95.4);
        QCOMPARE(clock.steadyMs() - steadyStart, qint64(95'400));
        QCOMPARE(DateTime::toQDateTime(clock.now()),
                 QDateTime(QDate(2017, 3, 14), QTime(9, 59, 40, 400)));

        clock.setWallClock(QDateTime(QDate(2017, 3, 14), QTime(8, 0)));
        QCOMPARE(clock.steadyMs() - steadyStart, qint64(95'400));
        QCOMPARE(DateTime::toQDateTime(clock.now()).time(), QTime(8, 0));
    }

    void systemClockSteadyTimeNeverGoesBack()
    {
        SystemClock clock;
        const qint64 first = clock.steadyMs();
        QVERIFY(clock.steadyMs() >= first);
        const QDateTime wall = DateTime::toQDateTime(clock.now());
        QVERIFY(qAbs(wall.msecsTo(QDateTime::currentDateTime())) < 60'000);
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
