#include "net/CurlTransfer.h"

#include "net/HttpAborted.h"
#include "util/QuarvelError.h"
#include "util/TextFunctions.h"

#include <chrono>
#include <new>
#include <system_error>

namespace quarvel {

namespace {

// The longest the window waits for its events while a request is waiting for the network.
constexpr int PollMs = 10;

QString CurlText(const char* text)
{
    return QString::fromUtf8(text);
}

void CheckMulti(CURLMcode code)
{
    if (code != CURLM_OK)
        throw QuarvelError(CurlText(curl_multi_strerror(code)));
}

QByteArrayView WithoutLineEnd(QByteArrayView line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// The status line is the version, a blank, three digits, a blank and the reason phrase.
QString ReasonPhraseOf(QByteArrayView statusLine)
{
    const qsizetype blank = statusLine.indexOf(' ');
    if (blank < 0)
        return {};
    const QByteArrayView rest = statusLine.sliced(blank + 1);
    return rest.size() > 4 && rest[3] == ' ' ? AnsiToText(rest.sliced(4)) : QString();
}

bool StartsWithName(QByteArrayView line, QByteArrayView name)
{
    return line.size() >= name.size() && qstrnicmp(line.data(), name.data(), size_t(name.size())) == 0;
}

int DefaultPort(const QUrl& url)
{
    return url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0 ? 443 : 80;
}

// The host in its ASCII form, with the port only where it is not the scheme's own.
QByteArray HostLine(const QUrl& url)
{
    QByteArray host = QUrl::toAce(url.host().trimmed());
    if (host.contains(':'))
        host = '[' + host + ']';
    const int port = url.port();
    if (port != -1 && port != DefaultPort(url))
        host += ':' + QByteArray::number(port);
    return "Host: " + host;
}

void AppendHeader(curl_slist*& list, const QByteArray& line)
{
    curl_slist* extended = curl_slist_append(list, line.constData());
    if (!extended)
        throw std::bad_alloc();
    list = extended;
}

} // namespace

CurlTransfer::CurlTransfer(CURLM* multi, const QUrl& url, const HttpClientSettings& settings)
    : multi_(multi)
    , easy_(curl_easy_init())
    , settings_(settings)
{
    if (!easy_)
        throw std::bad_alloc();
    BuildHeaders(url);
    SetOption(CURLOPT_URL, url.adjusted(QUrl::RemoveFragment).toEncoded().constData());
    SetOption(CURLOPT_HTTPGET, 1L);
    SetOption(CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1));
    SetOption(CURLOPT_IPRESOLVE, long(CURL_IPRESOLVE_V4));
    SetOption(CURLOPT_PROTOCOLS_STR, "http,https");
    SetOption(CURLOPT_NOSIGNAL, 1L);
    SetOption(CURLOPT_HTTPHEADER, headers_);
    SetOption(CURLOPT_ERRORBUFFER, errorText_);
    SetOption(CURLOPT_HEADERFUNCTION, &CurlTransfer::OnHeader);
    SetOption(CURLOPT_HEADERDATA, static_cast<void*>(this));
    SetOption(CURLOPT_WRITEFUNCTION, &CurlTransfer::OnBody);
    SetOption(CURLOPT_WRITEDATA, static_cast<void*>(this));
}

CurlTransfer::~CurlTransfer()
{
    if (added_)
        curl_multi_remove_handle(multi_, easy_);
    curl_easy_cleanup(easy_);
    curl_slist_free_all(headers_);
}

template <typename Value>
void CurlTransfer::SetOption(CURLoption option, Value value)
{
    const CURLcode code = curl_easy_setopt(easy_, option, value);
    if (code != CURLE_OK)
        throw QuarvelError(CurlText(curl_easy_strerror(code)));
}

// libcurl writes its own Host line first and adds lines of its own; a header named with no
// value removes libcurl's line, so the list below is exactly what goes on the wire, in order.
void CurlTransfer::BuildHeaders(const QUrl& url)
{
    AppendHeader(headers_, "Host:");
    AppendHeader(headers_, "Accept: " + settings_.accept);
    AppendHeader(headers_, "User-Agent: " + settings_.agent);
    AppendHeader(headers_, HostLine(url));
    AppendHeader(headers_, "Proxy-Connection:");
}

HttpResponse CurlTransfer::Run(EventPump& pump, const bool& abortRequested)
{
    CheckMulti(curl_multi_add_handle(multi_, easy_));
    added_ = true;
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastTraffic = Clock::now();
    qint64 trafficSeen = 0;
    for (;;) {
        int running = 0;
        CheckMulti(curl_multi_perform(multi_, &running));
        const Clock::time_point now = Clock::now();
        if (const qint64 traffic = Traffic(); traffic != trafficSeen) {
            trafficSeen = traffic;
            lastTraffic = now;
        }
        if (running == 0)
            return Finish();
        if (now - lastTraffic >= settings_.inactivityTimeout)
            throw QuarvelError(QStringLiteral("Request aborted on timeout"));
        CheckMulti(curl_multi_poll(multi_, nullptr, 0, PollMs, nullptr));
        pump.ProcessEvents();
        if (abortRequested)
            throw HttpAborted();
    }
}

size_t CurlTransfer::OnHeader(char* data, size_t size, size_t count, void* self)
{
    const size_t length = size * count;
    static_cast<CurlTransfer*>(self)->ReadHeaderLine(QByteArrayView(data, qsizetype(length)));
    return length;
}

size_t CurlTransfer::OnBody(char* data, size_t size, size_t count, void* self)
{
    const size_t length = size * count;
    return static_cast<CurlTransfer*>(self)->AcceptBody(QByteArrayView(data, qsizetype(length))) ? length : 0;
}

// Every response libcurl reads starts with its status line, interim ones included, so each
// status line starts the record of the response afresh.
void CurlTransfer::ReadHeaderLine(QByteArrayView line)
{
    bytesReceived_ += line.size();
    line = WithoutLineEnd(line);
    if (line.startsWith("HTTP/")) {
        statusSeen_ = true;
        reasonPhrase_ = ReasonPhraseOf(line);
        location_.clear();
        return;
    }
    constexpr QByteArrayView LocationName = "Location:";
    if (location_.isEmpty() && StartsWithName(line, LocationName))
        location_ = AnsiToText(line.sliced(LocationName.size()).trimmed());
}

bool CurlTransfer::AcceptBody(QByteArrayView bytes)
{
    bytesReceived_ += bytes.size();
    if (body_.size() + bytes.size() > settings_.maxBodyBytes) {
        bodyTooLarge_ = true;
        return false;
    }
    body_.append(bytes);
    return true;
}

// Grows with every step that shows the other side alive: the connection made, the request
// sent, any byte received.
qint64 CurlTransfer::Traffic() const
{
    curl_off_t connectTime = 0;
    long requestBytes = 0;
    curl_easy_getinfo(easy_, CURLINFO_CONNECT_TIME_T, &connectTime);
    curl_easy_getinfo(easy_, CURLINFO_REQUEST_SIZE, &requestBytes);
    return bytesReceived_ + requestBytes + (connectTime > 0 ? 1 : 0);
}

// A transfer that ended without a result message read nothing that could be trusted.
CURLcode CurlTransfer::Result() const
{
    CURLcode result = CURLE_GOT_NOTHING;
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi_, &left)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == easy_)
            result = message->data.result;
    }
    return result;
}

