#pragma once

#include "net/HttpClientSettings.h"
#include "net/HttpResponse.h"
#include "reporting/EventPump.h"

#include <QByteArrayView>
#include <QString>
#include <QUrl>

#include <curl/curl.h>

namespace quarvel {

// One request of a GET, without following redirections: an easy handle on the GET's multi
// handle, driven by short polls with the pump turned between them so the window never waits
// more than a poll for its events.
class CurlTransfer {
public:
    CurlTransfer(CURLM* multi, const QUrl& url, const HttpClientSettings& settings);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // Runs the request to its end and gives the response whatever its status. Throws
    // QuarvelError with the failure's text, and HttpAborted once abortRequested turns true.
    HttpResponse Run(EventPump& pump, const bool& abortRequested);

    // The response's Location header, empty when it has none.
    const QString& Location() const { return location_; }

private:
    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    static size_t OnBody(char* data, size_t size, size_t count, void* self);

    template <typename Value>
    void SetOption(CURLoption option, Value value);
    void BuildHeaders(const QUrl& url);
    void ReadHeaderLine(QByteArrayView line);
    bool AcceptBody(QByteArrayView bytes);
    qint64 Traffic() const;
    CURLcode Result() const;
    HttpResponse Finish();
    QString FailureText(CURLcode code) const;
    QString ConnectFailureText() const;

    CURLM* multi_;
    CURL* easy_;
    curl_slist* headers_ = nullptr;
    const HttpClientSettings& settings_;
    char errorText_[CURL_ERROR_SIZE] = {};
    bool added_ = false;
    bool statusSeen_ = false;
    bool bodyTooLarge_ = false;
    qint64 bytesReceived_ = 0;
    QString reasonPhrase_;
    QString location_;
    QByteArray body_;
};

} // namespace quarvel
