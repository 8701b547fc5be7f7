#include "support/NamedCases.h"
#include "widgets/GlassButtonFixture.h"
#include "widgets/RenderImage.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace quarvel::test {
namespace {

using test::PrintTo;

// On the grey 100 background with frame #303030 the outline colour is 74.
enum class Look { Idle, Hot, Pressed, DownNotHot, DownAndHot };

void Show(GlassButtonFixture& fixture, Look look)
{
    fixture.button.SetDown(look == Look::DownNotHot || look == Look::DownAndHot);
    if (look == Look::Hot || look == Look::DownAndHot)
        fixture.Hover({0, 0});
    if (look == Look::Pressed)
        fixture.Press({0, 0});
}

struct ExpectedPixel {
    int x;
    int y;
    int level;
};

struct LookCase {
    const char* name;
    Look look;
    int glossyLevel;
    bool glossy;
    std::vector<ExpectedPixel> pixels;
};

class GlassButtonLook : public ::testing::TestWithParam<LookCase> {};

TEST_P(GlassButtonLook, PaintsThePixelRules)
{
    GlassButtonFixture fixture;
    fixture.button.SetGlossyLevel(GetParam().glossyLevel);
    fixture.button.SetGlossy(GetParam().glossy);
    Show(fixture, GetParam().look);
    const QImage image = RenderImage(fixture.button);
    for (const ExpectedPixel& pixel : GetParam().pixels)
        EXPECT_EQ(image.pixel(pixel.x, pixel.y), Grey(pixel.level)) << "pixel " << pixel.x << "," << pixel.y;
}

INSTANTIATE_TEST_SUITE_P(
    States, GlassButtonLook,
    ::testing::Values(
        LookCase{"IdleShowsOnlyTheBackground", Look::Idle, 37, true, {{0, 0, 100}, {5, 0, 100}, {1, 1, 100}, {5, 16, 100}}},
        LookCase{"HotBodyOutlineAndCorners",
                 Look::Hot,
                 37,
                 true,
                 {{5, 1, 220}, {5, 2, 217}, {5, 16, 143}, {5, 30, 143},
                  {5, 0, 74}, {5, 31, 74}, {0, 5, 74}, {143, 5, 74},
                  {1, 0, 82}, {0, 1, 82}, {142, 0, 82}, {143, 1, 82}, {0, 30, 82}, {1, 31, 82}, {143, 30, 82}, {142, 31, 82},
                  {1, 1, 110}, {142, 1, 110}, {1, 30, 91}, {142, 30, 91},
                  {0, 0, 100}, {143, 0, 100}, {0, 31, 100}, {143, 31, 100}}},
        LookCase{"GlossyLevelZeroStillGlosses", Look::Hot, 0, true, {{5, 1, 206}, {5, 2, 199}, {5, 16, 100}}},
        LookCase{"GlossyOffLeavesOnlyTheOutline", Look::Hot, 37, false,
                 {{5, 1, 100}, {5, 16, 100}, {5, 0, 74}, {1, 1, 80}, {1, 0, 82}}},
        LookCase{"DownNotHotIsTintedTwice", Look::DownNotHot, 37, true,
                 {{5, 2, 240}, {5, 16, 129}, {1, 5, 55}, {5, 1, 55}, {142, 5, 119}, {5, 30, 119}}},
        LookCase{"DownAndHotIsTintedOnce", Look::DownAndHot, 37, true,
                 {{5, 2, 196}, {5, 16, 81}, {1, 5, 55}, {142, 5, 119}}},
        LookCase{"PressedLooksLikeDownAndHot", Look::Pressed, 37, true, {{5, 2, 196}, {5, 16, 81}, {1, 5, 55}, {142, 5, 119}}}),
    test::CaseName());

TEST(GlassButton, GlossFadesRowByRowOverTheUpperHalf)
{
    GlassButtonFixture fixture;
    fixture.Hover();
    const QImage image = RenderImage(fixture.button);
    // The tint makes 100 into 143; rows 1 to 15 are then lit with g = 176, 170, ..., 92.
    for (int row = 0; row < 15; ++row) {
        const int lift = 176 - 6 * row;
        EXPECT_EQ(image.pixel(70, 1 + row), Grey(143 + (255 - 143) * lift / 256)) << "row " << row;
    }
    for (int row = 15; row < 30; ++row)
        EXPECT_EQ(image.pixel(70, 1 + row), Grey(143)) << "row " << row;
}

struct GlossCase {
    const char* name;
    int level;
    int gloss;
};

class GlassButtonGloss : public ::testing::TestWithParam<GlossCase> {};

TEST_P(GlassButtonGloss, DerivesTheBodyAlphaFromTheLevel)
{
    TrkGlassButton button(QString{});
    EXPECT_EQ(button.Gloss(), 0);
    button.SetGlossyLevel(GetParam().level);
    EXPECT_EQ(button.Gloss(), GetParam().gloss);
}

INSTANTIATE_TEST_SUITE_P(Levels, GlassButtonGloss,
                         ::testing::Values(GlossCase{"Window", 37, 72}, GlossCase{"Zero", 0, 0},
                                           GlossCase{"Full", 100, 196}, GlossCase{"AboveFullClamps", 150, 196},
                                           GlossCase{"NegativeClampsToZero", -5, 0}),
                         test::CaseName());

TEST(GlassButton, DisabledKeepsTheDownLookButDropsTheHotOne)
{
    GlassButtonFixture hot;
    hot.Hover();
    hot.button.setEnabled(false);
    EXPECT_EQ(RenderImage(hot.button).pixel(5, 16), Grey(100));

    GlassButtonFixture down;
    down.button.SetDown(true);
    down.button.setEnabled(false);
    EXPECT_EQ(RenderImage(down.button).pixel(5, 16), Grey(129));
}

struct TinySize {
    const char* name;
    QSize size;
};

class GlassButtonTiny : public ::testing::TestWithParam<TinySize> {};

// The gloss divides by half the body's height; a body of one row or none has no gloss.
TEST_P(GlassButtonTiny, PaintsEveryLookWithoutFailing)
{
    for (const Look look : {Look::Idle, Look::Hot, Look::Pressed, Look::DownNotHot, Look::DownAndHot}) {
        GlassButtonFixture fixture(GetParam().size, QStringLiteral("Open Mame exe/xml"));
        fixture.button.SetTabStop(true);
        fixture.button.SetFlat(false);
        Show(fixture, look);
        const QImage image = RenderImage(fixture.button);
        EXPECT_EQ(image.size(), GetParam().size);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, GlassButtonTiny,
                         ::testing::Values(TinySize{"OnePixel", {1, 1}}, TinySize{"TwoByTwo", {2, 2}},
                                           TinySize{"ThreeByThree", {3, 3}}, TinySize{"FourByFour", {4, 4}},
                                           TinySize{"OneRow", {144, 1}}, TinySize{"TwoRows", {144, 2}},
                                           TinySize{"ThreeRows", {144, 3}}, TinySize{"ThreeColumns", {3, 32}}),
                         test::CaseName());

TEST(GlassButton, ABodyOfOneRowIsTintedWithoutGloss)
{
    GlassButtonFixture fixture({144, 3});
    fixture.Hover({5, 1});
    EXPECT_EQ(RenderImage(fixture.button).pixel(5, 1), Grey(143));
}

TEST(GlassButton, HighDensityAppliesThePixelRulesToEveryDeviceRow)
{
    GlassButtonFixture fixture;
    fixture.Hover();
    const QImage image = RenderImage(fixture.button, 2);
    ASSERT_EQ(image.size(), QSize(288, 64));
    const ExpectedPixel logical[] = {{5, 1, 220}, {5, 2, 217}, {5, 16, 143}, {5, 0, 74}, {1, 1, 110}, {0, 0, 100}};
    for (const ExpectedPixel& pixel : logical)
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                EXPECT_EQ(image.pixel(2 * pixel.x + dx, 2 * pixel.y + dy), Grey(pixel.level))
                    << "pixel " << pixel.x << "," << pixel.y << " device " << dx << "," << dy;
}

QImage CaptionImage(const QString& caption, QSize size, bool enabled = true)
{
    GlassButtonFixture fixture(size, caption);
    QFont big = fixture.button.font();
    big.setPixelSize(20);
    fixture.button.setFont(big);
    fixture.button.SetFontColor(QColor(255, 0, 0));
    fixture.button.SetColorDisabled(QColor(0, 255, 0));
    fixture.button.setEnabled(enabled);
    return RenderImage(fixture.button);
}

bool Holds(const QImage& image, QRgb color)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                return true;
    return false;
}

TEST(GlassButton, CaptionUsesTheFontColourOrTheDisabledColour)
{
    const QImage enabled = CaptionImage(QStringLiteral("IHI"), {80, 32});
    EXPECT_TRUE(Holds(enabled, qRgb(255, 0, 0)));
    EXPECT_FALSE(Holds(enabled, qRgb(0, 255, 0)));
    const QImage disabled = CaptionImage(QStringLiteral("IHI"), {80, 32}, false);
    EXPECT_TRUE(Holds(disabled, qRgb(0, 255, 0)));
    EXPECT_FALSE(Holds(disabled, qRgb(255, 0, 0)));
}

TEST(GlassButton, ALongCaptionEndsInAnEllipsis)
{
    const QString caption = QStringLiteral("Roms List (XML/in disk)");
    GlassButtonFixture fixture({60, 32});
    QFont big = fixture.button.font();
    big.setPixelSize(20);
    const QString elided = QFontMetrics(big).elidedText(caption, Qt::ElideRight, 59);
    ASSERT_TRUE(elided.endsWith(QChar(0x2026)));
    EXPECT_EQ(CaptionImage(caption, {60, 32}), CaptionImage(elided, {60, 32}));
}

TEST(GlassButton, PressingShiftsTheCaptionOnePixel)
{
    GlassButtonFixture idle({80, 32}, QStringLiteral("IHI"));
    GlassButtonFixture pressed({80, 32}, QStringLiteral("IHI"));
    idle.button.SetGlossy(false);
    pressed.button.SetGlossy(false);
    pressed.Press();
    const QImage before = RenderImage(idle.button);
    const QImage after = RenderImage(pressed.button);
    for (int y = 3; y < 27; ++y)
        for (int x = 3; x < 75; ++x)
            ASSERT_EQ(after.pixel(x + 1, y + 1), before.pixel(x, y)) << x << "," << y;
}

} // namespace
} // namespace quarvel::test
