#include "support/NamedCases.h"
#include "widgets/RenderImage.h"
#include "widgets/TrkVistaPanel.h"

#include <QColor>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace quarvel::test {
namespace {

using test::PrintTo;

// The top bar as the main window configures it.
void UseWindowColors(TrkVistaPanel& panel)
{
    panel.SetColors(Qt::white, QColor(128, 128, 128), QColor(0x40, 0x40, 0x40), QColor(0x49, 0x50, 0x7A));
}

struct BarPixel {
    const char* name;
    int x;
    int y;
    QRgb expected;
};

class VistaBarPixel : public ::testing::TestWithParam<BarPixel> {};

// Row 15 is the last of the upper ramp (136), row 16 restarts from the clamped turn colour
// (64) and the lower rows climb to 124; each averages with the ramp from #404040 to #49507A.
TEST_P(VistaBarPixel, MatchesTheGradientRules)
{
    TrkVistaPanel panel;
    UseWindowColors(panel);
    panel.resize(885, 32);
    const QImage image = RenderImage(panel);
    EXPECT_EQ(image.pixel(GetParam().x, GetParam().y), GetParam().expected)
        << std::hex << image.pixel(GetParam().x, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(WindowColors, VistaBarPixel,
                         ::testing::Values(BarPixel{"TopLeft", 0, 0, Grey(159)},
                                           BarPixel{"Row15Left", 0, 15, Grey(100)},
                                           BarPixel{"Row16Left", 0, 16, Grey(64)},
                                           BarPixel{"Row31Left", 0, 31, Grey(94)},
                                           BarPixel{"Row15Right", 884, 15, qRgb(104, 107, 128)},
                                           BarPixel{"Row16Right", 884, 16, qRgb(68, 71, 92)},
                                           BarPixel{"Row31Right", 884, 31, qRgb(98, 101, 122)}),
                         test::CaseName());

TEST(VistaPanel, OneRowUsesTheLowerRampFromTheTurnColour)
{
    TrkVistaPanel panel;
    UseWindowColors(panel);
    panel.resize(10, 1);
    const QImage image = RenderImage(panel);
    // The turn colour clamps to black, so the row is half the horizontal ramp.
    EXPECT_EQ(image.pixel(0, 0), Grey(32));
}

TEST(VistaPanel, LessRedOnTopGivesAFlatLowerBandOfColor2)
{
    const QColor bottom(200, 100, 50);
    TrkVistaPanel panel;
    panel.SetColors(QColor(10, 20, 250), bottom, bottom, bottom);
    panel.resize(7, 32);
    const QImage image = RenderImage(panel);
    EXPECT_EQ(image.pixel(3, 0), qRgb(105, 60, 150));
    for (int y = 16; y < 32; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(image.pixel(x, y), bottom.rgb()) << x << "," << y;
}

struct CenteredRow {
    const char* name;
    int width;
    std::vector<int> levels;
};

class VistaCenter : public ::testing::TestWithParam<CenteredRow> {};

// A black vertical ramp leaves half the horizontal ramp, which runs to the middle and back.
TEST_P(VistaCenter, MirrorsTheRampAroundTheMiddle)
{
    TrkVistaPanel panel;
    panel.SetColors(Qt::black, Qt::black, Qt::black, QColor(250, 250, 250));
    panel.SetCenter(true);
    panel.resize(GetParam().width, 2);
    const QImage image = RenderImage(panel);
    for (int x = 0; x < GetParam().width; ++x)
        EXPECT_EQ(image.pixel(x, 1), Grey(GetParam().levels[x])) << "column " << x;
}

INSTANTIATE_TEST_SUITE_P(Widths, VistaCenter,
                         ::testing::Values(CenteredRow{"OddWidthComputesTheMiddleOnce", 5, {0, 41, 83, 41, 0}},
                                           CenteredRow{"EvenWidth", 4, {0, 62, 62, 0}},
                                           CenteredRow{"OneColumn", 1, {0}}),
                         test::CaseName());

TEST(VistaPanel, HighDensityRepeatsEachLogicalPixelOnItsDeviceBlock)
{
    TrkVistaPanel panel;
    UseWindowColors(panel);
    panel.resize(885, 32);
    const QImage image = RenderImage(panel, 2);
    ASSERT_EQ(image.size(), QSize(1770, 64));
    for (int device = 0; device < 2; ++device) {
        EXPECT_EQ(image.pixel(device, 30 + device), Grey(100));
        EXPECT_EQ(image.pixel(device, 32 + device), Grey(64));
        EXPECT_EQ(image.pixel(1768 + device, 30 + device), qRgb(104, 107, 128));
    }
}

} // namespace
} // namespace quarvel::test
