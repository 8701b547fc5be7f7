#include "support/NamedCases.h"
#include "widgets/GlassButtonFixture.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace quarvel::test {
namespace {

using test::PrintTo;

const QPoint Inside(20, 10);
const QPoint Outside(300, 10);

enum class Step { Enter, MoveInside, MoveOutside, MoveInsideHeld, Press, ReleaseInside, ReleaseOutside, Leave, RightClick };

void Perform(GlassButtonFixture& fixture, Step step)
{
    switch (step) {
    case Step::Enter:
        fixture.Enter();
        break;
    case Step::MoveInside:
        fixture.Send(QEvent::MouseMove, Inside, Qt::NoButton, Qt::NoButton);
        break;
    case Step::MoveOutside:
        fixture.Send(QEvent::MouseMove, Outside, Qt::NoButton, Qt::LeftButton);
        break;
    case Step::MoveInsideHeld:
        fixture.Send(QEvent::MouseMove, Inside, Qt::NoButton, Qt::LeftButton);
        break;
    case Step::Press:
        fixture.Press(Inside);
        break;
    case Step::ReleaseInside:
        fixture.Send(QEvent::MouseButtonRelease, Inside, Qt::LeftButton, Qt::NoButton);
        break;
    case Step::ReleaseOutside:
        fixture.Send(QEvent::MouseButtonRelease, Outside, Qt::LeftButton, Qt::NoButton);
        break;
    case Step::Leave:
        fixture.Leave();
        break;
    case Step::RightClick:
        fixture.Send(QEvent::MouseButtonPress, Inside, Qt::RightButton, Qt::RightButton);
        fixture.Send(QEvent::MouseButtonRelease, Inside, Qt::RightButton, Qt::NoButton);
        break;
    }
}

struct PointerCase {
    const char* name;
    std::vector<Step> steps;
    int clicks;
};

class GlassButtonPointer : public ::testing::TestWithParam<PointerCase> {};

TEST_P(GlassButtonPointer, ClicksAtMostOncePerPressAndOnlyOverTheButton)
{
    GlassButtonFixture fixture;
    int clicks = 0;
    QObject::connect(&fixture.button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
    for (const Step step : GetParam().steps)
        Perform(fixture, step);
    EXPECT_EQ(clicks, GetParam().clicks);
    // Whatever happened, the button is neither hot nor pressed until the pointer moves again.
    EXPECT_EQ(fixture.button.BtnIdx(), -1);
    EXPECT_FALSE(fixture.button.ButtonDown());
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, GlassButtonPointer,
    ::testing::Values(
        PointerCase{"PressAndReleaseInside", {Step::Enter, Step::MoveInside, Step::Press, Step::ReleaseInside}, 1},
        PointerCase{"ReleaseOutsideAfterLeaving",
                    {Step::Enter, Step::MoveInside, Step::Press, Step::MoveOutside, Step::Leave, Step::ReleaseOutside}, 0},
        PointerCase{"ReleaseOutsideWithoutLeave",
                    {Step::Enter, Step::MoveInside, Step::Press, Step::MoveOutside, Step::ReleaseOutside}, 0},
        PointerCase{"LeaveAndComeBackBeforeReleasing",
                    {Step::Enter, Step::MoveInside, Step::Press, Step::MoveOutside, Step::Leave, Step::Enter,
                     Step::MoveInsideHeld, Step::ReleaseInside},
                    1},
        PointerCase{"PressWithoutAnEarlierMove", {Step::Press, Step::ReleaseInside}, 1},
        PointerCase{"RightButtonNeverClicks", {Step::Enter, Step::MoveInside, Step::RightClick, Step::Leave}, 0}),
    test::CaseName());

TEST(GlassButtonPointer, HotAndPressedStatesFollowThePointer)
{
    GlassButtonFixture fixture;
    fixture.Enter();
    EXPECT_EQ(fixture.button.BtnIdx(), -1);
    fixture.Send(QEvent::MouseMove, {20, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(fixture.button.BtnIdx(), 0);
    // The right-hand zone starts past width - ArrowWidth - 2 = 124.
    fixture.Send(QEvent::MouseMove, {125, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(fixture.button.BtnIdx(), 1);
    fixture.Send(QEvent::MouseMove, {124, 10}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(fixture.button.BtnIdx(), 0);
    fixture.Press({20, 10});
    EXPECT_TRUE(fixture.button.ButtonDown());
    fixture.Leave();
    EXPECT_FALSE(fixture.button.ButtonDown());
    fixture.Enter();
    fixture.Send(QEvent::MouseMove, {20, 10}, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(fixture.button.ButtonDown());
}

void SendKey(QWidget& widget, QEvent::Type type, int key, bool autoRepeat = false)
{
    QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(&widget, &event);
}

TEST(GlassButtonKeys, EnterPressesAndItsReleaseClicksOnce)
{
    GlassButtonFixture fixture;
    int clicks = 0;
    QObject::connect(&fixture.button, &QAbstractButton::clicked, [&clicks] { ++clicks; });
    SendKey(fixture.button, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_TRUE(fixture.button.ButtonDown());
    EXPECT_EQ(fixture.button.BtnIdx(), 0);
    SendKey(fixture.button, QEvent::KeyRelease, Qt::Key_Return, true);
    EXPECT_EQ(clicks, 0);
    SendKey(fixture.button, QEvent::KeyRelease, Qt::Key_Return);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(fixture.button.ButtonDown());
    EXPECT_EQ(fixture.button.BtnIdx(), -1);
}

TEST(GlassButtonKeys, NeverTakesTheFocusUnlessItIsATabStop)
{
    GlassButtonFixture fixture;
    EXPECT_FALSE(fixture.button.TabStop());
    EXPECT_EQ(fixture.button.focusPolicy(), Qt::NoFocus);
    fixture.button.SetTabStop(true);
    EXPECT_TRUE(fixture.button.TabStop());
}

TEST(GlassButtonPointer, AHandlerMayDestroyTheButton)
{
    auto fixture = std::make_unique<GlassButtonFixture>();
    QObject::connect(&fixture->button, &QAbstractButton::clicked, [&fixture] { fixture.reset(); });
    fixture->Hover(Inside);
    fixture->Press(Inside);
    fixture->Send(QEvent::MouseButtonRelease, Inside, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(fixture, nullptr);
}

} // namespace
} // namespace quarvel::test
