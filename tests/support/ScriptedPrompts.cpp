#include "support/ScriptedPrompts.h"

namespace quarvel::test {

namespace {

bool TakeFront(std::deque<bool>& script)
{
    if (script.empty())
        return false;
    const bool answer = script.front();
    script.pop_front();
    return answer;
}

std::optional<QString> TakeFront(std::deque<std::optional<QString>>& script)
{
    std::optional<QString> answer;
    if (!script.empty()) {
        answer.swap(script.front());
        script.pop_front();
    }
    return answer;
}

} // namespace

bool ScriptedPrompts::AskYesNo(const QString& text)
{
    questions.append(text);
    return TakeFront(yesNoAnswers);
}

std::optional<QString> ScriptedPrompts::PickFolder(const QString& title, const QString& startFolder)
{
    folderTitles.append(title);
    folderStarts.append(startFolder);
    return TakeFront(folderAnswers);
}

std::optional<QString> ScriptedPrompts::PickMachineListFile(const QString& currentFile)
{
    fileStarts.append(currentFile);
    return TakeFront(fileAnswers);
}

std::optional<QString> ScriptedPrompts::PickCategoryListFile()
{
    return TakeFront(categoryListAnswers);
}

} // namespace quarvel::test
