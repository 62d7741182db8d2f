#pragma once

#include <QColor>
#include <QWidget>

// A vertical level bar drawn as a column of segments that fill from the bottom, on black. The
// whole lit part takes the colour of the current level: red below the low level, yellow from the
// low level to below the high level, green from the high level up. No number is shown.
class SegmentedVerticalBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(int segmentCount READ segmentCount WRITE setSegmentCount)
    Q_PROPERTY(int lowLevelPercent READ lowLevelPercent WRITE setLowLevelPercent)
    Q_PROPERTY(int highLevelPercent READ highLevelPercent WRITE setHighLevelPercent)

public:
    static constexpr int DefaultSegmentCount = 20;
    static constexpr int DefaultLowLevelPercent = 20;
    static constexpr int DefaultHighLevelPercent = 60;

    explicit SegmentedVerticalBar(QWidget* parent = nullptr);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Sets the range; the other end follows when the range would be inverted, and the position is
    // clamped into the new range.
    void setMinimum(int minimum);
    void setMaximum(int maximum);
    void setRange(int minimum, int maximum);

    int position() const { return m_position; }
    int segmentCount() const { return m_segmentCount; }
    void setSegmentCount(int count); // at least 1
    int lowLevelPercent() const { return m_lowLevelPercent; }
    int highLevelPercent() const { return m_highLevelPercent; }
    void setLowLevelPercent(int percent);  // clamped to 0..100
    void setHighLevelPercent(int percent); // clamped to 0..100

    // The colour of the lit segments at this position with this bar's range and levels.
    QColor colorForPosition(int position) const;
    // How many segments are lit at this position with this bar's range and segment count.
    int litSegmentsForPosition(int position) const;

    // The same as pure functions. The level is taken exactly, in integers: a position is below
    // the low level when (position - minimum) * 100 < lowPercent * (maximum - minimum).
    static QColor levelColor(int position, int minimum, int maximum, int lowPercent,
                             int highPercent);
    // Any part of a segment lights it: a non-empty level always shows at least one segment.
    static int litSegments(int position, int minimum, int maximum, int segmentCount);

    static QColor lowColor() { return {226, 38, 30}; }
    static QColor middleColor() { return {244, 208, 26}; }
    static QColor highColor() { return {40, 200, 64}; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public Q_SLOTS:
    // Clamped into minimum..maximum.
    void setPosition(int position);

Q_SIGNALS:
    void positionChanged(int position);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_minimum = 0;
    int m_maximum = 100;
    int m_position = 0;
    int m_segmentCount = DefaultSegmentCount;
    int m_lowLevelPercent = DefaultLowLevelPercent;
    int m_highLevelPercent = DefaultHighLevelPercent;
};
