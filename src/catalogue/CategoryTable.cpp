#include "catalogue/CategoryTable.h"

#include "util/DecompressStream.h"
#include "util/LinesText.h"
#include "util/StringList.h"
#include "util/TextFunctions.h"
#include "util/TextLines.h"

#include <QHash>

#include <cstring>

namespace quarvel {

namespace {

bool IsSpecialSectionLine(QByteArrayView line)
{
    return line.contains("[ROOT_FOLDER]") || line.contains("[FOLDER_SETTINGS]");
}

QString CategoryNameOf(QByteArrayView line)
{
    const QString text = QString::fromUtf8(line);
    return StripChar(StripChar(text, u'[', false), u']', false);
}

// catver.ini repeats a few hundred category texts over tens of thousands of lines: decoding
// each distinct one once, and sharing it, keeps the load fast and the table small. They are
// looked up by their bytes, which a raw-data array wraps without a copy.
class CategoryTexts {
public:
    explicit CategoryTexts(StringList& names) : names_(names) {}

    QString Shared(QByteArrayView value)
    {
        // A clone's line follows its original's and mostly names the same category.
        if (value == lastValue_)
            return lastText_;
        const auto found = seen_.constFind(QByteArray::fromRawData(value.data(), value.size()));
        if (found != seen_.constEnd()) {
            lastText_ = *found;
        } else {
            lastText_ = QString::fromUtf8(value);
            names_.Add(lastText_);
            seen_.insert(value.toByteArray(), lastText_);
        }
        lastValue_ = value;
        return lastText_;
    }

private:
    StringList& names_;
    QHash<QByteArray, QString> seen_;
    QByteArrayView lastValue_;
    QString lastText_;
};

// At most one machine per line: reserving that many spares rehashing the name index as it grows.
// memchr takes many bytes per step where a byte loop takes one.
qsizetype MostMachines(QByteArrayView linesText)
{
    if (linesText.isEmpty())
        return 0;
    qsizetype lines = 0;
    const char* at = linesText.data();
    const char* const end = at + linesText.size();
    while (const void* found = std::memchr(at, '\n', std::size_t(end - at))) {
        ++lines;
        at = static_cast<const char*>(found) + 1;
    }
    return lines;
}

} // namespace

bool CategoryTable::IsSectionHeader(QByteArrayView trimmedLine)
{
    return trimmedLine.startsWith('[') && trimmedLine.endsWith(']');
}

bool CategoryTable::IsCatverCategoryHeader(QByteArrayView trimmedLine)
{
    return trimmedLine.compare("[Category]", Qt::CaseInsensitive) == 0;
}

void CategoryTable::Build(QByteArray compressedList, StringList& names)
{
    DecompressStream(compressedList);
    BuildFromSections(TextLines::Decode(std::move(compressedList)), names);
}

void CategoryTable::BuildFromSections(QByteArrayView linesText, StringList& names)
{
    Clear(names, linesText);
    QString currentCategory;
    bool haveCategory = false;
    ForEachLine(linesText, [&](QByteArrayView line) {
        // A line without "[" is a machine: the special section test only runs on the others.
        const bool bracketed = line.contains('[');
        if (line.isEmpty() || (bracketed && IsSpecialSectionLine(line)))
            return true;
        if (bracketed) {
            currentCategory = CategoryNameOf(line);
            haveCategory = true;
            names.Add(currentCategory);
        } else if (haveCategory) {
            AddMachine(currentCategory, line);
        }
        return true;
    });
}

void CategoryTable::BuildFromCatver(QByteArrayView linesText, StringList& names)
{
    Clear(names, linesText);
    CategoryTexts categories(names);
    bool inCategorySection = false;
    ForEachLine(linesText, [&](QByteArrayView line) {
        const QByteArrayView trimmed = line.trimmed();
        if (IsSectionHeader(trimmed)) {
            inCategorySection = IsCatverCategoryHeader(trimmed);
            return true;
        }
        if (!inCategorySection || trimmed.startsWith(';'))
            return true;
        const qsizetype equals = trimmed.indexOf('=');
        if (equals < 0)
            return true;
        const QByteArrayView romName = trimmed.first(equals).trimmed();
        const QByteArrayView category = trimmed.sliced(equals + 1).trimmed();
        if (!romName.isEmpty() && !category.isEmpty())
            AddMachine(categories.Shared(category), romName);
        return true;
    });
}

void CategoryTable::Clear(StringList& names, QByteArrayView linesText)
{
    genreList_.clear();
    names.Clear();
    // A UTF-8 text never decodes to more UTF-16 units than it has bytes.
    romNames_.clear();
    romNames_.reserve(linesText.size());
    const qsizetype mostMachines = MostMachines(linesText);
    genreList_.reserve(std::size_t(mostMachines));
    firstByName_.Reset(mostMachines);
}

void CategoryTable::AddMachine(const QString& category, QByteArrayView romName)
{
    const QChar* const namesBefore = romNames_.constData();
    const qsizetype start = romNames_.size();
    if (IsAscii(romName))
        romNames_.append(QLatin1StringView(romName.data(), romName.size()));
    else
        romNames_.append(QString::fromUtf8(romName));
    Q_ASSERT(romNames_.constData() == namesBefore);
    const QStringView name(romNames_.constData() + start, romNames_.size() - start);

    firstByName_.AddFirst(FoldedNameIndex::HashOf(name), quint32(genreList_.size()),
                          [&](quint32 element) { return SameTextAscii(genreList_[element].RomName, name); });
    genreList_.push_back(Genres{category, name});
}

QString CategoryTable::FindCategory(const QString& name) const
{
    const std::optional<quint32> found = firstByName_.Find(
        FoldedNameIndex::HashOf(name), [&](quint32 element) { return SameTextAscii(genreList_[element].RomName, name); });
    return found ? genreList_[*found].Category : QString();
}

void CategoryTable::AssignCategories(RomTable& roms) const
{
    for (Rom& rom : roms)
        rom.Category = FindCategory(rom.RomFile);
}

} // namespace quarvel
