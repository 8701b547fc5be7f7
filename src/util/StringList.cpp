#include "util/StringList.h"

#include "util/TextLines.h"

#include <QLocale>

#include <algorithm>

namespace quarvel {

namespace {

QStringList SplitCrLfText(const QString& text)
{
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast(); // every line, the last one too, ends with CR LF
    return lines;
}

} // namespace

StringList::StringList()
    : collator_(QLocale::system())
{
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

StringList StringList::SortedUnique()
{
    StringList list;
    list.SetIgnoreDuplicates(true);
    list.SetSorted(true);
    return list;
}

void StringList::SetSorted(bool sorted)
{
    if (sorted && !sorted_)
        SortLines();
    sorted_ = sorted;
}

void StringList::SortLines()
{
    std::stable_sort(lines_.begin(), lines_.end(),
                     [this](const QString& a, const QString& b) { return Compare(a, b) < 0; });
}

int StringList::Compare(const QString& a, const QString& b) const
{
    return collator_.compare(a, b);
}

qsizetype StringList::SortedInsertPosition(const QString& text, bool& equalFound) const
{
    qsizetype low = 0;
    qsizetype high = lines_.size();
    equalFound = false;
    while (low < high) {
        const qsizetype mid = low + (high - low) / 2;
        const int order = Compare(lines_[mid], text);
        if (order < 0) {
            low = mid + 1;
        } else {
            if (order == 0)
                equalFound = true;
            high = mid;
        }
    }
    return low;
}

qsizetype StringList::Add(const QString& text)
{
    if (!sorted_) {
        lines_.append(text);
        return lines_.size() - 1;
    }
    bool equalFound = false;
    const qsizetype at = SortedInsertPosition(text, equalFound);
    if (equalFound && ignoreDuplicates_)
        return -1;
    lines_.insert(at, text);
    return at;
}

qsizetype StringList::IndexOf(const QString& text) const
{
    if (sorted_) {
        bool equalFound = false;
        const qsizetype at = SortedInsertPosition(text, equalFound);
        return equalFound ? at : -1;
    }
    for (qsizetype i = 0; i < lines_.size(); ++i)
        if (Compare(lines_[i], text) == 0)
            return i;
    return -1;
}

QString StringList::Text() const
{
    QString text;
    for (const QString& line : lines_) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}

void StringList::LoadFromFile(const QString& path)
{
    TextLines file;
    file.LoadFromFile(path);
    TakeLines(file);
}

void StringList::SetText(const QString& text)
{
    TextLines normalized;
    normalized.SetText(text);
    TakeLines(normalized);
}

void StringList::TakeLines(const TextLines& lines)
{
    lines_ = SplitCrLfText(QString::fromUtf8(lines.Text()));
    if (sorted_)
        SortLines();
}

} // namespace quarvel
