#include "widgets/SegmentedVerticalBar.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>

namespace {

// What a sampled pixel of the bar shows, by its dominant channels.
QString kindOfPixel(QColor c)
{
    if (c.red() < 90 && c.green() < 90 && c.blue() < 90)
        return QStringLiteral("unlit");
    if (c.red() > 150 && c.green() > 150 && c.blue() < 100)
        return QStringLiteral("yellow");
    if (c.red() > 150 && c.green() < 100)
        return QStringLiteral("red");
    if (c.green() > 150 && c.red() < 100)
        return QStringLiteral("green");
    return QStringLiteral("other");
}

QString kindOfColor(const QColor& c)
{
    if (c == SegmentedVerticalBar::lowColor())
        return QStringLiteral("red");
    if (c == SegmentedVerticalBar::middleColor())
        return QStringLiteral("yellow");
    if (c == SegmentedVerticalBar::highColor())
        return QStringLiteral("green");
    return QStringLiteral("other");
}

} // namespace

class TestSegmentedVerticalBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void colourDependsOnTheLevel_data()
    {
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("colour");
        QTest::newRow("empty") << 0 << 100 << 0 << "red";
        QTest::newRow("19") << 0 << 100 << 19 << "red";
        QTest::newRow("20 is the low level") << 0 << 100 << 20 << "yellow";
        QTest::newRow("59") << 0 << 100 << 59 << "yellow";
        QTest::newRow("60 is the high level") << 0 << 100 << 60 << "green";
        QTest::newRow("full") << 0 << 100 << 100 << "green";
        // The levels are per cent of the range, not absolute positions.
        QTest::newRow("range 50..150, 69") << 50 << 150 << 69 << "red";
        QTest::newRow("range 50..150, 70") << 50 << 150 << 70 << "yellow";
        QTest::newRow("range 0..10, 5") << 0 << 10 << 5 << "yellow";
        QTest::newRow("range 0..10, 6") << 0 << 10 << 6 << "green";
        QTest::newRow("huge range does not overflow")
            << std::numeric_limits<int>::min() << std::numeric_limits<int>::max() << 0 << "yellow";
    }
    void colourDependsOnTheLevel()
    {
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, position);
        QFETCH(QString, colour);
        QCOMPARE(kindOfColor(SegmentedVerticalBar::levelColor(position, minimum, maximum, 20, 60)),
                 colour);
        SegmentedVerticalBar bar;
        bar.setRange(minimum, maximum);
        QCOMPARE(kindOfColor(bar.colorForPosition(position)), colour);
    }

    void levelBoundariesAreProperties()
    {
        SegmentedVerticalBar bar;
        QCOMPARE(bar.property("lowLevelPercent").toInt(), 20);
        QCOMPARE(bar.property("highLevelPercent").toInt(), 60);
        QVERIFY(bar.setProperty("lowLevelPercent", 30));
        QVERIFY(bar.setProperty("highLevelPercent", 80));
        QCOMPARE(kindOfColor(bar.colorForPosition(29)), QStringLiteral("red"));
        QCOMPARE(kindOfColor(bar.colorForPosition(30)), QStringLiteral("yellow"));
        QCOMPARE(kindOfColor(bar.colorForPosition(79)), QStringLiteral("yellow"));
        QCOMPARE(kindOfColor(bar.colorForPosition(80)), QStringLiteral("green"));
    }

    void positionIsClampedIntoTheRange_data()
    {
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("expected");
        QTest::newRow("below") << -5 << 0;
        QTest::newRow("minimum") << 0 << 0;
        QTest::newRow("inside") << 42 << 42;
        QTest::newRow("maximum") << 100 << 100;
        QTest::newRow("above") << 150 << 100;
        QTest::newRow("int max") << std::numeric_limits<int>::max() << 100;
    }
    void positionIsClampedIntoTheRange()
    {
        QFETCH(int, requested);
        QFETCH(int, expected);
        SegmentedVerticalBar bar;
        bar.setPosition(50);
        QSignalSpy changed(&bar, &SegmentedVerticalBar::positionChanged);
        bar.setPosition(requested);
        QCOMPARE(bar.position(), expected);
        QCOMPARE(bar.property("position").toInt(), expected);
        QCOMPARE(changed.size(), expected == 50 ? 0 : 1);
        if (!changed.isEmpty())
            QCOMPARE(changed.first().first().toInt(), expected);
    }

    void narrowingTheRangeMovesThePosition()
    {
        SegmentedVerticalBar bar;
        bar.setPosition(100);
        bar.setMaximum(60);
        QCOMPARE(bar.position(), 60);
        bar.setMinimum(80); // the maximum follows rather than inverting the range
        QCOMPARE(bar.maximum(), 80);
        QCOMPARE(bar.position(), 80);
    }

    void segmentsLitByPosition_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("lit");
        QTest::addColumn<QString>("colour");
        QTest::newRow("0") << 0 << 0 << "red";
        QTest::newRow("2, the last second of a minute") << 2 << 1 << "red";
        QTest::newRow("5, one whole segment") << 5 << 1 << "red";
        QTest::newRow("6") << 6 << 2 << "red";
        QTest::newRow("19") << 19 << 4 << "red";
        QTest::newRow("20") << 20 << 4 << "yellow";
        QTest::newRow("42") << 42 << 9 << "yellow";
        QTest::newRow("59") << 59 << 12 << "yellow";
        QTest::newRow("60") << 60 << 12 << "green";
        QTest::newRow("99") << 99 << 20 << "green";
        QTest::newRow("100") << 100 << 20 << "green";
    }
    void segmentsLitByPosition()
    {
        QFETCH(int, position);
        QFETCH(int, lit);
        QFETCH(QString, colour);
        QCOMPARE(SegmentedVerticalBar::litSegments(position, 0, 100, 20), lit);

        // 20 segments of 20 pixels: sample the middle of each, from the bottom up.
        SegmentedVerticalBar bar;
        bar.resize(14, 400);
        bar.setPosition(position);
        QCOMPARE(bar.litSegmentsForPosition(position), lit);
        const QImage image = bar.grab().toImage();
        QCOMPARE(kindOfPixel(image.pixelColor(0, 200)), QStringLiteral("unlit")); // black edge
        for (int segment = 0; segment < 20; ++segment) {
            const int y = 400 - segment * 20 - 10;
            const QString expected = segment < lit ? colour : QStringLiteral("unlit");
            QVERIFY2(kindOfPixel(image.pixelColor(7, y)) == expected,
                     qPrintable(QStringLiteral("segment %1 shows %2, expected %3")
                                    .arg(segment)
                                    .arg(kindOfPixel(image.pixelColor(7, y)), expected)));
        }
    }

    void segmentCountIsAProperty()
    {
        SegmentedVerticalBar bar;
        QCOMPARE(bar.segmentCount(), 20);
        QVERIFY(bar.setProperty("segmentCount", 10));
        bar.resize(14, 200);
        bar.setPosition(50);
        QCOMPARE(bar.litSegmentsForPosition(50), 5);
        const QImage image = bar.grab().toImage();
        QCOMPARE(kindOfPixel(image.pixelColor(7, 200 - 4 * 20 - 10)), QStringLiteral("yellow"));
        QCOMPARE(kindOfPixel(image.pixelColor(7, 200 - 5 * 20 - 10)), QStringLiteral("unlit"));
        bar.setSegmentCount(0);
        QCOMPARE(bar.segmentCount(), 1);
    }
};

QTEST_MAIN(TestSegmentedVerticalBar)
#include "tst_segmentedverticalbar.moc"
