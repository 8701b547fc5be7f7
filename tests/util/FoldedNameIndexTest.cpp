#include "util/FoldedNameIndex.h"
#include "util/TextFunctions.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace quarvel {
namespace {

// A list and its index, filled the way the category table fills them.
class IndexedNames {
public:
    explicit IndexedNames(qsizetype reserved) { index_.Reset(reserved); }

    void Add(const QString& name)
    {
        index_.AddFirst(FoldedNameIndex::HashOf(name), quint32(names_.size()), IsNamed(name));
        names_.append(name);
    }

    std::optional<quint32> Find(const QString& name) const
    {
        return index_.Find(FoldedNameIndex::HashOf(name), IsNamed(name));
    }

private:
    std::function<bool(quint32)> IsNamed(const QString& name) const
    {
        return [this, name](quint32 element) { return SameTextAscii(names_[element], name); };
    }

    QStringList names_;
    FoldedNameIndex index_;
};

TEST(FoldedNameIndex, FindsTheFirstElementOfEachNameIgnoringAsciiLetterCaseOnly)
{
    IndexedNames list(0);
    for (const char* name : {"pacman", "PacMan", "a-b", "\xC3\x89t\xC3\xA9", "galaga"})
        list.Add(QString::fromUtf8(name));

    EXPECT_EQ(list.Find(QStringLiteral("PACMAN")), 0u);
    EXPECT_EQ(list.Find(QStringLiteral("A-B")), 2u);
    EXPECT_EQ(list.Find(QStringLiteral("a_b")), std::nullopt);
    EXPECT_EQ(list.Find(QString::fromUtf8("\xC3\x89T\xC3\xA9")), 3u);
    EXPECT_EQ(list.Find(QString::fromUtf8("\xC3\xA9t\xC3\xA9")), std::nullopt); // only A to Z fold
    EXPECT_EQ(list.Find(QStringLiteral("pacma")), std::nullopt);
    EXPECT_EQ(list.Find(QString()), std::nullopt);
}

TEST(FoldedNameIndex, KeepsEveryNameWhenItGrowsPastWhatWasReserved)
{
    IndexedNames list(4);
    constexpr int Names = 20000;
    for (int i = 0; i < Names; ++i)
        list.Add(QStringLiteral("m") + QString::number(i, 36));
    for (int i = 0; i < Names; ++i)
        ASSERT_EQ(list.Find(QStringLiteral("M") + QString::number(i, 36).toUpper()), quint32(i)) << i;
    EXPECT_EQ(list.Find(QStringLiteral("m") + QString::number(Names, 36)), std::nullopt);
}

TEST(FoldedNameIndex, FindsNothingBeforeAnythingIsAdded)
{
    const FoldedNameIndex index;
    EXPECT_EQ(index.Find(FoldedNameIndex::HashOf(u"pacman"), [](quint32) { return true; }), std::nullopt);
}

} // namespace
} // namespace quarvel
