#pragma once

#include <QColor>
#include <QWidget>

namespace quarvel {

// A container that paints its client area with the vgVista gradient: a vertical ramp from
// Color1 toward Color2 that turns sharply at the middle, averaged with a horizontal ramp
// from Color3 to Color4. The image is rebuilt on every paint; there is no cache to go stale.
class TrkVistaPanel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor Color1 READ Color1 WRITE SetColor1)
    Q_PROPERTY(QColor Color2 READ Color2 WRITE SetColor2)
    Q_PROPERTY(QColor Color3 READ Color3 WRITE SetColor3)
    Q_PROPERTY(QColor Color4 READ Color4 WRITE SetColor4)
    Q_PROPERTY(bool Center READ Center WRITE SetCenter)

public:
    explicit TrkVistaPanel(QWidget* parent = nullptr);

    // Top and bottom colours of the vertical ramp.
    QColor Color1() const { return FColor1; }
    void SetColor1(const QColor& color);
    QColor Color2() const { return FColor2; }
    void SetColor2(const QColor& color);
    // Left and right colours of the horizontal ramp.
    QColor Color3() const { return FColor3; }
    void SetColor3(const QColor& color);
    QColor Color4() const { return FColor4; }
    void SetColor4(const QColor& color);
    void SetColors(const QColor& color1, const QColor& color2, const QColor& color3, const QColor& color4);
    // Mirrors the horizontal ramp around the middle column.
    bool Center() const { return FCenter; }
    void SetCenter(bool center);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void SetColorField(QColor& field, const QColor& color);

    QColor FColor1 = Qt::white;
    QColor FColor2 = QColor(192, 192, 192);
    QColor FColor3 = QColor(0xFF, 0xFF, 0x00);
    QColor FColor4 = QColor(0x00, 0x80, 0x80);
    bool FCenter = false;
};

} // namespace quarvel
