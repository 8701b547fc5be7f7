#include "support/NamedCases.h"
#include "support/TestFiles.h"
#include "util/QuarvelError.h"
#include "util/LineTextDecoder.h"
#include "util/StringList.h"
#include "util/TextLines.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quarvel {
namespace {

using test::PrintTo;

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

// Decoding bytes already in memory gives what reading them from a file gives; a text that is
// lines text already comes back as it is.
TEST_P(TextLinesLoad, DecodesInMemoryAsFromAFile)
{
    EXPECT_EQ(TextLines::Decode(GetParam().bytes), GetParam().text);
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
        LoadCase{"MarkedUtf8KeepsUtf8AroundABadByte", "\xEF\xBB\xBF\xC3\xA9 caf\xE9\n", "\xC3\xA9 caf\xEF\xBF\xBD\r\n"},
        LoadCase{"MarkedUtf8CutBeforeABreak", "\xEF\xBB\xBF\xE2\x82\nb", "\xEF\xBF\xBD\r\nb\r\n"},
        LoadCase{"MarkedUtf8CutByALeadByte", "\xEF\xBB\xBF\xE2\xC3\xA9", "\xEF\xBF\xBD\xC3\xA9\r\n"},
        LoadCase{"MarkedUtf8EndingInsideACharacter", "\xEF\xBB\xBF" "a\xF0\x9F\x98", "a\xEF\xBF\xBD\r\n"},
        LoadCase{"Latin1WhenNotUtf8", "caf\xE9\nna\xEFve", "caf\xC3\xA9\r\nna\xC3\xAFve\r\n"},
        LoadCase{"Latin1WithCr", "\xE9\r\xE8", "\xC3\xA9\r\n\xC3\xA8\r\n"},
        LoadCase{"Utf16LittleEndian", QByteArray("\xFF\xFE" "a\0\n\0\xE9\0", 8), "a\r\n\xC3\xA9\r\n"},
        LoadCase{"Utf16BigEndian", QByteArray("\xFE\xFF\0a\0\r\0b", 8), "a\r\nb\r\n"},
        LoadCase{"LoneLineFeedBeforeAFinalCrLf", "a\nb\r\n", "a\r\nb\r\n"},
        LoadCase{"LoneCrBeforeAFinalCrLf", "a\rb\r\n", "a\r\nb\r\n"},
        LoadCase{"CrBeforeAFinalCrLf", "ab\r\r\n", "ab\r\n\r\n"},
        LoadCase{"LineFeedThenCr", "a\n\rb\r\n", "a\r\n\r\nb\r\n"},
        LoadCase{"LineFeedFirst", "\nab\r\n", "\r\nab\r\n"},
        LoadCase{"CrLfAcrossEightBytes", "1234567\r\nabcdef\r\n", "1234567\r\nabcdef\r\n"},
        LoadCase{"LoneCrAtTheEndOfEightBytes", "1234567\rabcdef\r\n", "1234567\r\nabcdef\r\n"},
        LoadCase{"CrLfLinesInUtf8", "Pok\xC3\xA9mon\r\n", "Pok\xC3\xA9mon\r\n"},
        LoadCase{"CrLfLinesInLatin1", "caf\xE9\r\n", "caf\xC3\xA9\r\n"},
        LoadCase{"LongUnixText", QByteArray("0123456789abcdef\n").repeated(1000),
                 QByteArray("0123456789abcdef\r\n").repeated(1000)}),
    test::CaseName());

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

TEST(TextLines, ProcfsFileReportingNoSizeIsReadWhole)
{
    TextLines lines;
    lines.LoadFromFile(QStringLiteral("/proc/self/status"));
    EXPECT_TRUE(lines.Text().startsWith("Name:")) << lines.Text().left(40).toStdString();
    EXPECT_TRUE(lines.Text().contains("\r\nPid:"));
    EXPECT_TRUE(lines.Text().endsWith("\r\n"));
}

TEST(TextLines, PipeIsRefusedWithoutWaitingForAWriter)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("pipe.xml"));
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    TextLines lines;
    try {
        lines.LoadFromFile(path);
        FAIL() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Cannot open file \"%1\". It is not a regular file.").arg(path));
    }
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

// A file may hold more than the size it reported when it was opened: it grew meanwhile, or
// it is a procfs file reporting none. The decoder takes whatever arrives.
TEST(LineTextDecoder, TakesMoreInputThanExpected)
{
    struct Case {
        LineTextDecoder::Encoding encoding;
        QByteArray piece;
        QByteArray decodedPiece;
    };
    for (const Case& each : {Case{LineTextDecoder::Encoding::Utf8, "a\n\n\n", "a\r\n\r\n\r\n"},
                             Case{LineTextDecoder::Encoding::Latin1, "\xE9\r\xE9\n", "\xC3\xA9\r\n\xC3\xA9\r\n"},
                             Case{LineTextDecoder::Encoding::Utf8Replacing, "\x80\x80\x80\x80",
                                  QByteArray("\xEF\xBF\xBD").repeated(4)}}) {
        LineTextDecoder decoder(each.encoding, 0);
        for (int i = 0; i < 100000; ++i)
            ASSERT_TRUE(decoder.Feed(each.piece));
        bool valid = false;
        const QByteArray text = decoder.Finish(valid);
        EXPECT_TRUE(valid);
        EXPECT_EQ(text, each.decodedPiece.repeated(100000) + (each.decodedPiece.endsWith('\n') ? "" : "\r\n"));
    }
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
