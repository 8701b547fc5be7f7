#include "widgets/RenderImage.h"

#include <QWidget>

namespace quarvel::test {

QImage RenderImage(QWidget& widget, int devicePixelRatio)
{
    QImage image(widget.size() * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::magenta);
    widget.render(&image);
    return image;
}

} // namespace quarvel::test
