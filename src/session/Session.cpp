#include "session/Session.h"

#include "catalogue/CategoryListChooser.h"
#include "catalogue/CategoryListFile.h"
#include "catalogue/MachineListImport.h"
#include "catalogue/MameListGenerator.h"
#include "fileops/ArchiveLocations.h"
#include "markup/TLibXML2.h"
#include "romfolder/SourceFolder.h"
#include "util/Paths.h"
#include "util/TextFunctions.h"

#include <QFile>

namespace quarvel {

Session::Session(Reporting reporting)
    : reporting_(reporting)
    , categoryNames_(StringList::SortedUnique())
{
}

void Session::BuildCategories(const QByteArray& compressedList)
{
    CategoryListFile::BuildBuiltIn(compressedList, categories_, categoryNames_, reporting_.log);
}

void Session::ReplaceCategories(const QString& path)
{
    CategoryListFile::LoadLogged(path, categories_, categoryNames_, reporting_.log);
}

std::optional<QString> Session::GenerateList(bool& deleteGeneratedList)
{
    reporting_.log.AppendLine(QStringLiteral("Generating XML, please wait.."));
    const QString generatedList = MameListGenerator::ListPathFor(settings_.XmlLoc);
    MameListGenerator::Generate(settings_.XmlLoc, generatedList, reporting_.pump);
    if (!FileExistsInFolder(generatedList)) {
        reporting_.prompts.ShowMessage(QStringLiteral("Error, can't find generated XML file"));
        return std::nullopt;
    }
    deleteGeneratedList = reporting_.prompts.AskYesNo(
        QStringLiteral("Do you want to delete the generated XML file\r\n"
                       "after it's been loaded? (stored in the mame.exe folder)"));
    return generatedList;
}

bool Session::LoadRomList()
{
    bool deleteGeneratedList = false;
    QString generatedList;
    if (MameListGenerator::IsMameExecutable(settings_.XmlLoc)) {
        const std::optional<QString> generated = GenerateList(deleteGeneratedList);
        if (!generated)
            return false;
        generatedList = *generated;
        settings_.XmlLoc = generatedList;
    }
    if (LowerAscii(ExtractFileExt(settings_.XmlLoc)) == QStringLiteral(".xml")) {
        reporting_.log.AppendLine(QStringLiteral("Loading XML.."));
        xmlText_.LoadFromFile(settings_.XmlLoc,
                              deleteGeneratedList ? InPlaceText::Holding::Copy : InPlaceText::Holding::MapWhenUtf8);
        if (deleteGeneratedList && !QFile::remove(generatedList))
            reporting_.log.AppendLine(QStringLiteral("Error, can't delete tmp file: ") + generatedList);
    }

    // The lines of the list read last are scanned again when no new list was read.
    xmlText_.ReloadIfCutShort();
    const std::int64_t parseMs = MachineListImport::Parse(
        xmlText_, categories_, MachineTables{romList_, filteredRoms_, cloneNames_, originalNames_},
        reporting_.progress, reporting_.pump);
    MatchRomFiles();
    reporting_.log.AppendLine(MachineListImport::SummaryLine(originalNames_.Count(), cloneNames_.Count(), parseMs));
    listImported_ = true;
    return true;
}

QString Session::SourceExtension() const
{
    return SourceTypeExtension(settings_.SrcType);
}

bool Session::ScanSourceFolder()
{
    const bool scanned =
        quarvel::ScanSourceFolder(settings_.SourceFolder, SourceExtension(), sourceFiles_, reporting_.log, reporting_.pump);
    sourceScanned_ = sourceScanned_ || scanned;
    return scanned;
}

void Session::MatchRomFiles()
{
    quarvel::MatchRomFiles(romList_, settings_.SourceFolder, SourceExtension(), reporting_.log, reporting_.progress,
                           reporting_.pump);
}

QString Session::ChooseCategoriesAtStartup(CategoryListChooser& chooser, const CategoriesChoice& remembered)
{
    return chooser.LoadAtStartup(remembered, categories_, categoryNames_);
}

bool Session::LoadCategoryList(CategoryListChooser& chooser, const QString& path)
{
    if (!chooser.LoadFile(path, categories_, categoryNames_))
        return false;
    AssignCategories();
    return true;
}

void Session::UseBuiltInCategories(CategoryListChooser& chooser)
{
    chooser.LoadBuiltIn(categories_, categoryNames_);
    AssignCategories();
}

void Session::AssignCategories()
{
    categories_.AssignCategories(romList_);
}

qsizetype Session::Refilter(const RomFilterInputs& inputs)
{
    return romFilter_.Refilter(romList_, inputs, filteredRoms_);
}

int Session::RunSelection(SelectionAction action, const RowIndexes& rows, const QString& destinationFolder,
                          ProgressSink& progress)
{
    const ArchiveLocations locations{settings_.SourceFolder, SourceExtension(), destinationFolder};
    return RunSelectionOperation(action, filteredRoms_, rows, locations, reporting_.log, progress, reporting_.pump);
}

BatchOutcome Session::RunBatch(BatchOperation operation, CancelFlag& cancel)
{
    return RunBatchOperation(operation, BatchNames(operation), BatchLocations(), cancel, reporting_.log,
                             reporting_.progress, reporting_.pump);
}

const QStringList& Session::BatchNames(BatchOperation operation) const
{
    return (WalksCloneNames(operation) ? cloneNames_ : originalNames_).Lines();
}

ArchiveLocations Session::BatchLocations() const
{
    return ArchiveLocations{settings_.SourceFolder, SourceExtension(), settings_.OutFolder};
}

void Session::RescanSourceFolder()
{
    ScanSourceFolder();
    MatchRomFiles();
}

VersionCheckOutcome Session::CheckVersion(HttpClient& client, const QUrl& url)
{
    return quarvel::CheckVersion(client, reporting_.log, reporting_.pump, url);
}

void Session::SaveSettings(SettingsStore& store) const
{
    TLibXML2 document;
    document.WNew();
    document.WOpenNode(QStringLiteral("Settings"), QString());
    document.WAddChild(QStringLiteral("XMLLoc"), settings_.XmlLoc);
    document.WAddChild(QStringLiteral("SourceFolder"), settings_.SourceFolder);
    document.WAddChild(QStringLiteral("OutFolder"), settings_.OutFolder);
    document.WAddChildInt(QStringLiteral("SrcType"), settings_.SrcType);
    document.WCloseNode(QStringLiteral("Settings"));
    document.WSaveToRegistry(QString::fromLatin1(SettingsKey), QString::fromLatin1(SettingsValue), store);
}

bool Session::RestoreSettings(SettingsStore& store)
{
    TLibXML2 document;
    document.LoadFromRegistry(QString::fromLatin1(SettingsKey), QString::fromLatin1(SettingsValue), store,
                              reporting_.prompts);
    document.SetMainNode(QStringLiteral("Settings"), false);
    if (document.Nodes() == 0)
        return false;
    document.LoadNode(1);
    settings_.XmlLoc = document.GetItem(QStringLiteral("XMLLoc"));
    settings_.SourceFolder = document.GetItem(QStringLiteral("SourceFolder"));
    settings_.OutFolder = document.GetItem(QStringLiteral("OutFolder"));
    const qint32 sourceType = document.GetItemInt(QStringLiteral("SrcType"));
    settings_.SrcType = sourceType == 0 || sourceType == 1 ? sourceType : 0;
    return ExtractFileExt(settings_.XmlLoc) == QStringLiteral(".xml");
}

void Session::Clear()
{
    categoryNames_.Clear();
    sourceFiles_.Clear();
    originalNames_.Clear();
    cloneNames_.Clear();
    xmlText_.Clear();
    romList_.clear();
}

} // namespace quarvel
