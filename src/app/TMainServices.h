#pragma once

#include "version/VersionCheck.h"

#include <QDir>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace quarvel {

class Prompts;
class SettingsStore;

// What the main window needs from outside itself; the program passes the real ones,
// tests pass scripted ones.
struct TMainServices {
    Prompts* prompts = nullptr;
    // Where the four settings live between runs.
    SettingsStore* settings = nullptr;
    // The zlib-compressed category list.
    QString genresResource = QStringLiteral(":/genres");
    // Opens a web address in the user's browser; failures are ignored.
    std::function<void(const QString&)> openInShell;
    // Starts moving the window as if its title bar were dragged.
    std::function<void(QWidget*)> startWindowMove;
    // The user's home folder, where MAME front-ends keep their category lists under .mame/.
    QString homeFolder = QDir::homePath();
    // Where the version check asks for the newest release's number.
    QUrl versionUrl = VersionDocumentUrl();
    // Also given every log line when set, so that a script or a benchmark can follow the
    // window's work without reading its memo.
    std::function<void(const QString&)> echoLog;
};

} // namespace quarvel
