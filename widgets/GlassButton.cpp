#include "widgets/GlassButton.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStyle>
#include <algorithm>
#include <cmath>

namespace {

// The body colour without most of its hue and with less light: the disabled look.
QColor dimmed(const QColor& color)
{
    const QColor hsv = color.toHsv();
    return QColor::fromHsv(hsv.hsvHue(), hsv.hsvSaturation() / 5, hsv.value() * 3 / 4);
}

} // namespace

GlassButton::GlassButton(QWidget* parent) : GlassButton(QString(), parent) {}

GlassButton::GlassButton(const QString& text, QWidget* parent) : HoverButton(text, parent)
{
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, Qt::white);
    setPalette(pal);
    setCursor(Qt::PointingHandCursor);
}

void GlassButton::setShineColor(const QColor& color)
{
    m_shineColor = color;
    update();
}

void GlassButton::setBodyColor(const QColor& color)
{
    m_bodyColor = color;
    update();
}

QSize GlassButton::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    const QSize textSize = fm.size(Qt::TextShowMnemonic, text());
    return {std::max(textSize.width() + 2 * fm.height(), 80), textSize.height() + fm.height()};
}

QSize GlassButton::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.size(Qt::TextShowMnemonic, text()).width() + 8, fm.height() + 6};
}

void GlassButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const bool enabled = isEnabled();
    const bool pressed = enabled && isDown();
    const bool hovered = enabled && isHovered();
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min<qreal>(8.0, outer.height() / 4.0);
    QPainterPath body;
    body.addRoundedRect(outer, radius, radius);

    // Body: light falls from above; a pressed button is darker, as if pushed into the screen.
    QColor base = enabled ? m_bodyColor : dimmed(m_bodyColor);
    if (pressed)
        base = base.darker(135);
    QLinearGradient bodyFill(outer.topLeft(), outer.bottomLeft());
    bodyFill.setColorAt(0.0, base.lighter(130));
    bodyFill.setColorAt(0.48, base);
    bodyFill.setColorAt(0.52, base.darker(130));
    bodyFill.setColorAt(1.0, base.darker(115));
    painter.fillPath(body, bodyFill);

    painter.save();
    painter.setClipPath(body);

    // The shine: an elliptic glow rising from the middle of the bottom edge.
    if (enabled) {
        const int glowAlpha = pressed ? 235 : hovered ? 215 : 165;
        const qreal glowWidth = outer.width() * 0.62;
        const qreal glowHeight = outer.height() * (pressed ? 0.95 : hovered ? 0.85 : 0.7);
        QRadialGradient glow(QPointF(0, 0), 1.0);
        glow.setColorAt(0.0, withAlpha(m_shineColor, glowAlpha));
        glow.setColorAt(0.55, withAlpha(m_shineColor, glowAlpha / 3));
        glow.setColorAt(1.0, withAlpha(m_shineColor, 0));
        painter.save();
        painter.translate(outer.center().x(), outer.bottom());
        painter.scale(glowWidth, glowHeight);
        painter.fillRect(QRectF(-1, -1, 2, 2), glow);
        painter.restore();
    }

    // The glass: a lighter sheet over the upper half, brightest at the top edge and ending in a
    // crisp line, which is what makes the button look glossy.
    const QRectF glassRect(outer.left() + 1, outer.top() + 1, outer.width() - 2,
                           std::round(outer.height() * 0.48));
    QLinearGradient glass(glassRect.topLeft(), glassRect.bottomLeft());
    const int glassAlpha = !enabled ? 40 : pressed ? 50 : hovered ? 120 : 100;
    glass.setColorAt(0.0, QColor(255, 255, 255, glassAlpha + 40));
    glass.setColorAt(0.6, QColor(255, 255, 255, glassAlpha / 2));
    glass.setColorAt(1.0, QColor(255, 255, 255, glassAlpha / 3));
    QPainterPath glassPath;
    glassPath.addRoundedRect(glassRect, radius - 1, radius - 1);
    painter.fillPath(glassPath, glass);
    painter.restore();

    // Border: a dark outline with a faint light line inside it, tinted by the shine.
    QColor innerLine = enabled ? m_shineColor : QColor(160, 160, 160);
    innerLine.setAlpha(!enabled ? 35 : hasFocus() || hovered ? 150 : 70);
    painter.setPen(QPen(innerLine, 1.0));
    painter.drawRoundedRect(outer.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    painter.setPen(QPen(QColor(0, 0, 0, enabled ? 220 : 140), 1.0));
    painter.drawRoundedRect(outer, radius, radius);

    // Caption, with a dark drop shadow that keeps it legible over the brightest glow.
    const QRect textRect = rect().translated(pressed ? 1 : 0, pressed ? 1 : 0);
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    painter.setFont(font());
    if (enabled) {
        painter.setPen(QColor(0, 0, 0, 150));
        painter.drawText(textRect.translated(1, 1), flags, text());
    }
    painter.setPen(enabled ? palette().color(QPalette::ButtonText) : QColor(128, 128, 128));
    painter.drawText(textRect, flags, text());
}
