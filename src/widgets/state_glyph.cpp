#include "state_glyph.h"

#include <algorithm>
#include <vector>

namespace {

using namespace Shine;

// The source glyph with its key pixels marked once.
class KeyedGlyph
{
public:
    explicit KeyedGlyph(const QImage &glyph) : image_(glyph.convertToFormat(QImage::Format_ARGB32))
    {
        const int w = image_.width();
        const int h = image_.height();
        key_.assign(size_t(w) * size_t(h), false);
        bool alphaKeyed = false;
        if (glyph.hasAlphaChannel())
            for (int y = 0; y < h && !alphaKeyed; ++y)
                for (int x = 0; x < w && !alphaKeyed; ++x)
                    alphaKeyed = qAlpha(image_.pixel(x, y)) == 0;
        const QRgb keyRgb = image_.pixel(0, h - 1) & RGB_MASK;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb p = image_.pixel(x, y);
                key_[index(x, y)] = alphaKeyed ? qAlpha(p) == 0 : (p & RGB_MASK) == keyRgb;
            }
    }

    int width() const { return image_.width(); }
    int height() const { return image_.height(); }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width() && y < height(); }
    // Outside the bitmap counts as background.
    bool isKey(int x, int y) const { return !inside(x, y) || key_[index(x, y)]; }
    QRgb pixel(int x, int y) const { return image_.pixel(x, y); }
    // Colour for edge detection: all key pixels look alike.
    quint32 edgeValue(int x, int y) const { return isKey(x, y) ? 0xFFFFFFFFu : pixel(x, y) & RGB_MASK; }

    // The glyph with key pixels made transparent.
    QImage transparentCopy() const
    {
        QImage out = image_;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (isKey(x, y))
                    out.setPixel(x, y, qRgba(0, 0, 0, 0));
        return out;
    }

private:
    size_t index(int x, int y) const { return size_t(y) * size_t(width()) + size_t(x); }

    QImage image_;
    std::vector<bool> key_;
};

// Applies f(pixel channel, other channel) to every non-key pixel, alpha kept.
template <typename F> void mixNonKey(const KeyedGlyph &src, QImage &out, QRgb other, F f)
{
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            if (src.isKey(x, y))
                continue;
            const QRgb p = src.pixel(x, y);
            out.setPixel(x, y,
                         qRgba(f(qRed(p), qRed(other)), f(qGreen(p), qGreen(other)),
                               f(qBlue(p), qBlue(other)), qAlpha(p)));
        }
}

// Checkerboard over non-key pixels: those with x + y odd get value.
void checkerNonKey(const KeyedGlyph &src, QImage &out, QRgb value)
{
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            if (!src.isKey(x, y) && (x + y) % 2 == 1)
                out.setPixel(x, y, value);
}

// Key pixels bordering the picture take the shine colour; the wide variant
// also thickens the outline outward and sideways.
void frameLight(const KeyedGlyph &src, QImage &out, QRgb shine, bool wide)
{
    static constexpr QPoint directions[] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    const QRgb opaque = shine | 0xFF000000u;
    const auto paintIfKey = [&](int x, int y) {
        if (src.inside(x, y) && src.isKey(x, y))
            out.setPixel(x, y, opaque);
    };
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            if (!src.isKey(x, y))
                continue;
            for (const QPoint d : directions) {
                if (src.isKey(x + d.x(), y + d.y()))
                    continue;
                out.setPixel(x, y, opaque);
                if (!wide)
                    continue;
                paintIfKey(x - d.x(), y - d.y());
                paintIfKey(x + d.y(), y + d.x());
                paintIfKey(x - d.y(), y - d.x());
            }
        }
}

QImage edgeMap(const KeyedGlyph &src)
{
    const QRgb white = qRgba(255, 255, 255, 255);
    QImage out(src.width(), src.height(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    for (int y = 0; y + 1 < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            const quint32 here = src.edgeValue(x, y);
            if (here != src.edgeValue(x + 1, y + 1))
                out.setPixel(x, y, white);
            if (x > 0 && here != src.edgeValue(x - 1, y + 1))
                out.setPixel(x - 1, y, white);
        }
    return out;
}

void applyActive(const KeyedGlyph &src, QImage &out, TActiveImageType effect, QRgb s)
{
    switch (effect) {
    case aiNormal:
        break;
    case aiXorLight:
        mixNonKey(src, out, s, [](int p, int o) { return p ^ o; });
        break;
    case aiHalfLight:
        mixNonKey(src, out, s, [](int p, int o) { return (p + o) / 2; });
        break;
    case aiQuaterLight:
        mixNonKey(src, out, s, [](int p, int o) { return (3 * o + p) / 4; });
        break;
    case aiAddLight:
        mixNonKey(src, out, s, [](int p, int o) { return std::min(255, p + o); });
        break;
    case aiFrameLight:
    case aiFrameLight2:
        frameLight(src, out, s, effect == aiFrameLight2);
        break;
    case aiMaskLight:
        checkerNonKey(src, out, s | 0xFF000000u);
        break;
    }
}

void applyDisabled(const KeyedGlyph &src, QImage &out, TDisabledImageType effect, QRgb f)
{
    switch (effect) {
    case diDefault:
        break; // handled as an edge map
    case diGrayscale:
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x)
                if (!src.isKey(x, y)) {
                    const QRgb p = src.pixel(x, y);
                    const int grey = (qRed(p) + qGreen(p) + qBlue(p)) / 3;
                    out.setPixel(x, y, qRgba(grey, grey, grey, qAlpha(p)));
                }
        break;
    case diAlphaHalfTrans:
        mixNonKey(src, out, f, [](int p, int o) { return (p + o) / 2; });
        break;
    case diAlphaQuaterTrans:
        mixNonKey(src, out, f, [](int p, int o) { return (3 * o + p) / 4; });
        break;
    case diMaskTrans:
        checkerNonKey(src, out, qRgba(0, 0, 0, 0));
        break;
    }
}

} // namespace

QImage NormalizeGlyph(const QImage &glyph)
{
    if (glyph.isNull())
        return QImage();
    return glyph.convertToFormat(glyph.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
}

StateGlyph CreateStateGlyph(const QImage &glyph, T_ShineButtonState state, TActiveImageType active,
                            TDisabledImageType disabled, QRgb shine, QRgb face)
{
    if (glyph.isNull() || glyph.width() == 0 || glyph.height() == 0)
        return {};
    const KeyedGlyph src(glyph);
    if (state == _sbsDisableUp && disabled == diDefault) {
        QImage edges = edgeMap(src);
        edges.setDevicePixelRatio(glyph.devicePixelRatio());
        return {edges, true};
    }
    QImage out = src.transparentCopy();
    if (IsHotState(state))
        applyActive(src, out, active, shine & RGB_MASK);
    else if (state == _sbsDisableUp)
        applyDisabled(src, out, disabled, face & RGB_MASK);
    return {out, false};
}

QImage TintEdgeMap(const QImage &edgeMap, const QColor &colour)
{
    QImage out(edgeMap.size(), QImage::Format_ARGB32);
    out.setDevicePixelRatio(edgeMap.devicePixelRatio());
    out.fill(Qt::transparent);
    const QRgb tint = colour.rgb() | 0xFF000000u;
    for (int y = 0; y < edgeMap.height(); ++y)
        for (int x = 0; x < edgeMap.width(); ++x)
            if (qAlpha(edgeMap.pixel(x, y)) != 0)
                out.setPixel(x, y, tint);
    return out;
}
