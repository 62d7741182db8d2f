#include "widgets/HoverButton.h"

#include <QEnterEvent>

HoverButton::HoverButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void HoverButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QPushButton::enterEvent(event);
}

void HoverButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QPushButton::leaveEvent(event);
}

QColor HoverButton::withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}
