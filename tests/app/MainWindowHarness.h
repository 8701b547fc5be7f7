#pragma once

#include "app/TMain.h"
#include "settings/QSettingsStore.h"
#include "support/ScriptedPrompts.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class QWidget;

namespace quarvel::test {

// Keeps the per-user settings of every window a test makes in a temporary folder.
class TemporarySettings {
public:
    TemporarySettings();
    QString FilePath() const;
    // The stored settings document, or nothing.
    std::optional<QString> Document();
    void Store(const QString& document);

    QTemporaryDir folder;
    QSettingsStore store;
};

// A main window on the offscreen platform with scripted dialogs and settings kept in a
// temporary folder, started and torn down per test.
class MainWindowHarness {
public:
    explicit MainWindowHarness(TMainServices services = {}, TemporarySettings* settings = nullptr);
    ~MainWindowHarness();

    // Closes the window as the user would, which stores the settings.
    void Close();
    // Picks the source folder through its button, the picker answering folder.
    void ChooseSourceFolder(const QString& folder);

    TMain& Window() { return *window_; }
    // Waits for the one-shot start-up chain to have run.
    void WaitForStartUp();
    QStringList LogLines() const;

    template <typename Widget>
    Widget* Control(const char* name) const
    {
        return window_->findChild<Widget*>(QString::fromLatin1(name));
    }

    ScriptedPrompts prompts;
    QStringList openedInShell;
    int windowMoves = 0;

private:
    std::unique_ptr<TemporarySettings> ownSettings_;
    std::unique_ptr<TMain> window_;
};

} // namespace quarvel::test
