#include "support/NamedCases.h"
#include "version/VersionCheck.h"

#include "net/CurlHttpClient.h"
#include "support/HttpReplies.h"
#include "support/QtPrinters.h"
#include "support/RecordingSinks.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

namespace quarvel {
namespace {

using test::PrintTo;

using namespace std::chrono_literals;
using test::Answer;
using test::Redirect;
using test::Response;
using test::ScriptedHttpServer;
using test::ServerReply;

QByteArray Ok(const QByteArray& body)
{
    return Response("HTTP/1.1 200 OK", body);
}

class VersionCheckTest : public ::testing::Test {
protected:
    VersionCheckTest() { test::ClearProxyEnvironment(environment_); }

    test::ScopedEnvironment environment_;
    test::RecordingLog log_;
    test::CountingPump pump_;
};

struct VersionCase {
    const char* name;
    QList<ServerReply> replies;
    VersionCheckOutcome outcome;
    QStringList lines;
    std::chrono::milliseconds inactivityTimeout = 10s;
};

class Answers : public VersionCheckTest, public ::testing::WithParamInterface<VersionCase> {};

TEST_P(Answers, GiveOneLogLineAtMost)
{
    ScriptedHttpServer server(GetParam().replies);
    CurlHttpClient client(test::TestSettings(GetParam().inactivityTimeout));
    EXPECT_EQ(CheckVersion(client, log_, pump_, server.Url(QStringLiteral("/apps/Quarvel/ver"))), GetParam().outcome);
    EXPECT_EQ(log_.lines, GetParam().lines);
}

const QString Latest = QStringLiteral("You have the latest version");
const QString Newer = QStringLiteral("New version found!");

INSTANTIATE_TEST_SUITE_P(
    Cases, Answers,
    ::testing::Values(
        VersionCase{"Six", {Answer(Ok("6"))}, VersionCheckOutcome::LatestVersion, {Latest}},
        VersionCase{"Seven", {Answer(Ok("7"))}, VersionCheckOutcome::NewVersionFound, {Newer}},
        VersionCase{"Twelve", {Answer(Ok("12"))}, VersionCheckOutcome::NewVersionFound, {Newer}},
        VersionCase{"Negative", {Answer(Ok("-1"))}, VersionCheckOutcome::LatestVersion, {Latest}},
        VersionCase{"LeadingBlanks", {Answer(Ok("  6"))}, VersionCheckOutcome::LatestVersion, {Latest}},
        VersionCase{"TrailingLineEnd",
                    {Answer(Ok("6\r\n"))},
                    VersionCheckOutcome::Failed,
                    {QStringLiteral("Error: '6\r\n' is not a valid integer value")}},
        VersionCase{"EmptyDocument", {Answer(Ok(""))}, VersionCheckOutcome::EmptyDocument, {}},
        VersionCase{"NoContent", {Answer("HTTP/1.1 204 No Content\r\n\r\n")}, VersionCheckOutcome::EmptyDocument, {}},
        VersionCase{"ZeroByteEndsTheText",
                    {Answer(Ok(QByteArray("6\0" "99", 4)))},
                    VersionCheckOutcome::LatestVersion,
                    {Latest}},
        VersionCase{"ZeroByteFirst", {Answer(Ok(QByteArray("\0" "7", 2)))}, VersionCheckOutcome::EmptyDocument, {}},
        VersionCase{"Letters",
                    {Answer(Ok("abc"))},
                    VersionCheckOutcome::Failed,
                    {QStringLiteral("Error: 'abc' is not a valid integer value")}},
        VersionCase{"OutOfRange",
                    {Answer(Ok("99999999999"))},
                    VersionCheckOutcome::Failed,
                    {QStringLiteral("Error: '99999999999' is not a valid integer value")}},
        VersionCase{"NotFound",
                    {Answer(Response("HTTP/1.1 404 Not Found", "7"))},
                    VersionCheckOutcome::Failed,
                    {QStringLiteral("Error: Not Found")}},
        VersionCase{"RedirectedToTheNumber",
                    {Redirect(302, "/moved"), Answer(Ok("7"))},
                    VersionCheckOutcome::NewVersionFound,
                    {Newer}},
        VersionCase{"RedirectionLoopWithText",
                    {Redirect(302, "/loop", "moved")},
                    VersionCheckOutcome::Failed,
                    {QStringLiteral("Error: 'moved' is not a valid integer value")}},
        VersionCase{"RedirectionLoopWithoutBody", {Redirect(302, "/loop")}, VersionCheckOutcome::EmptyDocument, {}},
        VersionCase{"Silence",
                    {Answer({}, ServerReply::Then::Stall)},
                    VersionCheckOutcome::Failed,
                    {QStringLiteral("Error: Request aborted on timeout")},
                    300ms}),
    test::CaseName());

// Through a proxy the request for the built-in address reaches the test instead of the maker.
TEST_F(VersionCheckTest, AsksTheMakersServerOnPortEighty)
{
    ScriptedHttpServer proxy({Answer(Ok("6"))});
    environment_.Set("http_proxy", proxy.Url(QString()).toEncoded());
    CurlHttpClient client(test::TestSettings());
    CheckVersion(client, log_, pump_);
    ASSERT_EQ(proxy.Requests().size(), 1);
    EXPECT_TRUE(proxy.Requests()[0].startsWith("GET http://quarvel.app/apps/Quarvel/ver HTTP/1.1\r\n"));
    EXPECT_TRUE(proxy.Requests()[0].endsWith("\r\nHost: quarvel.app\r\n\r\n"));
}

TEST_F(VersionCheckTest, AbortedCheckLogsNothing)
{
    ScriptedHttpServer server({Answer({}, ServerReply::Then::Stall)});
    CurlHttpClient client(test::TestSettings());
    pump_.onCall = [&client](int) { client.Abort(); };
    EXPECT_EQ(CheckVersion(client, log_, pump_, server.Url(QStringLiteral("/apps/Quarvel/ver"))),
              VersionCheckOutcome::Aborted);
    EXPECT_TRUE(log_.lines.isEmpty());
}

} // namespace
} // namespace quarvel
