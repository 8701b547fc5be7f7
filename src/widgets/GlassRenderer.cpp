#include "widgets/GlassRenderer.h"

#include "widgets/ColorMath.h"
#include "widgets/PixelBlocks.h"

#include <algorithm>
#include <array>

namespace quarvel {

namespace {

constexpr int Half = 128;
constexpr int Quarter = 64;
constexpr int Third = 84;
constexpr int ThreeQuarters = 191;
constexpr int GlossStart = 176;

using ChannelTable = std::array<uchar, 256>;

ChannelTable TintTable(int target, int gloss)
{
    ChannelTable table{};
    for (int v = 0; v < 256; ++v)
        table[v] = static_cast<uchar>(BlendChannel(target, v, gloss));
    return table;
}

uchar Lighten(uchar value, int lift)
{
    return static_cast<uchar>(BlendChannel(255, value, lift));
}

} // namespace

GlassRenderer::GlassRenderer(PixelBlocks& pixels)
    : pixels_(pixels)
{
}

QRgb GlassRenderer::FrameColor(QRgb colorFrame) const
{
    const int right = pixels_.Width() - 1;
    const int bottom = pixels_.Height() - 1;
    const QRgb topLeft = pixels_.Pixel(0, 0);
    const QRgb topRight = pixels_.Pixel(right, 0);
    const QRgb bottomLeft = pixels_.Pixel(0, bottom);
    const QRgb bottomRight = pixels_.Pixel(right, bottom);
    const QRgb left = Blend(bottomLeft, topLeft, Half);
    const QRgb top = Blend(topLeft, topRight, Half);
    const QRgb rightSide = Blend(topRight, bottomRight, Half);
    const QRgb bottomSide = Blend(bottomLeft, bottomRight, Half);
    const QRgb mean = Blend(Blend(left, top, Half), Blend(rightSide, bottomSide, Half), Half);
    return Blend(mean, colorFrame, Half);
}

void GlassRenderer::RenderBody(QRect body, QRgb color, int gloss, bool glossy)
{
    body &= QRect(0, 0, pixels_.Width(), pixels_.Height());
    if (!glossy || body.isEmpty())
        return;
    const ChannelTable red = TintTable(qRed(color), gloss);
    const ChannelTable green = TintTable(qGreen(color), gloss);
    const ChannelTable blue = TintTable(qBlue(color), gloss);
    const int half = body.height() / 2;
    const int step = half > 0 ? (GlossStart - gloss) / half : 0;
    const int scale = pixels_.Scale();
    int lift = GlossStart;
    for (int i = 0; i < body.height(); ++i, lift -= step) {
        const bool lit = i < half;
        for (int deviceY = (body.top() + i) * scale; deviceY < (body.top() + i + 1) * scale; ++deviceY) {
            uchar* rgb = pixels_.DeviceRow(deviceY) + body.left() * scale * 3;
            for (uchar* end = rgb + body.width() * scale * 3; rgb != end; rgb += 3) {
                rgb[0] = red[rgb[0]];
                rgb[1] = green[rgb[1]];
                rgb[2] = blue[rgb[2]];
                if (lit) {
                    rgb[0] = Lighten(rgb[0], lift);
                    rgb[1] = Lighten(rgb[1], lift);
                    rgb[2] = Lighten(rgb[2], lift);
                }
            }
        }
    }
}

void GlassRenderer::DrawOutline(QRgb frame)
{
    const int w = pixels_.Width();
    const int h = pixels_.Height();
    pixels_.Line({2, 0}, {w - 2, 0}, frame);
    pixels_.Line({2, h - 1}, {w - 2, h - 1}, frame);
    pixels_.Line({0, 2}, {0, h - 2}, frame);
    pixels_.Line({w - 1, 2}, {w - 1, h - 2}, frame);
    for (const QPoint inner : {QPoint(1, 1), QPoint(w - 2, 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)})
        pixels_.BlendPixel(inner.x(), inner.y(), frame, Quarter);
    for (const QPoint beside : {QPoint(0, 1), QPoint(1, 0), QPoint(w - 1, 1), QPoint(w - 2, 0), QPoint(0, h - 2),
                                QPoint(1, h - 1), QPoint(w - 1, h - 2), QPoint(w - 2, h - 1)})
        pixels_.BlendPixel(beside.x(), beside.y(), frame, Third);
}

void GlassRenderer::DrawSunkenBevel(QRgb frame)
{
    const int w = pixels_.Width();
    const int h = pixels_.Height();
    pixels_.Polyline({{2, h - 2}, {1, h - 3}, {1, 2}, {2, 1}, {w - 2, 1}}, Blend(frame, qRgb(0, 0, 0), ThreeQuarters));
    pixels_.Polyline({{w - 2, 2}, {w - 2, h - 3}, {w - 3, h - 2}, {2, h - 2}},
                     Blend(frame, qRgb(255, 255, 255), ThreeQuarters));
}

void GlassRenderer::ApplyFocusGlow(QRgb focusColor, int lightHeight)
{
    const int w = pixels_.Width();
    const int h = pixels_.Height();
    const int glowHeight = std::min(std::max(lightHeight, 0), h);
    const int halfWidth = (w + 1) / 2;
    for (int x = 0; x < halfWidth; ++x) {
        const int spread = std::min(MulDiv(255, x, halfWidth), 255);
        for (int r = 0; r < glowHeight - 1; ++r) {
            const int y = h - glowHeight + r;
            const int strength = MulDiv(spread, r, glowHeight);
            pixels_.BlendPixel(x, y, focusColor, 255 - strength);
            if (x < w - 1 - x)
                pixels_.BlendPixel(w - 1 - x, y, focusColor, 255 - strength);
        }
    }
}

} // namespace quarvel
