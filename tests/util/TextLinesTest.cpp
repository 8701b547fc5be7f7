#include "support/TestFiles.h"
#include "util/QuarvelError.h"
#include "util/StringList.h"
#include "util/TextLines.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

struct LoadCase {
    const char* name;
    QByteArray bytes;
    QByteArray text; // UTF-8, every line ended by CR LF
};

class TextLinesLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(TextLinesLoad, DecodesAndSplitsLikeAStringList)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("list.txt"));
    test::WriteFile(path, GetParam().bytes);
    TextLines lines;
    lines.LoadFromFile(path);
    EXPECT_EQ(lines.Text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextLinesLoad,
    ::testing::Values(
        LoadCase{"Empty", "", ""},
        LoadCase{"LoneLineFeeds", "a\n\nb", "a\r\n\r\nb\r\n"},
        LoadCase{"MixedBreaks", "a\r\nb\rc\nd\r\n", "a\r\nb\r\nc\r\nd\r\n"},
        LoadCase{"FinalBreakAddsNoLine", "a\n", "a\r\n"},
        LoadCase{"OnlyABreak", "\n", "\r\n"},
        LoadCase{"LoneCrAtEnd", "a\r", "a\r\n"},
        LoadCase{"CrBeforeCrLf", "a\r\r\nb", "a\r\n\r\nb\r\n"},
        LoadCase{"Utf8WithoutMark", "Pok\xC3\xA9mon\n", "Pok\xC3\xA9mon\r\n"},
        LoadCase{"Utf8WithMark", "\xEF\xBB\xBFx\xC3\xA9\n", "x\xC3\xA9\r\n"},
        LoadCase{"Latin1WhenNotUtf8", "caf\xE9\nna\xEFve", "caf\xC3\xA9\r\nna\xC3\xAFve\r\n"},
        LoadCase{"Latin1WithCr", "\xE9\r\xE8", "\xC3\xA9\r\n\xC3\xA8\r\n"},
        LoadCase{"Utf16LittleEndian", QByteArray("\xFF\xFE" "a\0\n\0\xE9\0", 8), "a\r\n\xC3\xA9\r\n"},
        LoadCase{"Utf16BigEndian", QByteArray("\xFE\xFF\0a\0\r\0b", 8), "a\r\nb\r\n"},
        LoadCase{"LongUnixText", QByteArray("0123456789abcdef\n").repeated(1000),
                 QByteArray("0123456789abcdef\r\n").repeated(1000)}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(TextLines, MissingFileRaisesTheOpenErrorAndKeepsTheText)
{
    QTemporaryDir folder;
    const QString good = folder.filePath(QStringLiteral("good.txt"));
    test::WriteFile(good, "kept\n");
    TextLines lines;
    lines.LoadFromFile(good);
    const QString missing = folder.filePath(QStringLiteral("missing.xml"));
    try {
        lines.LoadFromFile(missing);
        FAIL() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_TRUE(error.Message().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(missing)))
            << error.Message().toStdString();
        EXPECT_GT(error.Message().size(), QStringLiteral("Cannot open file \"%1\". ").arg(missing).size());
    }
    EXPECT_EQ(lines.Text(), "kept\r\n");
}

TEST(TextLines, DocumentOfFourGibibytesIsRefusedWithoutReadingIt)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("huge.xml"));
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64(1) << 32)); // sparse: no disk or memory is used
    huge.close();
    TextLines lines;
    try {
        lines.LoadFromFile(path);
        FAIL() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_TRUE(error.Message().contains(QStringLiteral("4 GiB"))) << error.Message().toStdString();
    }
    EXPECT_TRUE(lines.IsEmpty());
}

TEST(StringListLoad, SplitsTheDecodedTextIntoLines)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("list.txt"));
    test::WriteFile(path, "one\r\ntwo\rthree\n\nfour");
    StringList list;
    list.Add(QStringLiteral("replaced"));
    list.LoadFromFile(path);
    EXPECT_EQ(list.Lines(), QStringList({"one", "two", "three", "", "four"}));
    EXPECT_EQ(list.Text(), QStringLiteral("one\r\ntwo\r\nthree\r\n\r\nfour\r\n"));
}

TEST(StringListLoad, UnreadableFileKeepsTheLines)
{
    StringList list;
    list.Add(QStringLiteral("kept"));
    EXPECT_THROW(list.LoadFromFile(QStringLiteral("/nonexistent/folder/list.txt")), QuarvelError);
    EXPECT_EQ(list.Lines(), QStringList({"kept"}));
}

} // namespace
} // namespace quarvel
