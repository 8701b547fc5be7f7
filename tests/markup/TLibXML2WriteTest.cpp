#include "support/NamedCases.h"
#include "markup/TLibXML2.h"

#include "support/TestFiles.h"
#include "util/QuarvelError.h"
#include "util/StringList.h"
#include "util/TextLines.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <functional>
#include <new>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

using test::PrintTo;

struct WriteCase {
    const char* name;
    std::function<void(TLibXML2&)> write;
    QByteArray line; // UTF-8, with its CR LF
};

class TLibXML2Writer : public ::testing::TestWithParam<WriteCase> {};

TEST_P(TLibXML2Writer, AppendsOneLine)
{
    TLibXML2 doc;
    doc.SetData("<A>\r\n");
    GetParam().write(doc);
    EXPECT_EQ(doc.Data(), "<A>\r\n" + GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TLibXML2Writer,
    ::testing::Values(
        WriteCase{"OpenNode", [](TLibXML2& d) { d.WOpenNode(QStringLiteral("A"), QString()); }, "<A>\r\n"},
        WriteCase{"OpenNodeWithComment", [](TLibXML2& d) { d.WOpenNode(QStringLiteral("A"), QStringLiteral("note")); },
                  "<A> // note\r\n"},
        WriteCase{"Child", [](TLibXML2& d) { d.WAddChild(QStringLiteral("b"), QStringLiteral("x")); },
                  "    <b>x</b>\r\n"},
        WriteCase{"EmptyChild", [](TLibXML2& d) { d.WAddChild(QStringLiteral("e"), QString()); }, "    <e></e>\r\n"},
        WriteCase{"NothingIsEscaped",
                  [](TLibXML2& d) { d.WAddChild(QStringLiteral("v"), QStringLiteral("a&<\"b\">\r\nc</d>")); },
                  "    <v>a&<\"b\">\r\nc</d></v>\r\n"},
        WriteCase{"NonAsciiChild",
                  [](TLibXML2& d) { d.WAddChild(QStringLiteral("v"), QString::fromUtf8("C:\\Rom\xC3\xA9s")); },
                  "    <v>C:\\Rom\xC3\xA9s</v>\r\n"},
        WriteCase{"NegativeInteger", [](TLibXML2& d) { d.WAddChildInt(QStringLiteral("n"), -5); },
                  "    <n>-5</n>\r\n"},
        WriteCase{"LowestInteger", [](TLibXML2& d) { d.WAddChildInt(QStringLiteral("n"), -2147483647 - 1); },
                  "    <n>-2147483648</n>\r\n"},
        WriteCase{"LargeIntegerWithoutGrouping", [](TLibXML2& d) { d.WAddChildInt(QStringLiteral("n"), 1234567); },
                  "    <n>1234567</n>\r\n"},
        WriteCase{"CloseNode", [](TLibXML2& d) { d.WCloseNode(QStringLiteral("A")); }, "</A>\r\n"},
        WriteCase{"DataUnchanged", [](TLibXML2& d) { d.WAddData(QStringLiteral(" <x y='1'> & ")); },
                  " <x y='1'> & \r\n"},
        WriteCase{"EmptyData", [](TLibXML2& d) { d.WAddData(QString()); }, "\r\n"}),
    test::CaseName());

TEST(TLibXML2Write, DocumentReadsBack)
{
    TLibXML2 doc;
    doc.SetData("old");
    doc.WNew();
    doc.WOpenNode(QStringLiteral("A"), QString());
    doc.WAddChild(QStringLiteral("b"), QStringLiteral("x"));
    doc.WAddChildInt(QStringLiteral("n"), -5);
    doc.WCloseNode(QStringLiteral("A"));
    EXPECT_EQ(doc.Data(), "<A>\r\n    <b>x</b>\r\n    <n>-5</n>\r\n</A>\r\n");

    doc.SetMainNode(QStringLiteral("A"), false);
    ASSERT_EQ(doc.Nodes(), 1u);
    ASSERT_TRUE(doc.LoadNode(1));
    EXPECT_EQ(doc.GetItem(QStringLiteral("b")), QStringLiteral("x"));
    EXPECT_EQ(doc.GetItemInt(QStringLiteral("n")), -5);
}

TEST(TLibXML2Write, CommentFollowsTheOpeningTagInsideTheNode)
{
    TLibXML2 doc;
    doc.WOpenNode(QStringLiteral("A"), QStringLiteral("note"));
    doc.WAddChild(QStringLiteral("b"), QStringLiteral("x"));
    doc.WCloseNode(QStringLiteral("A"));
    doc.SetMainNode(QStringLiteral("A"), false);
    ASSERT_EQ(doc.Nodes(), 1u);
    ASSERT_TRUE(doc.LoadNode(1));
    EXPECT_TRUE(doc.NodeData().startsWith(QStringLiteral(" // note\r\n")));
    EXPECT_EQ(doc.GetItem(QStringLiteral("b")), QStringLiteral("x"));
}

struct ReadBackCase {
    const char* name;
    QString value;
    QString readBack;
};

class TLibXML2ReadBack : public ::testing::TestWithParam<ReadBackCase> {};

TEST_P(TLibXML2ReadBack, ValueWrittenIsReadAsFarAsTheNextClosingTag)
{
    TLibXML2 doc;
    doc.WOpenNode(QStringLiteral("Settings"), QString());
    doc.WAddChild(QStringLiteral("v"), GetParam().value);
    doc.WCloseNode(QStringLiteral("Settings"));
    doc.SetMainNode(QStringLiteral("Settings"), false);
    ASSERT_TRUE(doc.LoadNode(1));
    EXPECT_EQ(doc.GetItem(QStringLiteral("v")), GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TLibXML2ReadBack,
    ::testing::Values(ReadBackCase{"Plain", "x", "x"}, ReadBackCase{"Empty", "", ""},
                      ReadBackCase{"ClosingTagInside", "a</c>", "a"},
                      ReadBackCase{"AmpersandAndBracket", "a & b <c> \"d\"", "a & b <c> \"d\""},
                      ReadBackCase{"Path", QString::fromUtf8("/home/\xC3\xA9l\xC3\xA8ve/roms/"),
                                   QString::fromUtf8("/home/\xC3\xA9l\xC3\xA8ve/roms/")}),
    test::CaseName());

TEST(TLibXML2Write, TagWrittenInsideAnEarlierValueIsFoundFirst)
{
    TLibXML2 doc;
    doc.WOpenNode(QStringLiteral("A"), QString());
    doc.WAddChild(QStringLiteral("a"), QStringLiteral("<b>z"));
    doc.WAddChild(QStringLiteral("b"), QStringLiteral("y"));
    doc.WCloseNode(QStringLiteral("A"));
    doc.SetMainNode(QStringLiteral("A"), false);
    ASSERT_TRUE(doc.LoadNode(1));
    EXPECT_EQ(doc.GetItem(QStringLiteral("b")), QStringLiteral("z"));
}

TEST(TLibXML2Write, WritingLeavesTheScanAlone)
{
    TLibXML2 doc;
    doc.SetData("<b>one</b><b>two</b>");
    doc.SetMainNode(QStringLiteral("b"), false);
    ASSERT_TRUE(doc.LoadNode(2));
    doc.WNew();
    doc.WAddData(QStringLiteral("<b>three</b>"));
    EXPECT_EQ(doc.Nodes(), 2u);
    EXPECT_EQ(doc.NodeData(), QStringLiteral("two"));
}

TEST(TLibXML2Sources, StringListBecomesItsLinesEachEndedByCrLf)
{
    StringList list;
    list.Add(QStringLiteral("<a>"));
    list.Add(QString());
    list.Add(QString::fromUtf8("\xC3\xA9"));
    TLibXML2 doc;
    doc.AssignTS(list);
    EXPECT_EQ(doc.Data(), "<a>\r\n\r\n\xC3\xA9\r\n");
    EXPECT_EQ(doc.DataText(), QString::fromUtf8("<a>\r\n\r\n\xC3\xA9\r\n"));

    doc.AssignTS(StringList());
    EXPECT_TRUE(doc.Data().isEmpty());
}

TEST(TLibXML2Sources, LinesAreSharedNotCopied)
{
    TextLines lines;
    lines.SetText(QStringLiteral("<machine name=\"a\">\n</machine>"));
    TLibXML2 doc;
    doc.AssignLines(lines);
    EXPECT_EQ(doc.Data().constData(), lines.Text().constData());
    EXPECT_EQ(doc.Data(), "<machine name=\"a\">\r\n</machine>\r\n");
}

class TLibXML2File : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder_.filePath(name);
        test::WriteFile(path, bytes);
        return path;
    }

    QTemporaryDir folder_;
};

