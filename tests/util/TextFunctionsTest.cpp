#include "support/NamedCases.h"
#include "util/TextFunctions.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>

namespace quarvel {
namespace {

using test::PrintTo;

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

struct StreamCase {
    const char* name;
    QByteArray bytes;
    QString text;
};

class StreamText : public ::testing::TestWithParam<StreamCase> {};

TEST_P(StreamText, ReadsTheBytesBeforeTheFirstZero)
{
    EXPECT_EQ(StreamToText(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StreamText,
    ::testing::Values(StreamCase{"Empty", {}, QString()},
                      StreamCase{"Digits", "12", QStringLiteral("12")},
                      StreamCase{"LineEndsKept", "6\r\n", QStringLiteral("6\r\n")},
                      StreamCase{"ZeroEndsTheText", QByteArray("6\0" "7", 3), QStringLiteral("6")},
                      StreamCase{"ZeroFirst", QByteArray("\0" "7", 2), QString()},
                      StreamCase{"Utf8", "D\xC3\xA4mon", QStringLiteral("D\u00E4mon")},
                      StreamCase{"NotUtf8ReadsAsLatin1", "D\xE4mon", QStringLiteral("D\u00E4mon")},
                      StreamCase{"CutUtf8ReadsAsLatin1", "7\xC3", QStringLiteral("7\u00C3")}),
    test::CaseName());

} // namespace
} // namespace quarvel
