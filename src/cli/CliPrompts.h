#pragma once

#include "reporting/Prompts.h"

namespace quarvel {

// The answers of a run without anyone to ask. A message is kept for the one error line the
// run ends with; a list generated from the emulator is deleted once read, since nothing else
// will use it.
class CliPrompts final : public Prompts {
public:
    const QString& LastMessage() const { return lastMessage_; }

    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    std::optional<QString> PickFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> PickMachineListFile(const QString& currentFile) override;
    std::optional<QString> PickCategoryListFile() override;

private:
    QString lastMessage_;
};

} // namespace quarvel
