#pragma once

#include <QString>

#include <optional>

namespace quarvel {

// The dialog layer: boxes and pickers that ask or tell the user something.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A plain message box with an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // The application's standard error box for an error that left a handler.
    virtual void ShowError(const QString& text) = 0;
    // A confirmation box with Yes and No buttons; true for Yes.
    virtual bool AskYesNo(const QString& text) = 0;
    // The folder picker; nothing when the user cancels.
    virtual std::optional<QString> PickFolder(const QString& title, const QString& startFolder) = 0;
    // The open dialog for a machine list or MAME executable; nothing when the user cancels.
    virtual std::optional<QString> PickMachineListFile(const QString& currentFile) = 0;
    // The open dialog for a category list (catver.ini or a sectioned list); nothing on cancel.
    virtual std::optional<QString> PickCategoryListFile() = 0;
};

} // namespace quarvel
