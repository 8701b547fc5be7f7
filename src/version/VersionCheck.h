#pragma once

#include "net/HttpClient.h"
#include "reporting/EventPump.h"
#include "reporting/LogSink.h"

#include <QUrl>

namespace quarvel {

// The maker's web server: the one place its name is written.
inline constexpr char VersionServerHost[] = "quarvel.app";
inline constexpr char VersionDocumentPath[] = "/apps/Quarvel/ver";
// The number of the first release newer than this program.
inline constexpr qint32 NewVersionThreshold = 7;

enum class VersionCheckOutcome {
    LatestVersion,   // "You have the latest version"
    NewVersionFound, // "New version found!"
    EmptyDocument,   // no line: the server sent no number
    Failed,          // "Error: " and the failure's text
    Aborted,         // no line: the client's Abort() ended the check
};

// The version document: plain HTTP on port 80 of the maker's web server.
QUrl VersionDocumentUrl();

// Asks the server for the newest release's number and appends at most one line to the log.
// Blocks until the answer is in, calling the pump all the while; the window disables its
// button around the call so one check runs at a time, and calls the client's Abort() when it
// closes so a waiting check ends at once and quietly.
VersionCheckOutcome CheckVersion(HttpClient& client, LogSink& log, EventPump& pump,
                                 const QUrl& url = VersionDocumentUrl());

} // namespace quarvel
