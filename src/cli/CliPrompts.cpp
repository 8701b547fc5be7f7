#include "cli/CliPrompts.h"

namespace quarvel {

void CliPrompts::ShowMessage(const QString& text)
{
    lastMessage_ = text;
}

void CliPrompts::ShowError(const QString& text)
{
    ShowMessage(text);
}

bool CliPrompts::AskYesNo(const QString&)
{
    return true;
}

std::optional<QString> CliPrompts::PickFolder(const QString&, const QString&)
{
    return std::nullopt;
}

std::optional<QString> CliPrompts::PickMachineListFile(const QString&)
{
    return std::nullopt;
}

std::optional<QString> CliPrompts::PickCategoryListFile()
{
    return std::nullopt;
}

} // namespace quarvel
