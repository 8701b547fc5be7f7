#include "catalogue/CategoryListFile.h"

#include "catalogue/CategoryTable.h"
#include "reporting/LogSink.h"
#include "util/LinesText.h"
#include "util/Paths.h"
#include "util/QuarvelError.h"
#include "util/Stopwatch.h"
#include "util/StringList.h"
#include "util/TextLines.h"

#include <QFile>

#include <algorithm>

namespace quarvel {

namespace {

// Enough to see a binary file for what it is before reading the rest of it.
constexpr qint64 SniffBytes = 64 * 1024;

enum class Section { None, FolderLayout, Category, Other };

QuarvelError Refusal(const QString& reason)
{
    return QuarvelError(QStringLiteral("Category list not loaded: ") + reason);
}

QString Quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

bool StartsWithUtf16Mark(QByteArrayView bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

// UTF-16 text is full of NUL bytes, so only a file without its byte-order mark counts as binary by them.
bool LooksBinary(QByteArrayView bytes)
{
    return !StartsWithUtf16Mark(bytes) && bytes.contains('\0');
}

Section SectionOf(QByteArrayView header)
{
    if (header == "[FOLDER_SETTINGS]" || header == "[ROOT_FOLDER]")
        return Section::FolderLayout;
    if (CategoryTable::IsCatverCategoryHeader(header))
        return Section::Category;
    return Section::Other;
}

bool IsMachineNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool LooksLikeMachineName(QByteArrayView line)
{
    return std::all_of(line.begin(), line.end(), IsMachineNameChar);
}

bool IsCatverEntry(QByteArrayView line)
{
    const qsizetype equals = line.indexOf('=');
    return equals > 0 && !line.sliced(equals + 1).trimmed().isEmpty();
}

QuarvelError OpenRefusal(const QString& path, const QString& reason)
{
    return Refusal(TextLines::OpenErrorText(path, reason));
}

QuarvelError TooLargeRefusal(const QString& path)
{
    return Refusal(Quoted(path) + QStringLiteral(" is larger than %1 MB, too large for a category list.")
                                      .arg(CategoryListFile::MaxBytes >> 20));
}

// Reads the file's text, refusing what cannot be a category list before reading all of it.
// The file is read in one go and decoded in memory: a list already written as lines text, as
// catver.ini is, then needs no decoding copy.
QByteArray ReadListText(const QString& path)
{
    if (IsSpecialFile(path))
        throw OpenRefusal(path, QStringLiteral("It is not a regular file."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw OpenRefusal(path, file.errorString());
    if (file.size() == 0)
        throw Refusal(Quoted(path) + QStringLiteral(" is empty."));
    if (file.size() > CategoryListFile::MaxBytes)
        throw TooLargeRefusal(path);
    if (LooksBinary(file.peek(SniffBytes)))
        throw Refusal(Quoted(path) + QStringLiteral(" is a binary file, not a category list."));

    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw OpenRefusal(path, file.errorString());
    // The file may have grown since its size was read.
    if (bytes.size() > CategoryListFile::MaxBytes)
        throw TooLargeRefusal(path);
    const QByteArray text = TextLines::Decode(std::move(bytes));
    if (QByteArrayView(text).trimmed().isEmpty())
        throw Refusal(Quoted(path) + QStringLiteral(" is empty."));
    if (text.contains('\0'))
        throw Refusal(Quoted(path) + QStringLiteral(" is a binary file, not a category list."));
    return text;
}

} // namespace

std::optional<CategoryListFormat> CategoryListFile::DetectFormat(QByteArrayView linesText)
{
    std::optional<CategoryListFormat> format;
    Section section = Section::None;
    ForEachLine(linesText, [&](QByteArrayView line) {
        const QByteArrayView trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(';'))
            return true;
        if (CategoryTable::IsSectionHeader(trimmed)) {
            section = SectionOf(trimmed);
            return true;
        }
        if (section == Section::Category && IsCatverEntry(trimmed))
            format = CategoryListFormat::Catver;
        else if ((section == Section::Category || section == Section::Other) && LooksLikeMachineName(trimmed))
            format = CategoryListFormat::Sections;
        return !format;
    });
    return format;
}

CategoryListSummary CategoryListFile::Load(const QString& path, CategoryTable& table, StringList& names)
{
    const QByteArray text = ReadListText(path);
    const std::optional<CategoryListFormat> format = DetectFormat(text);
    if (!format)
        throw Refusal(Quoted(path) + QStringLiteral(" is neither a catver.ini nor a sectioned category list."));

    CategoryTable newTable;
    StringList newNames = names;
    if (*format == CategoryListFormat::Catver)
        newTable.BuildFromCatver(text, newNames);
    else
        newTable.BuildFromSections(text, newNames);

    table = std::move(newTable);
    names = std::move(newNames);
    return {*format, names.Count(), qsizetype(table.GenreList().size())};
}

void CategoryListFile::LoadLogged(const QString& path, CategoryTable& table, StringList& names, LogSink& log)
{
    const Stopwatch stopwatch;
    const CategoryListSummary summary = Load(path, table, names);
    log.AppendLine(LoadedLine(path, summary, stopwatch.ElapsedMs()));
}

void CategoryListFile::BuildBuiltIn(const QByteArray& compressedList, CategoryTable& table, StringList& names,
                                    LogSink& log)
{
    const Stopwatch stopwatch;
    table.Build(compressedList, names);
    log.AppendLine(QStringLiteral("Categories parsed [%1 ms]").arg(stopwatch.ElapsedMs()));
}

QString CategoryListFile::LoadedLine(const QString& path, const CategoryListSummary& summary, std::int64_t elapsedMs)
{
    return QStringLiteral("Category list %1 loaded: %2 categories, %3 machines [%4 ms]")
        .arg(Quoted(path))
        .arg(summary.Categories)
        .arg(summary.Machines)
        .arg(elapsedMs);
}

} // namespace quarvel
