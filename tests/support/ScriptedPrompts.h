#pragma once

#include "reporting/Prompts.h"

#include <QStringList>

#include <deque>
#include <optional>

namespace quarvel::test {

// Answers the dialog layer from a script and records what it was shown.
class ScriptedPrompts : public Prompts {
public:
    void ShowMessage(const QString& text) override { messages.append(text); }
    void ShowError(const QString& text) override { errors.append(text); }
    bool AskYesNo(const QString& text) override;
    std::optional<QString> PickFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> PickMachineListFile(const QString& currentFile) override;
    std::optional<QString> PickCategoryListFile() override;

    QStringList messages;
    QStringList errors;
    QStringList questions;
    QStringList folderTitles;
    QStringList folderStarts;
    QStringList fileStarts;

    // Scripted answers, taken front first; an empty script answers No / cancel.
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<QString>> folderAnswers;
    std::deque<std::optional<QString>> fileAnswers;
    std::deque<std::optional<QString>> categoryListAnswers;
};

} // namespace quarvel::test
