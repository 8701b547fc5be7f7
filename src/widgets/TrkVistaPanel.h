#pragma once

#include <QColor>
#include <QWidget>

namespace quarvel {

// A container that paints its client area with a vertical and a horizontal colour gradient.
class TrkVistaPanel : public QWidget {
    Q_OBJECT

public:
    explicit TrkVistaPanel(QWidget* parent = nullptr);

    void SetColors(const QColor& color1, const QColor& color2, const QColor& color3, const QColor& color4);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color1_ = Qt::white;
    QColor color2_ = QColor(192, 192, 192);
    QColor color3_ = QColor(0xFF, 0xFF, 0x00);
    QColor color4_ = QColor(0x00, 0x80, 0x80);
};

} // namespace quarvel
