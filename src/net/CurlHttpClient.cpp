#include "net/CurlHttpClient.h"

#include "net/CurlTransfer.h"
#include "util/QuarvelError.h"

#include <memory>
#include <new>

namespace quarvel {

namespace {

using MultiHandle = std::unique_ptr<CURLM, decltype(&curl_multi_cleanup)>;

// libcurl's process-wide set-up, done once before the first handle and never undone.
void InitialiseCurlOnce()
{
    static const CURLcode result = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (result != CURLE_OK)
        throw QuarvelError(QString::fromUtf8(curl_easy_strerror(result)));
}

bool IsRedirection(int statusCode)
{
    return statusCode >= 301 && statusCode <= 308;
}

// No user name or password is ever configured, so an authentication request is an answer
// like any other and its body is what was asked for.
HttpResponse Outcome(HttpResponse response)
{
    const int status = response.statusCode;
    if (status >= 400 && status != 401 && status != 407)
        throw QuarvelError(response.reasonPhrase);
    return response;
}

} // namespace

CurlHttpClient::CurlHttpClient(HttpClientSettings settings)
    : settings_(std::move(settings))
{
    InitialiseCurlOnce();
}

// The multi handle lives for the whole GET so a redirection to the same server reuses the
// connection; each request gets its own transfer, whose body is dropped when it is followed.
HttpResponse CurlHttpClient::Get(const QUrl& url, EventPump& pump)
{
    abortRequested_ = false;
    const MultiHandle multi(curl_multi_init(), &curl_multi_cleanup);
    if (!multi)
        throw std::bad_alloc();
    QUrl target = url;
    for (int followed = 0;; ++followed) {
        CurlTransfer transfer(multi.get(), target, settings_);
        HttpResponse response = transfer.Run(pump, abortRequested_);
        if (followed == settings_.maxRedirections || !IsRedirection(response.statusCode)
            || transfer.Location().isEmpty())
            return Outcome(std::move(response));
        target = target.resolved(QUrl(transfer.Location()));
    }
}

void CurlHttpClient::Abort()
{
    abortRequested_ = true;
}

} // namespace quarvel
