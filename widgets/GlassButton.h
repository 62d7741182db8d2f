#pragma once

#include "widgets/HoverButton.h"

#include <QColor>

// A glossy push button: a dark rounded body under a lighter glass highlight in its upper half, a
// thin border, and a glow of shineColor rising from the bottom edge. The caption is centred in the
// widget's font and its palette's ButtonText colour (white unless the palette is changed). Hover
// and pressed states brighten the glow; a disabled button is dimmed, without glow, its caption
// grey. Behaves as a QPushButton in every other respect (clicked(), shortcuts, focus).
class GlassButton : public HoverButton
{
    Q_OBJECT
    Q_PROPERTY(QColor shineColor READ shineColor WRITE setShineColor)
    Q_PROPERTY(QColor bodyColor READ bodyColor WRITE setBodyColor)

public:
    explicit GlassButton(QWidget* parent = nullptr);
    explicit GlassButton(const QString& text, QWidget* parent = nullptr);

    QColor shineColor() const { return m_shineColor; }
    void setShineColor(const QColor& color);
    QColor bodyColor() const { return m_bodyColor; }
    void setBodyColor(const QColor& color);

    static QColor defaultShineColor() { return {150, 200, 255}; }
    static QColor defaultBodyColor() { return {30, 42, 56}; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_shineColor = defaultShineColor();
    QColor m_bodyColor = defaultBodyColor();
};
