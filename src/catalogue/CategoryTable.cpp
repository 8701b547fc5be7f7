#include "catalogue/CategoryTable.h"

#include "util/DecompressStream.h"
#include "util/StringList.h"
#include "util/TextFunctions.h"
#include "util/TextLines.h"

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

} // namespace

void CategoryTable::Build(QByteArray compressedList, StringList& names)
{
    DecompressStream(compressedList);
    const QByteArray text = TextLines::Decode(std::move(compressedList));

    genreList_.clear();
    firstIndexByFoldedName_.clear();
    names.Clear();

    QString currentCategory;
    bool haveCategory = false;
    qsizetype lineStart = 0;
    while (lineStart < text.size()) {
        const qsizetype lineEnd = text.indexOf("\r\n", lineStart);
        const QByteArrayView line(text.constData() + lineStart, lineEnd - lineStart);
        lineStart = lineEnd + 2;

        if (line.isEmpty() || IsSpecialSectionLine(line))
            continue;
        if (line.contains('[')) {
            currentCategory = CategoryNameOf(line);
            haveCategory = true;
            names.Add(currentCategory);
        } else if (haveCategory) {
            AddMachine(currentCategory, QString::fromUtf8(line));
        }
    }
}

void CategoryTable::AddMachine(const QString& category, QString romName)
{
    QString folded = LowerAscii(romName);
    if (!firstIndexByFoldedName_.contains(folded))
        firstIndexByFoldedName_.insert(std::move(folded), qsizetype(genreList_.size()));
    genreList_.push_back(Genres{category, std::move(romName)});
}

QString CategoryTable::FindCategory(const QString& name) const
{
    const auto found = firstIndexByFoldedName_.constFind(LowerAscii(name));
    return found == firstIndexByFoldedName_.constEnd() ? QString() : genreList_[std::size_t(found.value())].Category;
}

} // namespace quarvel
