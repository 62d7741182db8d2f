#include "widgets/GlowButton.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

GlowButton::GlowButton(QWidget* parent) : GlowButton(QString(), parent) {}

GlowButton::GlowButton(const QString& text, QWidget* parent) : HoverButton(text, parent)
{
    QPalette pal = palette();
    pal.setColor(QPalette::ButtonText, Qt::white);
    setPalette(pal);
    setFlat(true);
    setCursor(Qt::PointingHandCursor);
}

void GlowButton::setGlowColor(const QColor& color)
{
    m_glowColor = color;
    update();
}

QSize GlowButton::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    const QSize textSize = fm.size(Qt::TextShowMnemonic, text());
    return {textSize.width() + fm.height() * 3 / 2, textSize.height() + fm.height() / 2};
}

QSize GlowButton::minimumSizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    return {fm.size(Qt::TextShowMnemonic, text()).width() + 6, fm.height() + 2};
}

void GlowButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const bool enabled = isEnabled();
    const bool pressed = enabled && isDown();
    const bool glowing = enabled && (isHovered() || pressed);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal radius = std::min<qreal>(6.0, outer.height() / 3.0);

    if (glowing) {
        // A faint wash of the glow colour, brighter towards the edges (an inner glow), so that
        // the caption keeps its contrast in the middle.
        QPainterPath wash;
        wash.addRoundedRect(outer, radius, radius);
        painter.fillPath(wash, withAlpha(m_glowColor, pressed ? 60 : 28));
        painter.setBrush(Qt::NoBrush);
        const int edgeAlpha[] = {pressed ? 150 : 110, pressed ? 90 : 60, pressed ? 45 : 28};
        for (int ring = 0; ring < 3; ++ring) {
            const qreal inset = ring + 1.0;
            painter.setPen(QPen(withAlpha(m_glowColor, edgeAlpha[ring]), 1.0));
            painter.drawRoundedRect(outer.adjusted(inset, inset, -inset, -inset),
                                    std::max<qreal>(0, radius - inset),
                                    std::max<qreal>(0, radius - inset));
        }
    }

    // The outline: barely there at rest, lit in the glow colour while glowing.
    const QColor line = glowing ? withAlpha(m_glowColor, pressed ? 230 : 190)
                                : QColor(255, 255, 255, enabled ? 40 : 20);
    painter.setPen(QPen(line, 1.0));
    painter.drawRoundedRect(outer, radius, radius);

    const QRect textRect = rect().translated(pressed ? 1 : 0, pressed ? 1 : 0);
    painter.setFont(font());
    painter.setPen(enabled ? palette().color(QPalette::ButtonText) : QColor(128, 128, 128));
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
