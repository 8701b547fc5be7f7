#include "support/NamedCases.h"
#include "net/CurlHttpClient.h"
#include "net/HttpAborted.h"
#include "support/HttpReplies.h"
#include "support/QtPrinters.h"
#include "support/RecordingSinks.h"
#include "util/QuarvelError.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <ostream>
#include <system_error>

namespace quarvel {
namespace {

using test::PrintTo;

using namespace std::chrono_literals;
using test::Answer;
using test::Redirect;
using test::Response;
using test::ScriptedHttpServer;
using test::ServerReply;
using Then = ServerReply::Then;

const QByteArray AcceptLine = "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*\r\n";
const QByteArray AgentLine = "User-Agent: Mozilla/4.0\r\n";

QByteArray ExpectedRequest(const QByteArray& target, const QByteArray& host)
{
    return "GET " + target + " HTTP/1.1\r\n" + AcceptLine + AgentLine + "Host: " + host + "\r\n\r\n";
}

// The outcome of a GET as one comparable value: the status and body, or the failure's text.
struct GetResult {
    int status = 0;
    QByteArray body;
    std::optional<QString> error;

    bool operator==(const GetResult&) const = default;
};

void PrintTo(const GetResult& result, std::ostream* out)
{
    if (result.error)
        *out << "error \"" << result.error->toStdString() << '"';
    else
        *out << result.status << " \"" << result.body.toStdString() << '"';
}

class CurlHttpClientTest : public ::testing::Test {
protected:
    CurlHttpClientTest() { test::ClearProxyEnvironment(environment_); }

    GetResult Get(const QUrl& url, HttpClientSettings settings = test::TestSettings())
    {
        CurlHttpClient client(std::move(settings));
        try {
            const HttpResponse response = client.Get(url, pump_);
            return {response.statusCode, response.body, std::nullopt};
        } catch (const QuarvelError& error) {
            return {0, {}, error.Message()};
        }
    }

