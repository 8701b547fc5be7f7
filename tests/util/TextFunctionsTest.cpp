#include "util/TextFunctions.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

TEST(TextFunctions, ContainsRules)
{
    EXPECT_TRUE(ContainsStr(QStringLiteral("ach"), QStringLiteral("machine")));
    EXPECT_FALSE(ContainsStr(QStringLiteral("ACH"), QStringLiteral("machine")));
    EXPECT_FALSE(ContainsStr(QString(), QStringLiteral("machine")));
    EXPECT_FALSE(ContainsStr(QStringLiteral("a"), QString()));
    EXPECT_TRUE(ContainsText(QStringLiteral("ACH"), QStringLiteral("machine")));
    // Only ASCII letters fold.
    EXPECT_FALSE(ContainsText(QStringLiteral("\u00C9"), QStringLiteral("\u00E9")));
}

TEST(TextFunctions, CutsAtTheFirstMarker)
{
    EXPECT_EQ(CopyBefore(QStringLiteral("a>b>c"), QStringLiteral(">")), QStringLiteral("a"));
    EXPECT_EQ(CopyBefore(QStringLiteral("abc"), QStringLiteral(">")), QString());
    QString s = QStringLiteral("x<machine name=\"a\">");
    DeleteThrough(s, QStringLiteral("<machine"));
    EXPECT_EQ(s, QStringLiteral(" name=\"a\">"));
    QString t = QStringLiteral("a]]>b]]>");
    DeleteFirst(t, QStringLiteral("]]>"));
    EXPECT_EQ(t, QStringLiteral("ab]]>"));
    DeleteFirst(t, QStringLiteral("zz"));
    EXPECT_EQ(t, QStringLiteral("ab]]>"));
}

TEST(TextFunctions, StripCharRemovesEveryOccurrence)
{
    EXPECT_EQ(StripChar(QStringLiteral("[[a]b["), u'[', false), QStringLiteral("a]b"));
    EXPECT_EQ(StripChar(QStringLiteral("aAbA"), u'a', false), QStringLiteral("AbA"));
    EXPECT_EQ(StripChar(QStringLiteral("aAbA"), u'a', true), QStringLiteral("b"));
}

} // namespace
} // namespace quarvel
