#include "app/MainWindowHarness.h"

#include "support/Wait.h"

#include <QAbstractButton>
#include <QPlainTextEdit>
#include <QDir>
#include <QSettings>
#include <QTimer>

#include <gtest/gtest.h>

namespace quarvel::test {

TemporarySettings::TemporarySettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
}

QString TemporarySettings::FilePath() const
{
    return folder.filePath(QStringLiteral("Quarvel.conf"));
}

std::optional<QString> TemporarySettings::Document()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    return store.ReadText(QString::fromLatin1(TMain::SettingsKey), QString::fromLatin1(TMain::SettingsValue));
}

void TemporarySettings::Store(const QString& document)
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    store.WriteText(QString::fromLatin1(TMain::SettingsKey), QString::fromLatin1(TMain::SettingsValue), document);
}

MainWindowHarness::MainWindowHarness(TMainServices services, TemporarySettings* settings)
{
    if (!settings) {
        ownSettings_ = std::make_unique<TemporarySettings>();
        settings = ownSettings_.get();
    }
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings->folder.path());
    services.settings = &settings->store;
    // A developer's own ~/.mame lists must not leak into the window under test.
    if (services.homeFolder == QDir::homePath())
        services.homeFolder = settings->folder.path();
    services.prompts = &prompts;
    services.openInShell = [this](const QString& text) { openedInShell.append(text); };
    services.startWindowMove = [this](QWidget*) { ++windowMoves; };
    window_ = std::make_unique<TMain>(services);
    window_->show();
}

MainWindowHarness::~MainWindowHarness()
{
    Close();
}

void MainWindowHarness::Close()
{
    window_.reset();
}

void MainWindowHarness::WaitForStartUp()
{
    auto* timer = Control<QTimer>("Timer1");
    ASSERT_NE(timer, nullptr);
    ASSERT_TRUE(WaitUntil([timer] { return !timer->isActive(); }));
    QCoreApplication::processEvents();
}

void MainWindowHarness::ChooseSourceFolder(const QString& folder)
{
    prompts.folderAnswers.push_back(folder);
    Control<QAbstractButton>("PngSpeedButton1")->click();
}

QStringList MainWindowHarness::LogLines() const
{
    return Control<QPlainTextEdit>("Memo1")->toPlainText().split(u'\n');
}

} // namespace quarvel::test
