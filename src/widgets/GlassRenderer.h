#pragma once

#include <QRect>
#include <QRgb>

namespace quarvel {

class PixelBlocks;

// The pixel rules of the glass button's look, applied to its off-screen image in logical
// pixels: the outline colour taken from the background, the glossy body, the outline with
// its cut corners, the sunken bevel and the focus glow.
class GlassRenderer {
public:
    explicit GlassRenderer(PixelBlocks& pixels);

    // The mean of the four corner pixels mixed half and half with colorFrame, so the outline
    // follows whatever background the button sits on.
    QRgb FrameColor(QRgb colorFrame) const;
    // Tints body toward color by gloss / 256 and lightens its upper half toward white,
    // fading row by row; without glossy the body is left as it is. A body of one row has no
    // upper half to light.
    void RenderBody(QRect body, QRgb color, int gloss, bool glossy);
    // One-pixel outline in frame with cut corners; the four corner pixels keep the background.
    void DrawOutline(QRgb frame);
    // A dark upper-left and a light lower-right line inside the outline.
    void DrawSunkenBevel(QRgb frame);
    // A glow of focusColor over the lowest lightHeight rows, strongest at the bottom centre.
    void ApplyFocusGlow(QRgb focusColor, int lightHeight);

private:
    PixelBlocks& pixels_;
};

} // namespace quarvel
