#pragma once

#include "widgets/HoverButton.h"

#include <QColor>

// A flat push button: only its caption and a faint outline are drawn until the pointer is over
// it; then a soft halo of glowColor lights up behind the caption (stronger while pressed). The
// caption is centred in the widget's font and its palette's ButtonText colour (white unless the
// palette is changed); a disabled button shows a grey caption and never glows.
class GlowButton : public HoverButton
{
    Q_OBJECT
    Q_PROPERTY(QColor glowColor READ glowColor WRITE setGlowColor)

public:
    explicit GlowButton(QWidget* parent = nullptr);
    explicit GlowButton(const QString& text, QWidget* parent = nullptr);

    QColor glowColor() const { return m_glowColor; }
    void setGlowColor(const QColor& color);
    static QColor defaultGlowColor() { return {255, 214, 150}; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_glowColor = defaultGlowColor();
};
