#pragma once

#include "net/HttpClientSettings.h"
#include "support/ScopedEnvironment.h"
#include "support/ScriptedHttpServer.h"

#include <QByteArray>

#include <chrono>

namespace quarvel::test {

// A complete response with its Content-Length.
inline QByteArray Response(const QByteArray& statusLine, const QByteArray& body, const QByteArray& headers = {})
{
    return statusLine + "\r\n" + headers + "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

inline ServerReply Answer(const QByteArray& bytes, ServerReply::Then then = ServerReply::Then::KeepOpen)
{
    return ServerReply{.pieces = {bytes}, .then = then};
}

inline ServerReply Redirect(int status, const QByteArray& location, const QByteArray& body = {})
{
    return Answer(Response("HTTP/1.1 " + QByteArray::number(status) + " Moved", body, "Location: " + location + "\r\n"));
}

// Settings that give up on a silent server within moments; tests about the time-out shorten it further.
inline HttpClientSettings TestSettings(std::chrono::milliseconds inactivityTimeout = std::chrono::seconds(10))
{
    HttpClientSettings settings;
    settings.inactivityTimeout = inactivityTimeout;
    return settings;
}

// Keeps proxies a developer's environment may set away from requests to the test's own server.
inline void ClearProxyEnvironment(ScopedEnvironment& environment)
{
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY",
                             "no_proxy", "NO_PROXY"})
        environment.Unset(name);
}

} // namespace quarvel::test
