#pragma once

#include <QString>

namespace quarvel {

class SettingsStore;

// The user's choice of category list, remembered in the value "Categories" beside
// "Settings", so the six-line settings document keeps its exact form.
struct CategoriesChoice {
    enum class Source {
        None,    // nothing chosen yet: the start-up chain looks in the usual places
        BuiltIn, // the list inside the program, chosen on purpose
        File,    // the list in Path
    };

    Source ChosenSource = Source::None;
    QString Path;
};

// The remembered choice; None when the value is missing. Throws the store's
// "Invalid data type for 'Categories'" when the value is not text.
CategoriesChoice ReadCategoriesChoice(SettingsStore& store, const QString& keyPath);
// Remembers the built-in list, so a list found in the usual places no longer replaces it.
void RememberBuiltInCategories(SettingsStore& store, const QString& keyPath);
// Remembers a category list file by its absolute path.
void RememberCategoryFile(SettingsStore& store, const QString& keyPath, const QString& path);

} // namespace quarvel
