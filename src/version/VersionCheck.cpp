#include "version/VersionCheck.h"

#include "net/HttpAborted.h"
#include "util/IntegerText.h"
#include "util/QuarvelError.h"
#include "util/TextFunctions.h"

namespace quarvel {

namespace {

VersionCheckOutcome ReadVersionNumber(const QByteArray& body, LogSink& log)
{
    const QString text = StreamToText(body);
    if (text.isEmpty())
        return VersionCheckOutcome::EmptyDocument;
    if (StrToInt(text) < NewVersionThreshold) {
        log.AppendLine(QStringLiteral("You have the latest version"));
        return VersionCheckOutcome::LatestVersion;
    }
    log.AppendLine(QStringLiteral("New version found!"));
    return VersionCheckOutcome::NewVersionFound;
}

} // namespace

QUrl VersionDocumentUrl()
{
    QUrl url;
    url.setScheme(QStringLiteral("http"));
    url.setHost(QString::fromLatin1(VersionServerHost));
    url.setPath(QString::fromLatin1(VersionDocumentPath));
    return url;
}

VersionCheckOutcome CheckVersion(HttpClient& client, LogSink& log, EventPump& pump, const QUrl& url)
{
    try {
        return ReadVersionNumber(client.Get(url, pump).body, log);
    } catch (const HttpAborted&) {
        return VersionCheckOutcome::Aborted;
    } catch (const QuarvelError& error) {
        log.AppendLine(QStringLiteral("Error: ") + error.Message());
        return VersionCheckOutcome::Failed;
    }
}

} // namespace quarvel
