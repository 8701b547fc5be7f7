#include "settings/CategoriesSetting.h"

#include "settings/SettingsStore.h"

#include <QFileInfo>

namespace quarvel {

namespace {

// The stored text is the file's absolute path; an empty text, which no such path can be,
// stands for the built-in list.
const QString ValueName = QStringLiteral("Categories");

} // namespace

CategoriesChoice ReadCategoriesChoice(SettingsStore& store, const QString& keyPath)
{
    const std::optional<QString> text = store.ReadText(keyPath, ValueName);
    if (!text)
        return {};
    if (text->isEmpty())
        return {CategoriesChoice::Source::BuiltIn, QString()};
    return {CategoriesChoice::Source::File, *text};
}

void RememberBuiltInCategories(SettingsStore& store, const QString& keyPath)
{
    store.WriteText(keyPath, ValueName, QString());
}

void RememberCategoryFile(SettingsStore& store, const QString& keyPath, const QString& path)
{
    store.WriteText(keyPath, ValueName, QFileInfo(path).absoluteFilePath());
}

} // namespace quarvel
