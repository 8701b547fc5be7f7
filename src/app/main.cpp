#include "app/QtPrompts.h"
#include "app/TMain.h"
#include "app/Theme.h"
#include "settings/QSettingsStore.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWindow>

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

    quarvel::TMain mainWindow(services);
    prompts.SetOwner(&mainWindow);
    mainWindow.show();
    return application.exec();
}
