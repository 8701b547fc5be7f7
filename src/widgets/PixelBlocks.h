#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

#include <initializer_list>

class QPainter;

namespace quarvel {

// The logical pixels of a 24-bit RGB image drawn for a screen with a whole-number device
// pixel ratio: every logical pixel is a scale × scale block of device pixels, so pixel rules
// written for the logical design hold on every device pixel row of a high-density screen.
class PixelBlocks {
public:
    // image: Format_RGB888, its size a whole multiple of scale.
    PixelBlocks(QImage& image, int scale);

    // The device pixels per logical pixel of whatever the painter draws on: the screen's
    // ratio in a paint event, the target's when a widget is rendered into an image. A ratio
    // between whole numbers rounds up, so images are never scaled up and blurred.
    static int DeviceScale(const QPainter& painter);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Scale() const { return scale_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // The colour of the block's first device pixel; (x, y) must lie inside.
    QRgb Pixel(int x, int y) const;
    // Writes are clipped to the image, so tiny controls need no special cases.
    void SetPixel(int x, int y, QRgb color);
    // Every device pixel of the block becomes Blend(pixel, color, weight).
    void BlendPixel(int x, int y, QRgb color, int weight);
    // A horizontal, vertical or diagonal line that includes from and excludes to.
    void Line(QPoint from, QPoint to, QRgb color);
    // Connected lines; the last point is left out.
    void Polyline(std::initializer_list<QPoint> points, QRgb color);

    // The first byte of a device row; channels are stored red, green, blue.
    uchar* DeviceRow(int deviceY) { return bits_ + deviceY * bytesPerLine_; }

    // Calls change(rgb) with the three channel bytes of every device pixel of the block.
    template <typename Change>
    void ChangePixel(int x, int y, Change change)
    {
        if (!Contains(x, y))
            return;
        for (int row = y * scale_; row < (y + 1) * scale_; ++row) {
            uchar* rgb = DeviceRow(row) + x * scale_ * 3;
            for (int column = 0; column < scale_; ++column, rgb += 3)
                change(rgb);
        }
    }

private:
    uchar* bits_;
    qsizetype bytesPerLine_;
    int scale_;
    int width_;
    int height_;
};

} // namespace quarvel
