#include "support/NamedCases.h"
#include "markup/TLibXML2.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

using test::PrintTo;

const QString MameDocument = QStringLiteral(
    "<mame><machine name=\"x\" cloneof=\"y\"><description>X (set 2)</description><year>1981</year></machine></mame>");

TLibXML2 Document(const QString& text)
{
    TLibXML2 doc;
    doc.SetData(text.toUtf8());
    return doc;
}

// The characters from 1-based position start to position end, both included.
QString Span(const QString& text, qsizetype start, qsizetype end)
{
    return text.mid(start - 1, end - start + 1);
}

TEST(TLibXML2Scan, MameDocumentNodesLieWhereTheTagsPlaceThem)
{
    ASSERT_EQ(MameDocument.size(), 106);
    TLibXML2 doc = Document(MameDocument);

    EXPECT_TRUE(doc.SetMainNode(QStringLiteral("machine"), true));
    ASSERT_EQ(doc.Nodes(), 1u);
    EXPECT_EQ(doc.GetNodeData(1), Span(MameDocument, 7, 89));
    EXPECT_EQ(doc.GetNodeData(1), QStringLiteral("<machine name=\"x\" cloneof=\"y\"><description>X (set 2)"
                                                 "</description><year>1981</year>"));

    doc.SetMainNode(QStringLiteral("mame"), false);
    ASSERT_EQ(doc.Nodes(), 1u);
    EXPECT_EQ(doc.GetNodeData(1), Span(MameDocument, 7, 99));
}

struct ScanCase {
    const char* name;
    QString data;
    QString element;
    bool extended;
    QStringList nodes; // the text of every node found, in order
};

class TLibXML2ScanCases : public ::testing::TestWithParam<ScanCase> {};

