#pragma once

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPoint>

// A label whose text casts a soft, blurred shadow. Text, word wrap, alignment, margin, font and
// the palette's foreground colour work as in QLabel; the text is always plain text. The blurred
// shadow is rendered once into an image and reused by every paint until something it depends on
// changes (text, font, size, alignment, wrap, shadow colour or blur).
class ShadowLabel : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(QColor shadowColor READ shadowColor WRITE setShadowColor)
    Q_PROPERTY(QPoint shadowOffset READ shadowOffset WRITE setShadowOffset)
    Q_PROPERTY(int shadowBlur READ shadowBlur WRITE setShadowBlur)

public:
    explicit ShadowLabel(QWidget* parent = nullptr);
    explicit ShadowLabel(const QString& text, QWidget* parent = nullptr);

    QColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(const QColor& color);
    // Where the shadow falls relative to the text, in pixels (right and down are positive).
    QPoint shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(const QPoint& offset);
    // How far the shadow spreads, in pixels; 0 gives a sharp shadow. Clamped to 0..32.
    int shadowBlur() const { return m_shadowBlur; }
    void setShadowBlur(int radius);

    // How many times the blurred shadow has been rendered: stays put while only repainting.
    int shadowRenderCount() const { return m_renderCount; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct ShadowKey
    {
        QString text;
        QFont font;
        QSize size;
        int flags = 0;
        QColor color;
        int blur = 0;
        qreal pixelRatio = 1.0;
        bool operator==(const ShadowKey&) const = default;
    };

    QSize shadowMargin() const;
    int textFlags() const;
    QRect textRect() const;
    void renderShadow(const ShadowKey& key);

    QColor m_shadowColor{0, 0, 0, 210};
    QPoint m_shadowOffset{2, 2};
    int m_shadowBlur = 4;

    ShadowKey m_key;
    QImage m_shadow;   // the blurred shadow of m_key, padded by m_padding on every side
    int m_padding = 0; // in device-independent pixels
    int m_renderCount = 0;
};
