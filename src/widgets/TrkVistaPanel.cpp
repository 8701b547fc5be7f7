#include "widgets/TrkVistaPanel.h"

#include "widgets/PixelBlocks.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace quarvel {

namespace {

constexpr int TurnOvershoot = 7;

// Each colour as its three channels, so the ramps can go below zero before clamping.
struct Channels {
    int red;
    int green;
    int blue;
};

Channels Split(const QColor& color)
{
    return {color.red(), color.green(), color.blue()};
}

// from + (to - from) * step / steps per channel, truncated toward zero.
Channels Ramp(Channels from, Channels to, int step, int steps)
{
    return {from.red + (to.red - from.red) * step / steps, from.green + (to.green - from.green) * step / steps,
            from.blue + (to.blue - from.blue) * step / steps};
}

int TurnChannel(int from, int to)
{
    return std::clamp(from + (to - from) * TurnOvershoot / 2, 0, 255);
}

// The colour the lower half starts from: far past Color2, clamped; Color2 itself when the
// ramp brightens in red, the only channel compared.
Channels TurnColor(Channels top, Channels bottom)
{
    if (top.red < bottom.red)
        return bottom;
    return {TurnChannel(top.red, bottom.red), TurnChannel(top.green, bottom.green),
            TurnChannel(top.blue, bottom.blue)};
}

std::vector<Channels> VerticalTable(Channels top, Channels bottom, int height)
{
    const int half = height / 2;
    const Channels turn = TurnColor(top, bottom);
    std::vector<Channels> table(height);
    for (int y = 0; y < half; ++y)
        table[y] = Ramp(top, bottom, y, half);
    // The lower ramp divides by the whole height, so it never reaches the bottom colour.
    for (int y = half; y < height; ++y)
        table[y] = Ramp(turn, bottom, y, height);
    return table;
}

std::vector<Channels> HorizontalTable(Channels left, Channels right, int width, bool center)
{
    const int computed = center ? (width + 1) / 2 : width;
    std::vector<Channels> table(width);
    for (int x = 0; x < computed; ++x) {
        table[x] = Ramp(left, right, x, computed);
        if (center && x < width - 1 - x)
            table[width - 1 - x] = table[x];
    }
    return table;
}

} // namespace

TrkVistaPanel::TrkVistaPanel(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrkVistaPanel::SetColorField(QColor& field, const QColor& color)
{
    field = color.toRgb();
    update();
}

void TrkVistaPanel::SetColor1(const QColor& color)
{
    SetColorField(FColor1, color);
}

void TrkVistaPanel::SetColor2(const QColor& color)
{
    SetColorField(FColor2, color);
}

void TrkVistaPanel::SetColor3(const QColor& color)
{
    SetColorField(FColor3, color);
}

void TrkVistaPanel::SetColor4(const QColor& color)
{
    SetColorField(FColor4, color);
}

void TrkVistaPanel::SetColors(const QColor& color1, const QColor& color2, const QColor& color3, const QColor& color4)
{
    SetColor1(color1);
    SetColor2(color2);
    SetColor3(color3);
    SetColor4(color4);
}

void TrkVistaPanel::SetCenter(bool center)
{
    FCenter = center;
    update();
}

void TrkVistaPanel::paintEvent(QPaintEvent* event)
{
    const QRect area = event->rect() & rect();
    if (area.isEmpty())
        return;
    QPainter painter(this);
    const int scale = PixelBlocks::DeviceScale(painter);
    const std::vector<Channels> vertical = VerticalTable(Split(FColor1), Split(FColor2), height());
    const std::vector<Channels> horizontal = HorizontalTable(Split(FColor3), Split(FColor4), width(), FCenter);

    // Only the exposed part is built; every device pixel takes its logical pixel's colour.
    QImage image(area.size() * scale, QImage::Format_RGB888);
    image.setDevicePixelRatio(scale);
    for (int deviceY = 0; deviceY < image.height(); ++deviceY) {
        const Channels down = vertical[area.top() + deviceY / scale];
        uchar* rgb = image.scanLine(deviceY);
        for (int deviceX = 0; deviceX < image.width(); ++deviceX, rgb += 3) {
            const Channels across = horizontal[area.left() + deviceX / scale];
            rgb[0] = static_cast<uchar>((down.red + across.red) / 2);
            rgb[1] = static_cast<uchar>((down.green + across.green) / 2);
            rgb[2] = static_cast<uchar>((down.blue + across.blue) / 2);
        }
    }
    painter.drawImage(area.topLeft(), image);
}

} // namespace quarvel
