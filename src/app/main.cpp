#include "app/QtPrompts.h"
#include "app/TMain.h"
#include "app/Theme.h"
#include "settings/QSettingsStore.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWindow>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    quarvel::QtPrompts prompts;

    const QString theme = QStringLiteral("Onyx Blue");
    if (!quarvel::ApplyTheme(application, theme))
        prompts.ShowError(QStringLiteral("Style '%1' not found").arg(theme));
    QApplication::setApplicationName(QString::fromLatin1(quarvel::TMain::Caption));

    quarvel::QSettingsStore settings;
    quarvel::TMainServices services;
    services.prompts = &prompts;
    services.settings = &settings;
    services.openInShell = [](const QString& text) { QDesktopServices::openUrl(QUrl(text)); };
    services.startWindowMove = [](QWidget* window) {
        if (QWindow* handle = window->windowHandle())
            handle->startSystemMove();
    };
    if (QApplication::arguments().contains(QStringLiteral("--echo-log"))) {
        services.echoLog = [](const QString& line) {
            std::fputs(qPrintable(line + u'\n'), stderr);
            std::fflush(stderr);
        };
    }

    quarvel::TMain mainWindow(services);
    prompts.SetOwner(&mainWindow);
    mainWindow.show();
    return application.exec();
}