HttpResponse CurlTransfer::Finish()
{
    const CURLcode result = Result();
    if (result != CURLE_OK)
        throw QuarvelError(FailureText(result));
    long statusCode = 0;
    curl_easy_getinfo(easy_, CURLINFO_RESPONSE_CODE, &statusCode);
    return HttpResponse{int(statusCode), reasonPhrase_, std::move(body_)};
}

QString CurlTransfer::FailureText(CURLcode code) const
{
    if (bodyTooLarge_)
        return QStringLiteral("Response body larger than %1 bytes").arg(settings_.maxBodyBytes);
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return QStringLiteral("can't resolve hostname to IP address");
    case CURLE_COULDNT_CONNECT:
        return ConnectFailureText();
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
        if (!statusSeen_)
            return QStringLiteral("HTTP no status code (connection closed prematurely)");
        break;
    default:
        break;
    }
    return CurlText(errorText_[0] != '\0' ? errorText_ : curl_easy_strerror(code));
}

QString CurlTransfer::ConnectFailureText() const
{
    long osError = 0;
    curl_easy_getinfo(easy_, CURLINFO_OS_ERRNO, &osError);
    const QString reason = osError != 0 ? QString::fromStdString(std::system_category().message(int(osError)))
                                        : CurlText(errorText_);
    return QStringLiteral("can't connect: %1 (Error #%2)").arg(reason).arg(osError);
}

} // namespace quarvel
