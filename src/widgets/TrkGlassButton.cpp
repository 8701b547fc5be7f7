#include "widgets/TrkGlassButton.h"

#include <QPainter>
#include <QPainterPath>

namespace quarvel {

TrkGlassButton::TrkGlassButton(const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
{
    setText(caption);
    setAttribute(Qt::WA_Hover);
    QFont captionFont(QStringLiteral("Segoe UI"), 9);
    setFont(captionFont);
}

void TrkGlassButton::SetDown(bool down)
{
    if (down_ == down)
        return;
    down_ = down;
    update();
}

QSize TrkGlassButton::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(text()) + 24, 32};
}

void TrkGlassButton::enterEvent(QEnterEvent* event)
{
    hot_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TrkGlassButton::leaveEvent(QEvent* event)
{
    hot_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TrkGlassButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool pressed = isDown() || down_;
    if (pressed || hot_) {
        const QColor tint = pressed ? colorDown_ : color_;
        QPainterPath body;
        body.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        QColor fill = tint;
        fill.setAlpha(pressed ? 200 : 60);
        painter.fillPath(body, fill);
        QLinearGradient gloss(0, 0, 0, height() / 2.0);
        gloss.setColorAt(0, QColor(255, 255, 255, 90));
        gloss.setColorAt(1, QColor(255, 255, 255, 20));
        painter.fillRect(QRectF(1, 1, width() - 2, height() / 2.0), gloss);
        painter.setPen(colorFrame_);
        painter.drawPath(body);
    }
    painter.setPen(isEnabled() ? QColor(Qt::white) : QColor(0xC0, 0xC0, 0xC0));
    painter.drawText(rect(), Qt::AlignCenter, text());
}

} // namespace quarvel
