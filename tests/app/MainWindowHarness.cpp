#include "app/MainWindowHarness.h"

#include "support/Wait.h"

#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace quarvel::test {

MainWindowHarness::MainWindowHarness(TMainServices services)
{
    services.prompts = &prompts;
    services.openInShell = [this](const QString& text) { openedInShell.append(text); };
    services.startWindowMove = [this](QWidget*) { ++windowMoves; };
    window_ = std::make_unique<TMain>(services);
    window_->show();
}

MainWindowHarness::~MainWindowHarness() = default;

void MainWindowHarness::WaitForStartUp()
{
    auto* timer = Control<QTimer>("Timer1");
    ASSERT_NE(timer, nullptr);
    ASSERT_TRUE(WaitUntil([timer] { return !timer->isActive(); }));
    QCoreApplication::processEvents();
}

QStringList MainWindowHarness::LogLines() const
{
    return Control<QPlainTextEdit>("Memo1")->toPlainText().split(u'\n');
}

} // namespace quarvel::test
