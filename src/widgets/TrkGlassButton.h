#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QImage>

namespace quarvel {

class GlassRenderer;

// An owner-drawn top-bar button that shows its parent's background and its caption, and a
// tinted, glossy, rounded body while hot, pressed or latched down. Each paint is composed in
// an off-screen image and copied in one block, so the button never flickers. It answers the
// pointer itself, so that a press yields at most one clicked() and only a release over the
// button clicks.
class TrkGlassButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(QColor ColorDown READ ColorDown WRITE SetColorDown)
    Q_PROPERTY(QColor ColorFrame READ ColorFrame WRITE SetColorFrame)
    Q_PROPERTY(QColor ColorFocused READ ColorFocused WRITE SetColorFocused)
    Q_PROPERTY(QColor ColorDisabled READ ColorDisabled WRITE SetColorDisabled)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE SetFontColor)
    Q_PROPERTY(bool Glossy READ Glossy WRITE SetGlossy)
    Q_PROPERTY(int GlossyLevel READ GlossyLevel WRITE SetGlossyLevel)
    Q_PROPERTY(int LightHeight READ LightHeight WRITE SetLightHeight)
    Q_PROPERTY(bool AltFocus READ AltFocus WRITE SetAltFocus)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
    Q_PROPERTY(Qt::Alignment TextAlign READ TextAlign WRITE SetTextAlign)
    Q_PROPERTY(int ArrowWidth READ ArrowWidth WRITE SetArrowWidth)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)

public:
    explicit TrkGlassButton(const QString& caption, QWidget* parent = nullptr);

    // Body tint when hot, and the second tint of a button that is down while not hot.
    QColor Color() const { return FColor; }
    void SetColor(const QColor& color);
    // Body tint while pressed or down.
    QColor ColorDown() const { return FColorDown; }
    void SetColorDown(const QColor& color);
    // Outline colour, mixed with the background.
    QColor ColorFrame() const { return FColorFrame; }
    void SetColorFrame(const QColor& color);
    QColor ColorFocused() const { return FColorFocused; }
    void SetColorFocused(const QColor& color);
    // Caption colour while disabled.
    QColor ColorDisabled() const { return FDisabledColor; }
    void SetColorDisabled(const QColor& color);
    // Caption colour while enabled.
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor& color);
    // Gloss on the body's upper half; without it the body is not drawn at all.
    bool Glossy() const { return FGlossy; }
    void SetGlossy(bool glossy);
    // Body tint strength, 0 to 100; sets the body alpha Gloss().
    int GlossyLevel() const { return FGlossyLevel; }
    void SetGlossyLevel(int level);
    // The body alpha out of 256 derived from GlossyLevel; 0 until the level is first set.
    int Gloss() const { return FGloss; }
    // Height of the focus glow in pixels.
    int LightHeight() const { return FLightHeight; }
    void SetLightHeight(int height);
    // Focus shown as a tint in ColorFocused instead of a glow.
    bool AltFocus() const { return FAltFocus; }
    void SetAltFocus(bool altFocus);
    // No body while idle.
    bool Flat() const { return FFlat; }
    void SetFlat(bool flat);
    // The latched pressed look that marks the current page.
    bool Down() const { return FDown; }
    void SetDown(bool down);
    // Qt::AlignHCenter, Qt::AlignLeft or Qt::AlignRight.
    Qt::Alignment TextAlign() const { return FTextAlign; }
    void SetTextAlign(Qt::Alignment align);
    // Width of the right-hand hit zone.
    int ArrowWidth() const { return FArrowWidth; }
    void SetArrowWidth(int width);
    // Whether the button takes the keyboard focus.
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool tabStop);

    // -1 while not hot, 0 over the button, 1 over its right-hand zone.
    int BtnIdx() const { return FBtnIdx; }
    // The left button is held on the button.
    bool ButtonDown() const { return FButtonDown; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool Pressed() const { return FButtonDown || FDown; }
    bool Hot() const { return FBtnIdx != -1; }
    int HitIndex(int x) const;
    void ResetPointerState();
    void SetColorField(QColor& field, const QColor& color);
    template <typename Value>
    void SetField(Value& field, Value value);
    // Marks the click of this press and fires it when the pointer was last seen inside.
    // Returns false when a handler destroyed the button.
    bool ClickOnce();
    // Fires clicked(); returns false when a handler destroyed the button.
    bool FireClick();

    QRect Body() const;
    void ComposeImage(int scale);
    void PaintParentBackground();
    void PaintFocusLook(GlassRenderer& glass);
    void PaintActiveLook(GlassRenderer& glass);
    void ApplyFocus(GlassRenderer& glass);
    void DrawCaption();

    QColor FColor = Qt::white;
    QColor FColorDown = Qt::black;
    QColor FColorFrame = QColor(0x80, 0x80, 0x80);
    QColor FColorFocused = QColor(0xFF, 0xFF, 0x00);
    QColor FDisabledColor = QColor(0xC0, 0xC0, 0xC0);
    QColor FFontColor = Qt::black;
    bool FGlossy = false;
    int FGlossyLevel = 37;
    int FGloss = 0;
    int FLightHeight = 0;
    bool FAltFocus = false;
    bool FFlat = true;
    bool FDown = false;
    Qt::Alignment FTextAlign = Qt::AlignHCenter;
    int FArrowWidth = 18;

    int FBtnIdx = -1;
    bool FButtonDown = false;
    bool InBtn = false;
    bool MClick = false;
    QImage FBmp;
};

} // namespace quarvel
