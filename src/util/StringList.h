#pragma once

#include <QCollator>
#include <QString>
#include <QStringList>

namespace quarvel {

class TextLines;

// A list of texts compared without regard to letter case by the user locale's collation,
// for look-ups and for sorting. Unsorted lists keep insertion order and duplicates; a
// sorted list keeps its order on every add and may ignore names equal to one present.
class StringList {
public:
    StringList();
    // A sorted list that ignores names equal to one present, as the category names are kept.
    static StringList SortedUnique();

    void SetSorted(bool sorted);
    void SetIgnoreDuplicates(bool ignore) { ignoreDuplicates_ = ignore; }

    // Appends (or, when sorted, inserts in order); returns the index, or -1 when ignored.
    qsizetype Add(const QString& text);
    void Delete(qsizetype index) { lines_.removeAt(index); }
    void Clear() { lines_.clear(); }
    void Replace(qsizetype index, const QString& text) { lines_[index] = text; }

    qsizetype Count() const { return lines_.size(); }
    bool IsEmpty() const { return lines_.isEmpty(); }
    const QString& operator[](qsizetype index) const { return lines_[index]; }
    const QStringList& Lines() const { return lines_; }

    // Index of the first line equal to text by the list's comparison, or -1.
    qsizetype IndexOf(const QString& text) const;
    int Compare(const QString& a, const QString& b) const;

    // The lines in order, each followed by CR LF; empty for an empty list.
    QString Text() const;

    // Replaces the lines by those of the file (see TextLines for the decoding rules);
    // throws "Cannot open file "%s". %s" and keeps the lines when the file cannot be read.
    void LoadFromFile(const QString& path);
    // Replaces the lines by those of a text, split at CR LF, CR or LF.
    void SetText(const QString& text);

private:
    void SortLines();
    // Replaces the lines by those of a lines text.
    void TakeLines(const TextLines& lines);
    qsizetype SortedInsertPosition(const QString& text, bool& equalFound) const;

    QStringList lines_;
    QCollator collator_;
    bool sorted_ = false;
    bool ignoreDuplicates_ = false;
};

} // namespace quarvel
