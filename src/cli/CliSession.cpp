#include "cli/CliSession.h"

#include "cli/CliError.h"
#include "util/Paths.h"
#include "util/QuarvelError.h"

#include <QFile>
#include <QFileInfo>

namespace quarvel {

namespace {

const char* const BuiltInCategories = ":/genres";

QByteArray BuiltInCategoryList()
{
    QFile resource(QString::fromLatin1(BuiltInCategories));
    if (!resource.open(QIODevice::ReadOnly))
        throw CliError(QStringLiteral("the built-in category list is missing from this build"));
    return resource.readAll();
}

} // namespace

CliSession::CliSession(const CliOptions& options)
    : options_(options)
    , session_(Reporting{log_, progress_, pump_, prompts_})
{
    SessionSettings& settings = session_.Settings();
    settings.XmlLoc = options.listPath;
    settings.SourceFolder = options.sourceFolder;
    settings.OutFolder = options.outputFolder;
    settings.SrcType = options.sourceType;
}

void CliSession::Load()
{
    // Only the match needs the folder listed, so here it is only looked for.
    if (!FolderExists(options_.sourceFolder))
        throw CliError(QStringLiteral("source folder not found: %1").arg(options_.sourceFolder));
    LoadCategories();
    LoadList();
}

void CliSession::LoadCategories()
{
    try {
        if (options_.categoriesPath.isEmpty())
            session_.BuildCategories(BuiltInCategoryList());
        else
            session_.ReplaceCategories(options_.categoriesPath);
    } catch (const QuarvelError& error) {
        throw CliError(error.Message());
    }
}

void CliSession::LoadList()
{
    const QFileInfo list(options_.listPath);
    if (!list.isFile() || !list.isReadable())
        throw CliError(QStringLiteral("cannot read the list %1").arg(options_.listPath));
    try {
        if (!session_.LoadRomList())
            throw CliError(prompts_.LastMessage());
    } catch (const QuarvelError& error) {
        throw CliError(error.Message());
    }
    if (session_.RomList().empty())
        throw CliError(QStringLiteral("no machine in the list %1").arg(options_.listPath));
}

const RomTable& CliSession::Filtered(bool presentOnly)
{
    session_.Refilter(FilterInputs(presentOnly));
    return session_.FilteredRoms();
}

RomFilterInputs CliSession::FilterInputs(bool presentOnly) const
{
    RomFilterInputs inputs;
    inputs.FilterText = options_.filterText;
    inputs.ShowClones = !options_.noClones;
    inputs.OnlyPresent = presentOnly || options_.present;
    inputs.CategoryItems = CategoryItems();
    return inputs;
}

std::vector<CategoryItem> CliSession::CategoryItems() const
{
    const QStringList texts = RomFilter::CategoryItemTexts(session_.CategoryNames());
    for (const QString& wanted : options_.categories) {
        if (!texts.contains(wanted))
            throw CliError(QStringLiteral("unknown category \"%1\"").arg(wanted));
    }
    std::vector<CategoryItem> items;
    items.reserve(std::size_t(texts.size()));
    for (const QString& text : texts)
        items.push_back({text, options_.categories.isEmpty() || options_.categories.contains(text)});
    return items;
}

} // namespace quarvel
