#pragma once

#include "catalogue/CategoryTable.h"
#include "catalogue/Rom.h"
#include "fileops/ArchiveLocations.h"
#include "fileops/BatchOperation.h"
#include "fileops/SelectionOperation.h"
#include "reporting/Reporting.h"
#include "romlist/RomFilter.h"
#include "romlist/RomFilterInputs.h"
#include "session/SessionSettings.h"
#include "util/InPlaceText.h"
#include "util/StringList.h"
#include "version/VersionCheck.h"

#include <QByteArray>
#include <QString>

namespace quarvel {

class CategoryListChooser;
class SettingsStore;
struct CategoriesChoice;

// The program without its window: the machine tables and name lists, the four settings, and
// the operations over them in the order the program runs them. The window and the command
// line each drive one; neither reaches the tables but through it, so both give the same
// results. Every report goes through the reporting bundle it was made with.
class Session {
public:
    static constexpr const char* SettingsKey = "Software\\Quarvel";
    static constexpr const char* SettingsValue = "Settings";

    explicit Session(Reporting reporting);

    // Builds the category table from its zlib-compressed list and logs the time taken.
    void BuildCategories(const QByteArray& compressedList);
    // Builds the category table from a list file the user keeps, in either format, and logs
    // the load; throws the QuarvelError of CategoryListFile::Load when the file is refused.
    void ReplaceCategories(const QString& path);

    // Imports the list Settings().XmlLoc names, running the emulator first when it names one,
    // and matches it against the source folder. Returns false when the emulator left no list,
    // after telling the user.
    bool LoadRomList();

    // Lists the archives of the source folder; false, with nothing logged, when it is missing.
    bool ScanSourceFolder();
    // Marks which machines of RomList have an archive in the source folder.
    void MatchRomFiles();
    // Both passes, after the source folder or type changed.
    void RescanSourceFolder();

    // Builds the category table at start-up from the remembered choice, a list found in the
    // usual places, or the built-in list; returns the list file in use, empty for the built-in.
    QString ChooseCategoriesAtStartup(CategoryListChooser& chooser, const CategoriesChoice& remembered);
    // Replaces the category table by a list file's and gives every machine its new category;
    // false, with the reason logged and the table kept, when the file is refused.
    bool LoadCategoryList(CategoryListChooser& chooser, const QString& path);
    // Replaces the category table by the built-in list's and gives every machine its category.
    void UseBuiltInCategories(CategoryListChooser& chooser);

    // Rebuilds FilteredRoms from RomList by the Roms List page's filter; returns the row count.
    qsizetype Refilter(const RomFilterInputs& inputs);
    // The file actions of the list's context menu over rows of FilteredRoms.
    int RunSelection(SelectionAction action, const RowIndexes& rows, const QString& destinationFolder,
                     ProgressSink& progress);

    // Deletes, moves or copies the archives of the clone or original names, from the source
    // folder to the output folder of the settings, until the end of the list or a cancel request.
    BatchOutcome RunBatch(BatchOperation operation, CancelFlag& cancel);
    // What RunBatch walks and where it finds and puts the archives, for a caller that reports
    // a batch its own way.
    const QStringList& BatchNames(BatchOperation operation) const;
    ArchiveLocations BatchLocations() const;

    // Asks the maker's server at url for the newest release's number and logs the answer,
    // pumping while it waits.
    VersionCheckOutcome CheckVersion(HttpClient& client, const QUrl& url);

    // Writes the four settings as their six-line document into the store.
    void SaveSettings(SettingsStore& store) const;
    // Reads the four settings back from the store; true when they name a list to import now
    // (only a list is imported at start-up, never a program, and the test is case-exact).
    bool RestoreSettings(SettingsStore& store);

    SessionSettings& Settings() { return settings_; }
    const SessionSettings& Settings() const { return settings_; }
    // The archive extension of the source type, without its dot.
    QString SourceExtension() const;

    // Facts the window's controls follow.
    bool SourceScanned() const { return sourceScanned_; }
    bool ListImported() const { return listImported_; }

    const StringList& CategoryNames() const { return categoryNames_; }
    const CategoryTable& Categories() const { return categories_; }
    const RomTable& RomList() const { return romList_; }
    RomTable& FilteredRoms() { return filteredRoms_; }
    const RomTable& FilteredRoms() const { return filteredRoms_; }
    const StringList& CloneNames() const { return cloneNames_; }
    const StringList& OriginalNames() const { return originalNames_; }
    const StringList& SourceFiles() const { return sourceFiles_; }

    // Empties the lists and the machine table as the window does when it closes.
    void Clear();

private:
    void AssignCategories();
    // Runs the emulator and returns the generated list's path, or nothing when it left none.
    std::optional<QString> GenerateList(bool& deleteGeneratedList);

    Reporting reporting_;
    SessionSettings settings_;
    bool sourceScanned_ = false;
    bool listImported_ = false;

    // The shared lists, created in this order and emptied in the reverse order.
    InPlaceText xmlText_;
    StringList cloneNames_;
    StringList originalNames_;
    StringList sourceFiles_;
    StringList categoryNames_;

    RomTable romList_;
    RomTable filteredRoms_;
    CategoryTable categories_;
    RomFilter romFilter_;
};

} // namespace quarvel