TEST_F(TLibXML2File, LinesEndWithCrLfTheLastOneToo)
{
    TLibXML2 doc;
    doc.LoadFromFile(Write(QStringLiteral("a.xml"), "a\n\nb"));
    EXPECT_EQ(doc.Data(), "a\r\n\r\nb\r\n");

    doc.LoadFromFile(Write(QStringLiteral("empty.xml"), ""));
    EXPECT_TRUE(doc.Data().isEmpty());
}

TEST_F(TLibXML2File, ConstructorLoadsANamedFile)
{
    const TLibXML2 doc(Write(QStringLiteral("s.xml"), "<Settings>\r\n    <a>1</a>\r\n</Settings>"));
    EXPECT_EQ(doc.Data(), "<Settings>\r\n    <a>1</a>\r\n</Settings>\r\n");
}

TEST_F(TLibXML2File, NonAsciiTextReadsBack)
{
    TLibXML2 doc;
    doc.LoadFromFile(Write(QStringLiteral("u.xml"), "<m name=\"\xC3\xA9\">\n<d>Pok\xC3\xA9mon</d>\n</m>\n"));
    ASSERT_TRUE(doc.SetMainNode(QStringLiteral("m"), true));
    ASSERT_TRUE(doc.LoadNode(1));
    EXPECT_EQ(doc.GetSubItem(QStringLiteral("m"), QStringLiteral("name")), QString::fromUtf8("\xC3\xA9"));
    EXPECT_EQ(doc.GetItemCase(QStringLiteral("d")), QString::fromUtf8("Pok\xC3\xA9mon"));
}