    test::ScopedEnvironment environment_;
    test::CountingPump pump_;
};

GetResult Failure(const char* text)
{
    return {0, {}, QString::fromUtf8(text)};
}

TEST_F(CurlHttpClientTest, SendsExactlyTheRequestLinesInOrder)
{
    ScriptedHttpServer server({Answer(Response("HTTP/1.1 200 OK", "6"))});
    Get(server.Url(QStringLiteral("/apps/Quarvel/ver")));
    const QByteArray host = "127.0.0.1:" + QByteArray::number(server.Port());
    EXPECT_EQ(server.Requests(), QList<QByteArray>{ExpectedRequest("/apps/Quarvel/ver", host)});
}

// The proxy stands in for a server on port 80 of a name no resolver knows, which shows the
// host line without a port and in its ASCII form.
TEST_F(CurlHttpClientTest, GoesThroughTheProxyTheEnvironmentNames)
{
    ScriptedHttpServer proxy({Answer(Response("HTTP/1.1 200 OK", "6"))});
    environment_.Set("http_proxy", proxy.Url(QString()).toEncoded());
    const GetResult result = Get(QUrl(QString::fromUtf8("http://b\xC3\xBC" "cher.invalid/apps/Quarvel/ver")));
    EXPECT_EQ(result, (GetResult{200, "6", std::nullopt}));
    EXPECT_EQ(proxy.Requests(), QList<QByteArray>{ExpectedRequest("http://xn--bcher-kva.invalid/apps/Quarvel/ver",
                                                                   "xn--bcher-kva.invalid")});
}

// A web server sets HTTP_PROXY from a request's Proxy header, so only the lower-case name counts.
TEST_F(CurlHttpClientTest, IgnoresTheUpperCaseHttpProxyName)
{
    ScriptedHttpServer proxy({Answer(Response("HTTP/1.1 200 OK", "proxy"))});
    ScriptedHttpServer server({Answer(Response("HTTP/1.1 200 OK", "direct"))});
    environment_.Set("HTTP_PROXY", proxy.Url(QString()).toEncoded());
    EXPECT_EQ(Get(server.Url(QStringLiteral("/v"))), (GetResult{200, "direct", std::nullopt}));
    EXPECT_TRUE(proxy.Requests().isEmpty());
}

struct ResponseCase {
    const char* name;
    QList<ServerReply> replies;
    GetResult expected;
    std::chrono::milliseconds inactivityTimeout = 10s;
};

class Responses : public CurlHttpClientTest, public ::testing::WithParamInterface<ResponseCase> {};

TEST_P(Responses, EndAsTheServerAnswered)
{
    ScriptedHttpServer server(GetParam().replies);
    EXPECT_EQ(Get(server.Url(QStringLiteral("/apps/Quarvel/ver")), test::TestSettings(GetParam().inactivityTimeout)),
              GetParam().expected);
}

const QByteArray OneMiB(1 << 20, '7');

INSTANTIATE_TEST_SUITE_P(
    Cases, Responses,
    ::testing::Values(
        ResponseCase{"NotFoundGivesItsReasonPhrase", {Answer(Response("HTTP/1.1 404 Not Found", "gone"))},
                     Failure("Not Found")},
        ResponseCase{"UnusualReasonPhraseAsSent",
                     {Answer(Response("HTTP/1.1 500 Kaputt: D\xC3\xA4mon  entwichen ", "7"))},
                     Failure("Kaputt: D\xC3\xA4mon  entwichen ")},
        ResponseCase{"ServerErrorWithoutReasonPhrase", {Answer(Response("HTTP/1.1 503", ""))}, Failure("")},
        ResponseCase{"UnauthorisedReadsAsSuccess", {Answer(Response("HTTP/1.1 401 Unauthorized", "6"))},
                     GetResult{401, "6", std::nullopt}},
        ResponseCase{"ProxyAuthenticationReadsAsSuccess",
                     {Answer(Response("HTTP/1.1 407 Proxy Authentication Required", "7"))},
                     GetResult{407, "7", std::nullopt}},
        ResponseCase{"NoContent", {Answer("HTTP/1.1 204 No Content\r\n\r\n")}, GetResult{204, "", std::nullopt}},
        ResponseCase{"ChunkedBody",
                     {Answer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\n1\r\n1\r\n2\r\n0\r\n\r\n")},
                     GetResult{200, "12", std::nullopt}},
        ResponseCase{"BodyEndedByClosing", {Answer("HTTP/1.0 200 OK\r\n\r\n7", Then::Close)},
                     GetResult{200, "7", std::nullopt}},
        ResponseCase{"InterimResponseBeforeTheAnswer",
                     {Answer("HTTP/1.1 100 Continue\r\n\r\n" + Response("HTTP/1.1 404 Not Here", ""))},
                     Failure("Not Here")},
        ResponseCase{"BodyCutShortIsAFailure", {Answer("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n1", Then::Close)},
                     Failure("transfer closed with 1 bytes remaining to read")},
        ResponseCase{"ClosedBeforeTheStatusLine", {Answer({}, Then::Close)},
                     Failure("HTTP no status code (connection closed prematurely)")},
        ResponseCase{"BodyAtTheSizeCap", {Answer(Response("HTTP/1.1 200 OK", OneMiB))},
                     GetResult{200, OneMiB, std::nullopt}},
        ResponseCase{"BodyOverTheSizeCap", {Answer(Response("HTTP/1.1 200 OK", OneMiB + "7"))},
                     Failure("Response body larger than 1048576 bytes")},
        ResponseCase{"ChunkedBodyOverTheSizeCap",
                     {Answer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n100000\r\n" + OneMiB
                             + "\r\n1\r\n7\r\n0\r\n\r\n")},
                     Failure("Response body larger than 1048576 bytes")},
        ResponseCase{"AcceptsAndNeverAnswers", {Answer({}, Then::Stall)}, Failure("Request aborted on timeout"), 300ms},
        ResponseCase{"StallsMidBody", {Answer("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n12", Then::Stall)},
                     Failure("Request aborted on timeout"), 300ms},
        // Longer in all than the time-out, but never silent for long: the time-out counts from
        // the last traffic, not from the start.
        ResponseCase{"SlowButSteadyBody",
                     {ServerReply{.pieces = {"HTTP/1.1 200 OK\r\nContent-Length: 12\r\n\r\n", "1", "2", "3", "4",
                                             "5", "6", "7", "8", "9", "0", "1", "2"},
                                  .pauseBetweenPiecesMs = 100}},
                     GetResult{200, "123456789012", std::nullopt}, 1s}),
    test::CaseName());

struct RedirectCase {
    const char* name;
    QList<ServerReply> replies;
    GetResult expected;
    QList<QByteArray> requestTargets;
};

class Redirections : public CurlHttpClientTest, public ::testing::WithParamInterface<RedirectCase> {};

TEST_P(Redirections, AreFollowedUpToFive)
{
    ScriptedHttpServer server(GetParam().replies);
    EXPECT_EQ(Get(server.Url(QStringLiteral("/apps/Quarvel/ver"))), GetParam().expected);
    const QByteArray host = "127.0.0.1:" + QByteArray::number(server.Port());
    QList<QByteArray> expectedRequests;
    for (const QByteArray& target : GetParam().requestTargets)
        expectedRequests.append(ExpectedRequest(target, host));
    EXPECT_EQ(server.Requests(), expectedRequests);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Redirections,
    ::testing::Values(
        RedirectCase{"ChainOfFiveThenTheDocument",
                     {Redirect(301, "/r1", "dropped"), Redirect(302, "/r2"), Redirect(303, "/r3"),
                      Redirect(307, "/r4"), Redirect(308, "/r5"), Answer(Response("HTTP/1.1 200 OK", "7"))},
                     GetResult{200, "7", std::nullopt},
                     {"/apps/Quarvel/ver", "/r1", "/r2", "/r3", "/r4", "/r5"}},
        RedirectCase{"LoopEndsWithTheSixthRedirection",
                     {Redirect(302, "/loop", "x")},
                     GetResult{302, "x", std::nullopt},
                     {"/apps/Quarvel/ver", "/loop", "/loop", "/loop", "/loop", "/loop"}},
        RedirectCase{"RelativeLocations",
                     {Redirect(301, "ver2"), Redirect(301, "../up?q=1"), Answer(Response("HTTP/1.1 200 OK", "6"))},
                     GetResult{200, "6", std::nullopt},
                     {"/apps/Quarvel/ver", "/apps/Quarvel/ver2", "/apps/up?q=1"}},
        RedirectCase{"RedirectionToAFailure",
                     {Redirect(301, "/gone"), Answer(Response("HTTP/1.1 410 Gone Away", ""))},
                     Failure("Gone Away"),
                     {"/apps/Quarvel/ver", "/gone"}},
        RedirectCase{"RedirectionWithoutLocationIsTheAnswer",
                     {Answer(Response("HTTP/1.1 301 Moved", "6"))},
                     GetResult{301, "6", std::nullopt},
                     {"/apps/Quarvel/ver"}},
        RedirectCase{"MultipleChoicesIsNotFollowed",
                     {Answer(Response("HTTP/1.1 300 Multiple Choices", "", "Location: /elsewhere\r\n"))},
                     GetResult{300, "", std::nullopt},
                     {"/apps/Quarvel/ver"}}),
    test::CaseName());

TEST_F(CurlHttpClientTest, RedirectionToAnotherServerNamesThatServer)
{
    ScriptedHttpServer other({Answer(Response("HTTP/1.1 200 OK", "7"))});
    const QByteArray otherHost = "localhost:" + QByteArray::number(other.Port());
    ScriptedHttpServer first({Redirect(301, "http://" + otherHost + "/there")});
    EXPECT_EQ(Get(first.Url(QStringLiteral("/apps/Quarvel/ver"))), (GetResult{200, "7", std::nullopt}));
    EXPECT_EQ(other.Requests(), QList<QByteArray>{ExpectedRequest("/there", otherHost)});
}

// A server may name any address; only the web's own schemes are followed, never a local file.
TEST_F(CurlHttpClientTest, RedirectionToAFileIsRefused)
{
    ScriptedHttpServer server({Redirect(301, "file:///etc/hostname")});
    const GetResult result = Get(server.Url(QStringLiteral("/apps/Quarvel/ver")));
    ASSERT_TRUE(result.error.has_value());
    EXPECT_TRUE(result.error->contains(QLatin1String("file"))) << result.error->toStdString();
    EXPECT_EQ(server.Requests().size(), 1);
}

TEST_F(CurlHttpClientTest, ClosedPortCannotConnect)
{
    const QString expected = QStringLiteral("can't connect: %1 (Error #%2)")
                                 .arg(QString::fromStdString(std::system_category().message(ECONNREFUSED)))
                                 .arg(ECONNREFUSED);
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/apps/Quarvel/ver").arg(test::ClosedPort()));
    EXPECT_EQ(Get(url), (GetResult{0, {}, expected}));
}

TEST_F(CurlHttpClientTest, UnknownNameCannotBeResolved)
{
    EXPECT_EQ(Get(QUrl(QStringLiteral("http://quarvel.invalid/apps/Quarvel/ver"))),
              Failure("can't resolve hostname to IP address"));
}

// The server answers only once the pump has run a number of times, so the request can only
// end if the pump keeps turning while the request waits.
TEST_F(CurlHttpClientTest, PumpKeepsTurningWhileTheServerWaits)
{
    ScriptedHttpServer server({ServerReply{.pieces = {Response("HTTP/1.1 200 OK", "7")}, .waitForRelease = true}});
    pump_.onCall = [&server](int call) {
        if (call == 20)
            server.Release();
    };
    EXPECT_EQ(Get(server.Url(QStringLiteral("/v"))), (GetResult{200, "7", std::nullopt}));
    EXPECT_GE(pump_.calls, 20);
}

// The window's pump: the application's pending events, such as a click on another control.
class ApplicationPump : public EventPump {
public:
    void ProcessEvents() override { QCoreApplication::processEvents(); }
};

TEST_F(CurlHttpClientTest, EventPostedDuringTheRequestIsHandledWhileItWaits)
{
    ScriptedHttpServer server({ServerReply{.pieces = {Response("HTTP/1.1 200 OK", "7")}, .waitForRelease = true}});
    bool handled = false;
    QTimer::singleShot(0, [&] {
        handled = true;
        server.Release();
    });
    CurlHttpClient client(test::TestSettings());
    ApplicationPump pump;
    EXPECT_EQ(client.Get(server.Url(QStringLiteral("/v")), pump).body, "7");
    EXPECT_TRUE(handled);
}

TEST_F(CurlHttpClientTest, AbortEndsAWaitingRequestAndTheNextOneRuns)
{
    ScriptedHttpServer server({Answer({}, Then::Stall), Answer(Response("HTTP/1.1 200 OK", "6"))});
    CurlHttpClient client(test::TestSettings());
    pump_.onCall = [&client](int call) {
        if (call == 3)
            client.Abort();
    };
    EXPECT_THROW(client.Get(server.Url(QStringLiteral("/v")), pump_), HttpAborted);
    EXPECT_EQ(pump_.calls, 3);

    pump_.onCall = nullptr;
    EXPECT_EQ(client.Get(server.Url(QStringLiteral("/v")), pump_).body, "6");
}

TEST_F(CurlHttpClientTest, AbortBetweenRequestsDoesNotEndTheNext)
{
    ScriptedHttpServer server({Answer(Response("HTTP/1.1 200 OK", "6"))});
    CurlHttpClient client(test::TestSettings());
    client.Abort();
    EXPECT_EQ(client.Get(server.Url(QStringLiteral("/v")), pump_).body, "6");
}

} // namespace
} // namespace quarvel
