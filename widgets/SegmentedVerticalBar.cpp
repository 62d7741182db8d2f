#include "widgets/SegmentedVerticalBar.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

SegmentedVerticalBar::SegmentedVerticalBar(QWidget* parent) : QWidget(parent)
{
    // Every pixel is painted: nothing of the parent needs to be drawn underneath.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void SegmentedVerticalBar::setMinimum(int minimum)
{
    setRange(minimum, std::max(minimum, m_maximum));
}

void SegmentedVerticalBar::setMaximum(int maximum)
{
    setRange(std::min(m_minimum, maximum), maximum);
}

void SegmentedVerticalBar::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    const int clamped = std::clamp(m_position, m_minimum, m_maximum);
    update();
    if (clamped != m_position) {
        m_position = clamped;
        Q_EMIT positionChanged(m_position);
    }
}

void SegmentedVerticalBar::setPosition(int position)
{
    const int clamped = std::clamp(position, m_minimum, m_maximum);
    if (clamped == m_position)
        return;
    m_position = clamped;
    update();
    Q_EMIT positionChanged(m_position);
}

void SegmentedVerticalBar::setSegmentCount(int count)
{
    m_segmentCount = std::max(1, count);
    update();
}

void SegmentedVerticalBar::setLowLevelPercent(int percent)
{
    m_lowLevelPercent = std::clamp(percent, 0, 100);
    update();
}

void SegmentedVerticalBar::setHighLevelPercent(int percent)
{
    m_highLevelPercent = std::clamp(percent, 0, 100);
    update();
}

QColor SegmentedVerticalBar::colorForPosition(int position) const
{
    return levelColor(position, m_minimum, m_maximum, m_lowLevelPercent, m_highLevelPercent);
}

int SegmentedVerticalBar::litSegmentsForPosition(int position) const
{
    return litSegments(position, m_minimum, m_maximum, m_segmentCount);
}

QColor SegmentedVerticalBar::levelColor(int position, int minimum, int maximum, int lowPercent,
                                        int highPercent)
{
    if (maximum <= minimum)
        return highColor(); // an empty range is always "full"
    // 64-bit so that any int range multiplied by 100 cannot overflow.
    const qint64 level = (qint64(std::clamp(position, minimum, maximum)) - minimum) * 100;
    const qint64 span = qint64(maximum) - minimum;
    if (level < lowPercent * span)
        return lowColor();
    if (level < highPercent * span)
        return middleColor();
    return highColor();
}

int SegmentedVerticalBar::litSegments(int position, int minimum, int maximum, int segmentCount)
{
    if (segmentCount <= 0)
        return 0;
    if (maximum <= minimum)
        return segmentCount;
    const qint64 level = qint64(std::clamp(position, minimum, maximum)) - minimum;
    const qint64 span = qint64(maximum) - minimum;
    return int((level * segmentCount + span - 1) / span); // rounded up
}

QSize SegmentedVerticalBar::sizeHint() const
{
    return {14, 200};
}

QSize SegmentedVerticalBar::minimumSizeHint() const
{
    return {4, m_segmentCount * 2};
}

void SegmentedVerticalBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);

    const int h = height();
    const int lit = litSegmentsForPosition(m_position);
    const QColor color = colorForPosition(m_position);
    // One pixel of black around the column and between segments when there is room for it.
    const int inset = width() >= 6 ? 1 : 0;
    const int gap = h / m_segmentCount >= 4 ? 1 : 0;
    const QRectF column = QRectF(rect()).adjusted(inset, inset, -inset, -inset);

    // A lit segment is lighter in the middle of its width, which makes the column look round.
    QLinearGradient litFill(column.left(), 0, column.right(), 0);
    litFill.setColorAt(0.0, color.darker(150));
    litFill.setColorAt(0.45, color.lighter(125));
    litFill.setColorAt(1.0, color.darker(170));
    const QColor unlitFill(26, 28, 30);

    for (int i = 0; i < m_segmentCount; ++i) {
        // Segment 0 is the bottom one; edges are spread evenly over the whole height.
        const double bottom =
            column.top() + column.height() * (m_segmentCount - i) / m_segmentCount;
        const double top =
            column.top() + column.height() * (m_segmentCount - i - 1) / m_segmentCount;
        const QRectF segment(column.left(), top, column.width(), bottom - top - gap);
        if (i < lit)
            painter.fillRect(segment, litFill);
        else
            painter.fillRect(segment, unlitFill);
    }
}
