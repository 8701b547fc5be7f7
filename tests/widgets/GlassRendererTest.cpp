#include "widgets/GlassRenderer.h"
#include "widgets/PixelBlocks.h"

#include <QImage>

#include <gtest/gtest.h>

namespace quarvel::test {
namespace {

QImage GreyImage(QSize size, int scale)
{
    QImage image(size * scale, QImage::Format_RGB888);
    image.fill(QColor(100, 100, 100));
    return image;
}

// Yellow glow over the lowest 27 of 32 rows of a 144-pixel-wide grey image.
TEST(GlassRenderer, FocusGlowIsStrongestAtTheBottomCentre)
{
    for (const int scale : {1, 2}) {
        QImage image = GreyImage({144, 32}, scale);
        PixelBlocks pixels(image, scale);
        GlassRenderer(pixels).ApplyFocusGlow(qRgb(255, 255, 0), 27);
        // Column 71: spread MulDiv(255, 71, 72) = 251; row 30 is r = 25: MulDiv(251, 25, 27) = 232.
        EXPECT_EQ(pixels.Pixel(71, 30), qRgb(241, 241, 8)) << scale;
        EXPECT_EQ(pixels.Pixel(72, 30), qRgb(241, 241, 8)) << scale;
        // The edge columns have no spread, yet keep only 255 of 256 parts of their colour.
        EXPECT_EQ(pixels.Pixel(0, 30), qRgb(100, 100, 99)) << scale;
        EXPECT_EQ(pixels.Pixel(143, 30), qRgb(100, 100, 99)) << scale;
        // The last row and the rows above the glow stay as they were.
        EXPECT_EQ(pixels.Pixel(71, 31), qRgb(100, 100, 100)) << scale;
        EXPECT_EQ(pixels.Pixel(71, 4), qRgb(100, 100, 100)) << scale;
    }
}

TEST(GlassRenderer, FocusGlowWithoutHeightChangesNothing)
{
    QImage image = GreyImage({10, 5}, 1);
    const QImage before = image.copy();
    PixelBlocks pixels(image, 1);
    GlassRenderer(pixels).ApplyFocusGlow(qRgb(255, 255, 0), -3);
    EXPECT_EQ(image, before);
}

} // namespace
} // namespace quarvel::test
