#pragma once

#include "reporting/Prompts.h"

class QWidget;

namespace quarvel {

// The dialog layer on Qt's message boxes and file dialogs.
class QtPrompts : public Prompts {
public:
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    bool AskYesNo(const QString& text) override;
    std::optional<QString> PickFolder(const QString& title, const QString& startFolder) override;
    std::optional<QString> PickMachineListFile(const QString& currentFile) override;
    std::optional<QString> PickCategoryListFile() override;

private:
    QWidget* owner_ = nullptr;
};

} // namespace quarvel
