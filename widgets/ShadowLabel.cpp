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

// Division by the window of a box, as a multiplication: exact for every sum of at most
// 255 * window, which is all a box of 8-bit samples can add up to.
class WindowDivisor
{
public:
    explicit WindowDivisor(int window) : m_factor(((quint64(1) << 32) + window - 1) / window) {}
    uchar divide(int sum) const { return uchar((quint64(sum) * m_factor) >> 32); }

private:
    quint64 m_factor;
};

// One box blur pass along a row of `count` samples, with zeros beyond its ends.
void boxBlurRow(uchar* row, int count, int radius, std::vector<int>& scratch)
{
    scratch.assign(row, row + count);
    const WindowDivisor divisor(2 * radius + 1);
    // Three stretches, so that the loops test nothing per sample: where the box reaches past the
    // start of the row, where it lies inside, and where it reaches past the end.
    const int* in = scratch.data();
    int sum = 0;
    int i = 0;
    for (; i < std::min(radius, count); ++i)
        sum += in[i];
    for (i = 0; i < count && i - radius - 1 < 0; ++i) {
        if (i + radius < count)
            sum += in[i + radius];
        row[i] = divisor.divide(sum);
    }
    for (; i + radius < count; ++i) {
        sum += in[i + radius] - in[i - radius - 1];
        row[i] = divisor.divide(sum);
    }
    for (; i < count; ++i) {
        sum -= in[i - radius - 1];
        row[i] = divisor.divide(sum);
    }
}

// The same pass down every column at once, a row at a time, so that memory is walked in order.
void boxBlurColumns(uchar* bits, int width, int height, qsizetype bytesPerLine, int radius,
                    std::vector<uchar>& source, std::vector<int>& sums)
{
    source.assign(bits, bits + qsizetype(height) * bytesPerLine);
    sums.assign(size_t(width), 0);
    const WindowDivisor divisor(2 * radius + 1);
    const auto line = [&](int y) { return source.data() + qsizetype(y) * bytesPerLine; };
    int* sum = sums.data();
    for (int y = 0; y < std::min(radius, height); ++y) {
        const uchar* in = line(y);
        for (int x = 0; x < width; ++x)
            sum[x] += in[x];
    }
    for (int y = 0; y < height; ++y) {
        const bool entering = y + radius < height;
        const bool leaving = y - radius - 1 >= 0;
        if (entering && leaving) {
            const uchar* in = line(y + radius);
            const uchar* out = line(y - radius - 1);
            for (int x = 0; x < width; ++x)
                sum[x] += in[x] - out[x];
        } else if (entering) {
            const uchar* in = line(y + radius);
            for (int x = 0; x < width; ++x)
                sum[x] += in[x];
        } else if (leaving) {
            const uchar* out = line(y - radius - 1);
            for (int x = 0; x < width; ++x)
                sum[x] -= out[x];
        }
        uchar* blurred = bits + qsizetype(y) * bytesPerLine;
        for (int x = 0; x < width; ++x)
            blurred[x] = divisor.divide(sum[x]);
    }
}

// Blurs an 8-bit alpha image in place: three horizontal, then three vertical passes.
void blurAlpha(QImage& alpha, int radius)
{
    if (radius <= 0)
        return;
    std::vector<int> scratch;
    std::vector<uchar> source;
    const int w = alpha.width();
    const int h = alpha.height();
    const qsizetype bpl = alpha.bytesPerLine();
    uchar* bits = alpha.bits();
    for (int pass = 0; pass < 3; ++pass)
        for (int y = 0; y < h; ++y)
            boxBlurRow(bits + qsizetype(y) * bpl, w, radius, scratch);
    for (int pass = 0; pass < 3; ++pass)
        boxBlurColumns(bits, w, h, bpl, radius, source, scratch);
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
    // Every coverage value filled with the colour, once, instead of for every pixel.
    const QRgb color = key.color.rgba();
    const int colorAlpha = qAlpha(color);
    QRgb filled[256];
    for (int coverage = 0; coverage < 256; ++coverage) {
        const int a = coverage * colorAlpha / 255;
        filled[coverage] =
            qRgba(qRed(color) * a / 255, qGreen(color) * a / 255, qBlue(color) * a / 255, a);
    }
    for (int y = 0; y < device.height(); ++y) {
        const uchar* in = alpha.constScanLine(y);
        auto* out = reinterpret_cast<QRgb*>(m_shadow.scanLine(y));
        for (int x = 0; x < device.width(); ++x)
            out[x] = filled[in[x]];
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
