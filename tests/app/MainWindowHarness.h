#pragma once

#include "app/TMain.h"
#include "support/ScriptedPrompts.h"

#include <QStringList>

#include <memory>

class QWidget;

namespace quarvel::test {

// A main window on the offscreen platform with scripted dialogs, started and torn down per test.
class MainWindowHarness {
public:
    explicit MainWindowHarness(TMainServices services = {});
    ~MainWindowHarness();

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
    std::unique_ptr<TMain> window_;
};

} // namespace quarvel::test
