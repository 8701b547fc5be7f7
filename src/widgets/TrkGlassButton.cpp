#include "widgets/TrkGlassButton.h"

#include "widgets/ColorMath.h"
#include "widgets/GlassRenderer.h"
#include "widgets/PixelBlocks.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

namespace quarvel {

namespace {

constexpr int MaxGlossyLevel = 100;
constexpr int MaxGlossAlpha = 196;
constexpr double InchesPerMetre = 39.37;

bool IsEnterKey(const QKeyEvent* event)
{
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

TrkGlassButton::TrkGlassButton(const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
{
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
    // Moves without a held button make the button hot.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FLightHeight = height();
}

template <typename Value>
void TrkGlassButton::SetField(Value& field, Value value)
{
    if (field == value)
        return;
    field = value;
    update();
}

void TrkGlassButton::SetColorField(QColor& field, const QColor& color)
{
    SetField(field, color.toRgb());
}

void TrkGlassButton::SetColor(const QColor& color)
{
    SetColorField(FColor, color);
}

void TrkGlassButton::SetColorDown(const QColor& color)
{
    SetColorField(FColorDown, color);
}

void TrkGlassButton::SetColorFrame(const QColor& color)
{
    SetColorField(FColorFrame, color);
}

void TrkGlassButton::SetColorFocused(const QColor& color)
{
    SetColorField(FColorFocused, color);
}

void TrkGlassButton::SetColorDisabled(const QColor& color)
{
    SetColorField(FDisabledColor, color);
}

void TrkGlassButton::SetFontColor(const QColor& color)
{
    SetColorField(FFontColor, color);
}

void TrkGlassButton::SetGlossy(bool glossy)
{
    SetField(FGlossy, glossy);
}

void TrkGlassButton::SetGlossyLevel(int level)
{
    FGlossyLevel = std::clamp(level, 0, MaxGlossyLevel);
    FGloss = MulDiv(FGlossyLevel * 255 / MaxGlossyLevel, MaxGlossAlpha, 255);
    update();
}

void TrkGlassButton::SetLightHeight(int height)
{
    SetField(FLightHeight, std::max(height, 0));
}

void TrkGlassButton::SetAltFocus(bool altFocus)
{
    SetField(FAltFocus, altFocus);
}

void TrkGlassButton::SetFlat(bool flat)
{
    SetField(FFlat, flat);
}

void TrkGlassButton::SetDown(bool down)
{
    SetField(FDown, down);
}

void TrkGlassButton::SetTextAlign(Qt::Alignment align)
{
    SetField(FTextAlign, align);
}

void TrkGlassButton::SetArrowWidth(int width)
{
    SetField(FArrowWidth, width);
}

void TrkGlassButton::SetTabStop(bool tabStop)
{
    setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus);
}

QSize TrkGlassButton::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(text()) + 24, 32};
}

int TrkGlassButton::HitIndex(int x) const
{
    return x > width() - FArrowWidth - 2 ? 1 : 0;
}

void TrkGlassButton::ResetPointerState()
{
    FButtonDown = false;
    FBtnIdx = -1;
    update();
}

bool TrkGlassButton::ClickOnce()
{
    MClick = true;
    return !InBtn || FireClick();
}

bool TrkGlassButton::FireClick()
{
    const QPointer<TrkGlassButton> alive(this);
    emit clicked();
    return !alive.isNull();
}

void TrkGlassButton::enterEvent(QEnterEvent*)
{
    ResetPointerState();
}

void TrkGlassButton::leaveEvent(QEvent*)
{
    ResetPointerState();
}

void TrkGlassButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    MClick = false;
    // A press is inside by definition, even when no move came before it.
    InBtn = true;
    FButtonDown = true;
    FBtnIdx = HitIndex(event->position().toPoint().x());
    repaint();
}

void TrkGlassButton::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    InBtn = rect().contains(at);
    if (!InBtn || FButtonDown)
        return;
    const int index = HitIndex(at.x());
    if (index != FBtnIdx) {
        FBtnIdx = index;
        update();
    }
    // Coming back in with the button still held restores the pressed look.
    FButtonDown = event->buttons().testFlag(Qt::LeftButton);
}

void TrkGlassButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    if (rect().contains(event->position().toPoint()) && !ClickOnce())
        return;
    if (!MClick && InBtn && FButtonDown && !ClickOnce())
        return;
    ResetPointerState();
}

