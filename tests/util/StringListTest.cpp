#include "util/StringList.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

TEST(StringList, UnsortedKeepsOrderAndDuplicates)
{
    StringList list;
    for (const char* text : {"b", "A", "a", "b"})
        list.Add(QString::fromLatin1(text));
    EXPECT_EQ(list.Lines(), QStringList({"b", "A", "a", "b"}));
    EXPECT_EQ(list.IndexOf(QStringLiteral("a")), 1); // letter case is ignored: "A" comes first
    EXPECT_EQ(list.IndexOf(QStringLiteral("c")), -1);
}

TEST(StringList, SortedIgnoringDuplicatesKeepsTheFirstSpelling)
{
    StringList names;
    names.SetIgnoreDuplicates(true);
    names.SetSorted(true);
    for (const char* text : {"Shooter", "ball & paddle", "Maze", "Ball & Paddle", "maze / collect", "MAZE"})
        names.Add(QString::fromLatin1(text));
    EXPECT_EQ(names.Lines(), QStringList({"ball & paddle", "Maze", "maze / collect", "Shooter"}));
    EXPECT_EQ(names.IndexOf(QStringLiteral("SHOOTER")), 3);
}

TEST(StringList, TextEndsEveryLineWithCrLf)
{
    StringList list;
    EXPECT_EQ(list.Text(), QString());
    list.Add(QStringLiteral("x"));
    list.Add(QString());
    EXPECT_EQ(list.Text(), QStringLiteral("x\r\n\r\n"));
}

} // namespace
} // namespace quarvel