TEST_P(TLibXML2ScanCases, FindsTheNodesAndTheirTexts)
{
    const ScanCase& c = GetParam();
    TLibXML2 doc = Document(c.data);
    const bool found = doc.SetMainNode(c.element, c.extended);

    EXPECT_EQ(found, !c.nodes.isEmpty());
    ASSERT_EQ(doc.Nodes(), static_cast<quint32>(c.nodes.size()));
    for (quint32 k = 1; k <= doc.Nodes(); ++k) {
        EXPECT_EQ(doc.GetNodeData(k), c.nodes[k - 1]) << "node " << k;
        ASSERT_TRUE(doc.LoadNode(k));
        EXPECT_EQ(doc.NodeData(), c.nodes[k - 1]) << "node " << k;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Extended, TLibXML2ScanCases,
    ::testing::Values(
        ScanCase{"NoClosingTagsRunToTheNextNode", "<a x=\"1\">one<a x=\"2\">two", "a", true,
                 {"<a x=\"1\">one", "<a x=\"2\">two"}},
        ScanCase{"StrayClosingTagFirst", "</a><a x=\"1\">one</a><a x=\"2\">two", "a", true,
                 {"<a x=\"1\">one", ""}},
        ScanCase{"NestedNodesOverlap", "<a x=\"1\">one<a x=\"2\">two</a>three</a>", "a", true,
                 {"<a x=\"1\">one<a x=\"2\">two", "<a x=\"2\">two</a>three"}},
        ScanCase{"PatternInsideAComment", "<!--<machine old--><machine name=\"a\"></machine>", "machine", true,
                 {"<machine old--><machine name=\"a\">", ""}},
        ScanCase{"NodesTheClosingTagsNeverReachStayEmpty", "<a x=\"1\">one</a><a x=\"2\">two", "a", true,
                 {"<a x=\"1\">one", ""}},
        ScanCase{"ClosingTagsBeyondTheLastNodeAreLeftOver", "<a x=\"1\">one</a></a></a>", "a", true,
                 {"<a x=\"1\">one"}},
        ScanCase{"OnlyStrayClosingTagsGiveAnEmptyNode", "</a></a><a x=\"1\">z", "a", true, {""}},
        ScanCase{"LastNodeWithoutClosingRunsToTheEnd", "<a ", "a", true, {"<a "}},
        ScanCase{"OverlappingOpeningPatternsAreNodesEach", "<b <b <b x", "b <b", true, {"<b ", "<b <b x"}},
        ScanCase{"TabAfterTheNameIsNoNode", "<machine\tname=\"a\"></machine>", "machine", true, {}},
        ScanCase{"TagWithoutAttributesIsNoNode", "<machine>x</machine>", "machine", true, {}},
        ScanCase{"LongerNameIsNoNode", "<machines n=\"1\"></machines>", "machine", true, {}},
        ScanCase{"LetterCaseMustMatch", "<Machine name=\"a\"></Machine>", "machine", true, {}},
        ScanCase{"NonAsciiTextIsKept",
                 QString::fromUtf8("<m n=\"\xC3\xA9\">Pok\xC3\xA9mon \xE3\x83\x9D</m><m n=\"2\">\xF0\x9F\x8E\xAE</m>"),
                 "m", true,
                 {QString::fromUtf8("<m n=\"\xC3\xA9\">Pok\xC3\xA9mon \xE3\x83\x9D"),
                  QString::fromUtf8("<m n=\"2\">\xF0\x9F\x8E\xAE")}}),
    test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Plain, TLibXML2ScanCases,
    ::testing::Values(
        ScanCase{"LastClosingTagMissing", "<b>one</b><b>two", "b", false, {"one", ""}},
        ScanCase{"EmptyElement", "<b></b>", "b", false, {""}},
        ScanCase{"OpeningTagAtTheVeryEnd", "x<b>", "b", false, {""}},
        ScanCase{"NestingIsNotFollowed", "<b>1<b>2</b>3</b><b>4</b>", "b", false, {"1<b>2", "4"}},
        ScanCase{"OnlyTheExactTagCounts", "<b x=\"1\">a</b><B>c</B><b >d</b>", "b", false, {}},
        ScanCase{"ContentSpansLines", "<Settings>\r\n    <a>1</a>\r\n</Settings>\r\n", "Settings", false,
                 {"\r\n    <a>1</a>\r\n"}}),
    test::CaseName());

TEST(TLibXML2Scan, EmptyDataFindsNothingAndKeepsTheLoadedNode)
{
    TLibXML2 doc = Document(QStringLiteral("<b>kept</b>"));
    doc.SetMainNode(QStringLiteral("b"), false);
    ASSERT_TRUE(doc.LoadNode(1));

    doc.WNew();
    EXPECT_FALSE(doc.SetMainNode(QStringLiteral("b"), true));
    EXPECT_FALSE(doc.SetMainNode(QStringLiteral("b"), false));
    EXPECT_EQ(doc.Nodes(), 0u);
    EXPECT_FALSE(doc.LoadNode(1));
    EXPECT_EQ(doc.NodeData(), QStringLiteral("kept"));
}

TEST(TLibXML2Scan, NodeNumbersOutOfRangeLoadNothing)
{
    TLibXML2 doc = Document(QStringLiteral("<b>one</b><b>two</b>"));
    doc.SetMainNode(QStringLiteral("b"), false);
    ASSERT_EQ(doc.Nodes(), 2u);
    ASSERT_TRUE(doc.LoadNode(2));

    for (const quint32 itm : {0u, 3u, 0xFFFFFFFFu}) {
        EXPECT_FALSE(doc.LoadNode(itm)) << itm;
        EXPECT_EQ(doc.NodeData(), QStringLiteral("two")) << itm;
        EXPECT_EQ(doc.GetNodeData(itm), QString()) << itm;
    }
}

TEST(TLibXML2Scan, LoadedNodeOutlivesNewScansAndNewData)
{
    TLibXML2 doc = Document(QStringLiteral("<b>one</b>"));
    doc.SetMainNode(QStringLiteral("b"), false);
    ASSERT_TRUE(doc.LoadNode(1));

    doc.SetMainNode(QStringLiteral("missing"), true);
    EXPECT_EQ(doc.Nodes(), 0u);
    doc.SetData("<c>other</c>");
    doc.SetMainNode(QStringLiteral("c"), false);
    EXPECT_EQ(doc.NodeData(), QStringLiteral("one"));
    ASSERT_TRUE(doc.LoadNode(1));
    EXPECT_EQ(doc.NodeData(), QStringLiteral("other"));
}

TEST(TLibXML2Scan, PositionsOfAnEarlierScanStayInsideChangedData)
{
    TLibXML2 doc = Document(QStringLiteral("<a x=\"1\">one</a><a x=\"2\">two</a>"));
    doc.SetMainNode(QStringLiteral("a"), true);
    ASSERT_EQ(doc.Nodes(), 2u);

    // The positions still describe the old text: a node is cut at the end of the new one.
    doc.SetData("<a x=\"9\">ni");
    EXPECT_EQ(doc.GetNodeData(1), QStringLiteral("<a x=\"9\">ni"));
    EXPECT_EQ(doc.GetNodeData(2), QString());
    doc.WNew();
    EXPECT_EQ(doc.GetNodeData(1), QString());
    EXPECT_TRUE(doc.LoadNode(1));
    EXPECT_EQ(doc.NodeData(), QString());
}

TEST(TLibXML2Scan, ManyNodesAreNumberedInDocumentOrder)
{
    QString data;
    for (int i = 1; i <= 1000; ++i)
        data += QStringLiteral("<machine name=\"m%1\"><year>%1</year></machine>\r\n").arg(i);
    TLibXML2 doc = Document(data);
    ASSERT_TRUE(doc.SetMainNode(QStringLiteral("machine"), true));
    ASSERT_EQ(doc.Nodes(), 1000u);
    for (quint32 k = 1; k <= doc.Nodes(); ++k) {
        ASSERT_TRUE(doc.LoadNode(k));
        ASSERT_EQ(doc.GetSubItem(QStringLiteral("machine"), QStringLiteral("name")), QStringLiteral("m%1").arg(k));
        ASSERT_EQ(doc.GetItemInt(QStringLiteral("year")), static_cast<qint32>(k));
    }
}

} // namespace
} // namespace quarvel
