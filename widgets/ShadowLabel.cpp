#include "widgets/ShadowLabel.h"

#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

constexpr int MaximumBlur = 32;

// Three box blurs of this radius come close to a Gaussian blur spreading `blur` pixels.
int boxRadius(int blur)
{
    return blur <= 0 ? 0 : (blur + 2) / 3;
}

// One box blur pass along a line of `count` samples `stride` apart, with zeros beyond its ends.
void boxBlurLine(uchar* line, int count, int stride, int radius, std::vector<int>& scratch)
{
    scratch.resize(size_t(count));
    for (int i = 0; i < count; ++i)
        scratch[size_t(i)] = line[i * stride];
    const int window = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i < std::min(radius, count); ++i)
        sum += scratch[size_t(i)];
    for (int i = 0; i < count; ++i) {
        if (i + radius < count)
            sum += scratch[size_t(i + radius)];
        if (i - radius - 1 >= 0)
            sum -= scratch[size_t(i - radius - 1)];
        line[i * stride] = uchar(sum / window);
    }
}

// Blurs an 8-bit alpha image in place: three horizontal, then three vertical passes.
void blurAlpha(QImage& alpha, int radius)
{
    if (radius <= 0)
        return;
    std::vector<int> scratch;
    const int w = alpha.width();
    const int h = alpha.height();
    const int bpl = int(alpha.bytesPerLine());
    uchar* bits = alpha.bits();
    for (int pass = 0; pass < 3; ++pass)
        for (int y = 0; y < h; ++y)
            boxBlurLine(bits + qsizetype(y) * bpl, w, 1, radius, scratch);
    for (int pass = 0; pass < 3; ++pass)
        for (int x = 0; x < w; ++x)
            boxBlurLine(bits + x, h, bpl, radius, scratch);
}

} // namespace

ShadowLabel::ShadowLabel(QWidget* parent) : ShadowLabel(QString(), parent) {}

ShadowLabel::ShadowLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

void ShadowLabel::setShadowColor(const QColor& color)
{
    m_shadowColor = color;
    update();
}

void ShadowLabel::setShadowOffset(const QPoint& offset)
{
    m_shadowOffset = offset;
    updateGeometry();
    update();
}

void ShadowLabel::setShadowBlur(int radius)
{
    m_shadowBlur = std::clamp(radius, 0, MaximumBlur);
    updateGeometry();
    update();
}

QSize ShadowLabel::shadowMargin() const
{
    return {std::abs(m_shadowOffset.x()) + m_shadowBlur,
            std::abs(m_shadowOffset.y()) + m_shadowBlur};
}

QSize ShadowLabel::sizeHint() const
{
    return QLabel::sizeHint() + shadowMargin();
}

QSize ShadowLabel::minimumSizeHint() const
{
    return QLabel::minimumSizeHint() + shadowMargin();
}

int ShadowLabel::textFlags() const
{
    return int(QStyle::visualAlignment(layoutDirection(), alignment())) |
           (wordWrap() ? int(Qt::TextWordWrap) : 0);
}

QRect ShadowLabel::textRect() const
{
    const int m = margin();
    return contentsRect().adjusted(m, m, -m, -m);
}

void ShadowLabel::renderShadow(const ShadowKey& key)
{
    ++m_renderCount;
    const int radius = boxRadius(key.blur);
    m_padding = 3 * radius + 1;
    const QSize logical = key.size + QSize(2 * m_padding, 2 * m_padding);
    const QSize device = (QSizeF(logical) * key.pixelRatio).toSize();

    // The glyphs' coverage, blurred, then filled with the shadow colour.
    QImage alpha(device, QImage::Format_Alpha8);
    alpha.setDevicePixelRatio(key.pixelRatio);
    alpha.fill(0);
    {
        QPainter painter(&alpha);
        painter.setFont(key.font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(QPoint(m_padding, m_padding), key.size), key.flags, key.text);
    }
    blurAlpha(alpha, qRound(radius * key.pixelRatio));

    m_shadow = QImage(device, QImage::Format_ARGB32_Premultiplied);
    m_shadow.setDevicePixelRatio(key.pixelRatio);
    const QRgb color = key.color.rgba();
    const int colorAlpha = qAlpha(color);
    for (int y = 0; y < device.height(); ++y) {
        const uchar* in = alpha.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(m_shadow.scanLine(y));
        for (int x = 0; x < device.width(); ++x) {
            const int a = in[x] * colorAlpha / 255;
            out[x] =
                qRgba(qRed(color) * a / 255, qGreen(color) * a / 255, qBlue(color) * a / 255, a);
        }
    }
    m_key = key;
}

void ShadowLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = textRect();
    const int flags = textFlags();
    const QString shown = text();
    if (shown.isEmpty() || area.isEmpty())
        return;

    if (m_shadowColor.alpha() > 0) {
        const ShadowKey key{shown,         font(),       area.size(),        flags,
                            m_shadowColor, m_shadowBlur, devicePixelRatioF()};
        if (!(key == m_key) || m_shadow.isNull())
            renderShadow(key);
        painter.drawImage(area.topLeft() + m_shadowOffset - QPoint(m_padding, m_padding), m_shadow);
    }
    style()->drawItemText(&painter, area, flags, palette(), isEnabled(), shown, foregroundRole());
}
