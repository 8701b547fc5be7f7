#pragma once

#include "net/HttpClient.h"
#include "net/HttpClientSettings.h"

namespace quarvel {

// The HTTP client on libcurl: IPv4 only, exactly the request lines Accept, User-Agent and
// Host, redirections followed here rather than by libcurl so every request is built the same
// way. Proxies come from the environment as libcurl reads it (http_proxy, https_proxy,
// all_proxy, no_proxy) and are used only when the user's system sets them.
class CurlHttpClient final : public HttpClient {
public:
    explicit CurlHttpClient(HttpClientSettings settings = {});

    HttpResponse Get(const QUrl& url, EventPump& pump) override;
    void Abort() override;

private:
    HttpClientSettings settings_;
    bool abortRequested_ = false;
};

} // namespace quarvel
