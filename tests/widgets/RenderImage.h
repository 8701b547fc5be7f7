#pragma once

#include <QImage>
#include <QRgb>

class QWidget;

namespace quarvel::test {

// The widget as it paints itself, rendered into an image with the given device pixel ratio.
QImage RenderImage(QWidget& widget, int devicePixelRatio = 1);

// An opaque grey, for backgrounds and expectations whose three channels are equal.
constexpr QRgb Grey(int level)
{
    return qRgb(level, level, level);
}

} // namespace quarvel::test