TEST_F(TLibXML2File, MissingFileOrFolderGivesEmptyDataWithoutError)
{
    const QStringList paths = {folder_.filePath(QStringLiteral("missing.xml")),
                               folder_.filePath(QStringLiteral("nofolder/a.xml")), folder_.path(), QString()};
    for (const QString& path : paths) {
        TLibXML2 doc;
        doc.SetData("old");
        doc.LoadFromFile(path);
        EXPECT_TRUE(doc.Data().isEmpty()) << path.toStdString();
    }
}

TEST_F(TLibXML2File, BareFileNameIsNotLookedForInTheWorkingFolder)
{
    Write(QStringLiteral("bare.xml"), "<a>1</a>");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder_.path()));
    TLibXML2 doc;
    doc.LoadFromFile(QStringLiteral("bare.xml"));
    QDir::setCurrent(previous);
    EXPECT_TRUE(doc.Data().isEmpty());
}

TEST_F(TLibXML2File, LoadingKeepsTheScanAndTheLoadedNode)
{
    TLibXML2 doc;
    doc.SetData("<b>one</b>");
    doc.SetMainNode(QStringLiteral("b"), false);
    ASSERT_TRUE(doc.LoadNode(1));
    doc.LoadFromFile(Write(QStringLiteral("other.xml"), "<c>x</c>"));
    EXPECT_EQ(doc.Nodes(), 1u);
    EXPECT_EQ(doc.NodeData(), QStringLiteral("one"));
}

TEST_F(TLibXML2File, FileThatCannotBeOpenedRaisesTheOpenErrorAndEmptiesData)
{
    // A socket is an existing entry that is not a folder, yet no one can open it as a file.
    const QString path = folder_.filePath(QStringLiteral("socket.xml"));
    const int socketHandle = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socketHandle, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray nativePath = QFile::encodeName(path);
    ASSERT_LT(nativePath.size(), qsizetype(sizeof(address.sun_path)));
    std::memcpy(address.sun_path, nativePath.constData(), static_cast<size_t>(nativePath.size()));
    ASSERT_EQ(::bind(socketHandle, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);

    TLibXML2 doc;
    doc.SetData("old");
    try {
        doc.LoadFromFile(path);
        ADD_FAILURE() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_TRUE(error.Message().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(path)))
            << error.Message().toStdString();
    }
    ::close(socketHandle);
    EXPECT_TRUE(doc.Data().isEmpty());
}

TEST_F(TLibXML2File, FileOfFourGibibytesIsRefused)
{
    const QString path = folder_.filePath(QStringLiteral("huge.xml"));
    QFile huge(path);
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
    ASSERT_TRUE(huge.resize(qint64(1) << 32)); // sparse: takes neither disk nor memory
    huge.close();
    TLibXML2 doc;
    doc.SetData("old");
    EXPECT_THROW(doc.LoadFromFile(path), QuarvelError);
    EXPECT_TRUE(doc.Data().isEmpty());
}

TEST(TLibXML2Sources, DocumentOfFourGibibytesIsRefusedAndTheTextKept)
{
    // Untouched pages of an uninitialised buffer cost no memory on systems that commit lazily.
    QByteArray huge;
    try {
        huge = QByteArray(TextLines::MaxDocumentBytes, Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        GTEST_SKIP() << "cannot reserve 4 GiB of address space";
    }
    TLibXML2 doc;
    doc.SetData("kept");
    EXPECT_THROW(doc.SetData(huge), QuarvelError);
    EXPECT_EQ(doc.Data(), "kept");

    huge.truncate(TextLines::MaxDocumentBytes - 3);
    doc.SetData(huge);
    EXPECT_THROW(doc.WAddData(QStringLiteral("x")), QuarvelError);
    EXPECT_EQ(doc.Data().size(), TextLines::MaxDocumentBytes - 3);
}

} // namespace
} // namespace quarvel
