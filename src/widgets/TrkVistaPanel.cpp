#include "widgets/TrkVistaPanel.h"

#include <QPainter>

namespace quarvel {

TrkVistaPanel::TrkVistaPanel(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TrkVistaPanel::SetColors(const QColor& color1, const QColor& color2, const QColor& color3, const QColor& color4)
{
    color1_ = color1;
    color2_ = color2;
    color3_ = color3;
    color4_ = color4;
    update();
}

void TrkVistaPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient across(0, 0, width(), 0);
    across.setColorAt(0, color3_);
    across.setColorAt(1, color4_);
    painter.fillRect(rect(), across);
    QLinearGradient down(0, 0, 0, height());
    QColor top = color1_;
    QColor bottom = color2_;
    top.setAlpha(70);
    bottom.setAlpha(20);
    down.setColorAt(0, top);
    down.setColorAt(0.5, bottom);
    down.setColorAt(1, QColor(0, 0, 0, 0));
    painter.fillRect(rect(), down);
}

} // namespace quarvel
