#include "app/MainWindowHarness.h"
#include "support/HttpReplies.h"
#include "support/ScriptedHttpServer.h"

#include <QAbstractButton>
#include <QStackedWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace quarvel::test {
namespace {

// The window's check against a server of the test's own, which holds its answer back until
// the test releases it, so the test can act while the request waits.
class VersionWindow : public ::testing::Test {
protected:
    VersionWindow()
    {
        ClearProxyEnvironment(environment);
        TMainServices services;
        services.versionUrl = server.Url(QStringLiteral("/apps/Quarvel/ver"));
        main = std::make_unique<MainWindowHarness>(services, &settings);
        main->WaitForStartUp();
    }

    QAbstractButton* Button1() const { return main->Control<QAbstractButton>("Button1"); }

    ScopedEnvironment environment;
    ScriptedHttpServer server{{[] {
        ServerReply reply = Answer(Response("HTTP/1.1 200 OK", "6"));
        reply.waitForRelease = true;
        return reply;
    }()}};
    TemporarySettings settings;
    std::unique_ptr<MainWindowHarness> main;
};

TEST_F(VersionWindow, OtherControlsAnswerAtOnceWhileTheRequestWaits)
{
    bool buttonEnabledWhileWaiting = true;
    int pageWhileWaiting = -1;
    QTimer::singleShot(0, &main->Window(), [&] {
        buttonEnabledWhileWaiting = Button1()->isEnabled();
        main->Control<QAbstractButton>("ButtonRomsList")->click();
        pageWhileWaiting = main->Control<QStackedWidget>("PageControl1")->currentIndex();
        server.Release();
    });
    Button1()->click();

    EXPECT_FALSE(buttonEnabledWhileWaiting);
    EXPECT_EQ(pageWhileWaiting, 1);
    EXPECT_EQ(main->LogLines().last(), QStringLiteral("You have the latest version"));
    EXPECT_TRUE(Button1()->isEnabled());
}

TEST_F(VersionWindow, ClosingTheWindowEndsAWaitingCheckAndKeepsTheSettings)
{
    const QStringList logBefore = main->LogLines();
    QTimer::singleShot(0, &main->Window(), [&] { main->Window().close(); });
    Button1()->click();

    EXPECT_EQ(main->LogLines(), logBefore);
    main->Close();
    EXPECT_TRUE(settings.Document().has_value());
}

} // namespace
} // namespace quarvel::test
