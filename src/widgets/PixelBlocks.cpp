#include "widgets/PixelBlocks.h"

#include "widgets/ColorMath.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quarvel {

namespace {

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

PixelBlocks::PixelBlocks(QImage& image, int scale)
    : bits_(image.bits())
    , bytesPerLine_(image.bytesPerLine())
    , scale_(scale)
    , width_(image.width() / scale)
    , height_(image.height() / scale)
{
}

int PixelBlocks::DeviceScale(const QPainter& painter)
{
    constexpr double RoundingSlack = 1e-6;
    return std::max(1, int(std::ceil(painter.deviceTransform().m11() - RoundingSlack)));
}

QRgb PixelBlocks::Pixel(int x, int y) const
{
    const uchar* rgb = bits_ + y * scale_ * bytesPerLine_ + x * scale_ * 3;
    return qRgb(rgb[0], rgb[1], rgb[2]);
}

void PixelBlocks::SetPixel(int x, int y, QRgb color)
{
    ChangePixel(x, y, [color](uchar* rgb) {
        rgb[0] = static_cast<uchar>(qRed(color));
        rgb[1] = static_cast<uchar>(qGreen(color));
        rgb[2] = static_cast<uchar>(qBlue(color));
    });
}

void PixelBlocks::BlendPixel(int x, int y, QRgb color, int weight)
{
    ChangePixel(x, y, [color, weight](uchar* rgb) {
        rgb[0] = static_cast<uchar>(BlendChannel(rgb[0], qRed(color), weight));
        rgb[1] = static_cast<uchar>(BlendChannel(rgb[1], qGreen(color), weight));
        rgb[2] = static_cast<uchar>(BlendChannel(rgb[2], qBlue(color), weight));
    });
}

void PixelBlocks::Line(QPoint from, QPoint to, QRgb color)
{
    const QPoint delta = to - from;
    const QPoint step(Sign(delta.x()), Sign(delta.y()));
    const int length = std::max(std::abs(delta.x()), std::abs(delta.y()));
    QPoint at = from;
    for (int i = 0; i < length; ++i, at += step)
        SetPixel(at.x(), at.y(), color);
}

void PixelBlocks::Polyline(std::initializer_list<QPoint> points, QRgb color)
{
    const QPoint* from = points.begin();
    for (const QPoint* to = from + 1; to != points.end(); from = to++)
        Line(*from, *to, color);
}

} // namespace quarvel
