#include "support/TestFiles.h"
#include "util/QuarvelError.h"
#include "util/LineTextDecoder.h"
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

namespace quarvel {
namespace {

// Feeding the same bytes in pieces of any size gives the text a single feed gives, whatever
// a piece boundary splits: a CR LF pair, a UTF-8 sequence or a run of plain bytes.
TEST(LineTextDecoder, PiecesGiveTheSameTextAsOneFeed)
{
    const QByteArray input = QByteArray("caf\xC3\xA9\r\n\xF0\x9F\x98\x80 a\rb\n\nlong plain run of ascii text\r\r\nend");
    for (qsizetype piece = 1; piece <= input.size(); ++piece) {
        LineTextDecoder decoder(LineTextDecoder::Encoding::Utf8, input.size());
        for (qsizetype at = 0; at < input.size(); at += piece)
            ASSERT_TRUE(decoder.Feed(QByteArrayView(input).sliced(at, std::min(piece, input.size() - at))));
        bool valid = false;
        EXPECT_EQ(decoder.Finish(valid),
                  "caf\xC3\xA9\r\n\xF0\x9F\x98\x80 a\r\nb\r\n\r\nlong plain run of ascii text\r\n\r\nend\r\n")
            << piece;
        EXPECT_TRUE(valid);
    }
}

TEST(LineTextDecoder, RejectsWhatIsNotUtf8)
{
    for (const QByteArray& bad : {QByteArray("\xC0\xAF"), QByteArray("\xED\xA0\x80"), QByteArray("\xF4\x90\x80\x80"),
                                  QByteArray("\xE2\x82x"), QByteArray("\xE2\x82\n"), QByteArray("\x80")}) {
        LineTextDecoder decoder(LineTextDecoder::Encoding::Utf8, bad.size());
        EXPECT_FALSE(decoder.Feed(bad)) << bad.toHex().toStdString();
    }
    LineTextDecoder truncated(LineTextDecoder::Encoding::Utf8, 2);
    EXPECT_TRUE(truncated.Feed("\xE2\x82"));
    bool valid = true;
    truncated.Finish(valid);
    EXPECT_FALSE(valid);
}

TEST(TextLines, FileLargerThanOneReadChunkKeepsItsLineBreaksAndCharacters)
{
    // Each line is 7 bytes, so the reads split pairs and characters at many places.
    const QByteArray line = "ab\xC3\xA9z\r\n";
    QByteArray file = line.repeated(400000);
    file.append("\xE9"); // one Latin-1 byte at the very end turns the whole file into Latin-1
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("big.txt"));
    test::WriteFile(path, file.chopped(1));
    TextLines lines;
    lines.LoadFromFile(path);
    EXPECT_EQ(lines.Text(), line.repeated(400000));
    test::WriteFile(path, file);
    lines.LoadFromFile(path);
    EXPECT_EQ(lines.Text(), QByteArray("ab\xC3\x83\xC2\xA9z\r\n").repeated(400000) + "\xC3\xA9\r\n");
}

} // namespace
} // namespace quarvel