void TrkGlassButton::keyPressEvent(QKeyEvent* event)
{
    if (IsEnterKey(event)) {
        if (!event->isAutoRepeat()) {
            FButtonDown = true;
            FBtnIdx = 0;
            repaint();
        }
    } else if (event->key() == Qt::Key_Left) {
        focusNextPrevChild(false);
    } else if (event->key() == Qt::Key_Right) {
        focusNextPrevChild(true);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void TrkGlassButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!IsEnterKey(event)) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    // Held keys repeat their releases on some platforms; only the real release clicks.
    if (event->isAutoRepeat())
        return;
    ResetPointerState();
    FireClick();
}

void TrkGlassButton::changeEvent(QEvent* event)
{
    // A disabled button gets no pointer input, so it must not keep a hot or pressed look.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        FButtonDown = false;
        FBtnIdx = -1;
    }
    QAbstractButton::changeEvent(event);
}

void TrkGlassButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    ComposeImage(PixelBlocks::DeviceScale(painter));
    painter.drawImage(QPoint(0, 0), FBmp);
}

void TrkGlassButton::ComposeImage(int scale)
{
    const QSize deviceSize = size() * scale;
    if (FBmp.size() != deviceSize)
        FBmp = QImage(deviceSize, QImage::Format_RGB888);
    FBmp.setDevicePixelRatio(scale);
    // Point-sized captions come out as large as on the button itself.
    FBmp.setDotsPerMeterX(qRound(logicalDpiX() * InchesPerMetre));
    FBmp.setDotsPerMeterY(qRound(logicalDpiY() * InchesPerMetre));
    PaintParentBackground();
    PixelBlocks pixels(FBmp, scale);
    GlassRenderer glass(pixels);
    if (hasFocus() || !FFlat)
        PaintFocusLook(glass);
    if (Hot() || Pressed())
        PaintActiveLook(glass);
    DrawCaption();
}

void TrkGlassButton::PaintParentBackground()
{
    QWidget* parent = parentWidget();
    const QWidget* backgroundOwner = parent ? parent : this;
    FBmp.fill(backgroundOwner->palette().color(backgroundOwner->backgroundRole()));
    if (!parent)
        return;
    const QRegion visible = QRegion(geometry()) & parent->rect();
    if (visible.isEmpty())
        return;
    parent->render(&FBmp, visible.boundingRect().topLeft() - pos(), visible, QWidget::DrawWindowBackground);
}

QRect TrkGlassButton::Body() const
{
    return rect().adjusted(1, 1, -1, -1);
}

void TrkGlassButton::PaintFocusLook(GlassRenderer& glass)
{
    const QRgb frame = glass.FrameColor(FColorFrame.rgb());
    if (!Hot())
        glass.RenderBody(Body(), FColor.rgb(), FGloss, FGlossy);
    if (hasFocus())
        ApplyFocus(glass);
    glass.DrawOutline(frame);
}

void TrkGlassButton::PaintActiveLook(GlassRenderer& glass)
{
    glass.RenderBody(Body(), (Pressed() ? FColorDown : FColor).rgb(), FGloss, FGlossy);
    const QRgb frame = glass.FrameColor(FColorFrame.rgb());
    // Down while the pointer is elsewhere: tinted once more, so it looks apart from hot.
    if (!Hot())
        glass.RenderBody(Body(), FColor.rgb(), FGloss, FGlossy);
    if (hasFocus())
        ApplyFocus(glass);
    glass.DrawOutline(frame);
    if (Pressed())
        glass.DrawSunkenBevel(frame);
}

void TrkGlassButton::ApplyFocus(GlassRenderer& glass)
{
    if (FAltFocus)
        glass.RenderBody(Body(), FColorFocused.rgb(), FGloss, FGlossy);
    else
        glass.ApplyFocusGlow(FColorFocused.rgb(), FLightHeight);
}

void TrkGlassButton::DrawCaption()
{
    QPainter painter(&FBmp);
    painter.setFont(font());
    painter.setPen(isEnabled() ? FFontColor : FDisabledColor);
    QRect area(0, 0, width() - 1, height() - 1);
    if (Pressed())
        area.translate(1, 1);
    const QString caption = painter.fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
    painter.drawText(area, int(FTextAlign | Qt::AlignVCenter) | Qt::TextSingleLine, caption);
}

} // namespace quarvel
