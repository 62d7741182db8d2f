#include "widgets/GradientPanel.h"

#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>

GradientPanel::GradientPanel(QWidget* parent) : QWidget(parent)
{
    colorsChanged();
}

void GradientPanel::setStartColor(const QColor& color)
{
    setColors(color, m_endColor);
}

void GradientPanel::setEndColor(const QColor& color)
{
    setColors(m_startColor, color);
}

void GradientPanel::setColors(const QColor& start, const QColor& end)
{
    m_startColor = start;
    m_endColor = end;
    colorsChanged();
}

void GradientPanel::setOrientation(Qt::Orientation orientation)
{
    m_orientation = orientation;
    update();
}

void GradientPanel::colorsChanged()
{
    // With two opaque colours every pixel is ours and Qt can skip painting what lies beneath.
    setAttribute(Qt::WA_OpaquePaintEvent, m_startColor.alpha() == 255 && m_endColor.alpha() == 255);
    update();
}

void GradientPanel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QPointF end = m_orientation == Qt::Vertical ? QPointF(0, height()) : QPointF(width(), 0);
    QLinearGradient gradient(QPointF(0, 0), end);
    gradient.setColorAt(0, m_startColor);
    gradient.setColorAt(1, m_endColor);
    painter.fillRect(event->rect(), gradient);
}
