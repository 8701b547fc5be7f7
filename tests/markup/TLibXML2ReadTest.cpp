#include "support/NamedCases.h"
#include "markup/TLibXML2.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

using test::PrintTo;

// A document whose only node holds exactly body, loaded.
TLibXML2 LoadedNode(const QString& body)
{
    TLibXML2 doc;
    doc.SetData((QStringLiteral("<quarvel-node>") + body + QStringLiteral("</quarvel-node>")).toUtf8());
    doc.SetMainNode(QStringLiteral("quarvel-node"), false);
    doc.LoadNode(1);
    EXPECT_EQ(doc.NodeData(), body);
    return doc;
}

TEST(TLibXML2Read, MameMachineGivesItsAttributesAndChildTexts)
{
    TLibXML2 doc;
    doc.SetData("<mame><machine name=\"x\" cloneof=\"y\"><description>X (set 2)</description>"
                "<year>1981</year></machine></mame>");
    ASSERT_TRUE(doc.SetMainNode(QStringLiteral("machine"), true));
    ASSERT_TRUE(doc.LoadNode(1));

    EXPECT_EQ(doc.GetSubItem(QStringLiteral("machine"), QStringLiteral("name")), QStringLiteral("x"));
    EXPECT_EQ(doc.GetSubItem(QStringLiteral("machine"), QStringLiteral("cloneof")), QStringLiteral("y"));
    EXPECT_EQ(doc.GetSubItem(QStringLiteral("machine"), QStringLiteral("of")), QString());
    EXPECT_EQ(doc.GetSubItem(QStringLiteral("machine"), QStringLiteral("ame")), QString());
    EXPECT_EQ(doc.GetItemCase(QStringLiteral("description")), QStringLiteral("X (set 2)"));
    EXPECT_EQ(doc.GetItemCase(QStringLiteral("year")), QStringLiteral("1981"));
    EXPECT_EQ(doc.GetItemCase(QStringLiteral("manufacturer")), QString());
    EXPECT_EQ(doc.GetItem(QStringLiteral("DESCRIPTION")), QStringLiteral("X (set 2)"));
    EXPECT_EQ(doc.GetItemCase(QStringLiteral("DESCRIPTION")), QString());
}

struct ItemCase {
    const char* name;
    QString body;
    QString item;
    QString expected;     // GetItem
    QString expectedCase; // GetItemCase
};

class TLibXML2Items : public ::testing::TestWithParam<ItemCase> {};

TEST_P(TLibXML2Items, ReadTheTextUpToTheNextClosingTag)
{
    const ItemCase& c = GetParam();
    const TLibXML2 doc = LoadedNode(c.body);
    EXPECT_EQ(doc.GetItem(c.item), c.expected);
    EXPECT_EQ(doc.GetItemCase(c.item), c.expectedCase);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TLibXML2Items,
    ::testing::Values(
        ItemCase{"CDataMarkersGo", "<description><![CDATA[Puck Man & co]]></description>", "description",
                 "Puck Man & co", "Puck Man & co"},
        ItemCase{"EmptyCData", "<description><![CDATA[]]></description>", "description", "", ""},
        ItemCase{"OnlyTheFirstCDataMarkersGo", "<n>x<![CDATA[a]]>y<![CDATA[b]]>z</n>", "n", "xay<![CDATA[b]]>z",
                 "xay<![CDATA[b]]>z"},
        ItemCase{"EndMarkerGoesWhereverItStands", "<d>a]]>b]]>c</d>", "d", "ab]]>c", "ab]]>c"},
        ItemCase{"EndMarkerIsLookedForAfterTheStartMarkerWent", "<d>]]<![CDATA[>x</d>", "d", "x", "x"},
        ItemCase{"MarkersMatchLetterCase", "<d><![cdata[x]]></d>", "d", "<![cdata[x", "<![cdata[x"},
        ItemCase{"EmptyElement", "<year></year>", "year", "", ""},
        ItemCase{"EmptyElementFormIsNotFound", "<year/>", "year", "", ""},
        ItemCase{"ClosingTagOfAnotherElementEndsTheItem", "<d>a<b>x</b></d>", "d", "a<b>x", "a<b>x"},
        ItemCase{"EntitiesStayAsWritten", "<g>2&amp;3</g>", "g", "2&amp;3", "2&amp;3"},
        ItemCase{"TagLetterCase", "<Year>1981</Year>", "year", "1981", ""},
        ItemCase{"TextKeepsItsLetterCase", "<YEAR>AbC</YEAR>", "year", "AbC", ""},
        ItemCase{"ExactCaseWinsOverAnEarlierFoldedOne", "<YEAR>1</YEAR><year>2</year>", "year", "1", "2"},
        ItemCase{"FirstOccurrenceWins", "<d>one</d><d>two</d>", "d", "one", "one"},
        ItemCase{"TagWithAttributesIsNotFound", "<d x=\"1\">v</d>", "d", "", ""},
        ItemCase{"NoClosingTagAfterTheItem", "<d>abc", "d", "", ""},
        ItemCase{"ClosingTagBeforeTheItemDoesNotCount", "</x><d>abc", "d", "", ""},
        ItemCase{"ClosingSearchStartsAtTheTag", "</x>abc</y>", "/x", "", ""},
        ItemCase{"PatternInsideAComment", "<!--<d>old</d>--><d>new</d>", "d", "old", "old"},
        ItemCase{"LongerNameIsAnotherElement", "<years>9</years><year>1</year>", "year", "1", "1"},
        ItemCase{"ItemCanSpanLines", "<d>a\r\nb</d>", "d", "a\r\nb", "a\r\nb"},
        ItemCase{"NonAsciiTextIsIntact", QString::fromUtf8("<d>Pok\xC3\xA9mon \xE3\x83\x9D\xF0\x9F\x8E\xAE</d>"), "d",
                 QString::fromUtf8("Pok\xC3\xA9mon \xE3\x83\x9D\xF0\x9F\x8E\xAE"),
                 QString::fromUtf8("Pok\xC3\xA9mon \xE3\x83\x9D\xF0\x9F\x8E\xAE")},
        ItemCase{"OnlyAsciiLettersFold", QString::fromUtf8("<\xC3\x89t\xC3\xA9>x</\xC3\x89t\xC3\xA9>"),
                 QString::fromUtf8("\xC3\xA9T\xC3\xA9"), "", ""},
        ItemCase{"NonAsciiNameWithFoldedLetters", QString::fromUtf8("<\xC3\xA9T\xC3\xA9>x</\xC3\xA9T\xC3\xA9>"),
                 QString::fromUtf8("\xC3\xA9t\xC3\xA9"), "x", ""}),
    test::CaseName());

struct IntCase {
    const char* name;
    QString body;
    qint32 expected;
};

class TLibXML2ItemInt : public ::testing::TestWithParam<IntCase> {};

TEST_P(TLibXML2ItemInt, ReadsTheItemAsAnInteger)
{
    EXPECT_EQ(LoadedNode(GetParam().body).GetItemInt(QStringLiteral("m")), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TLibXML2ItemInt,
    ::testing::Values(IntCase{"Decimal", "<m>12</m>", 12}, IntCase{"Hexadecimal", "<m>0x1F</m>", 31},
                      IntCase{"LoneMinus", "<m>-</m>", 0}, IntCase{"Missing", "<n>5</n>", 0},
                      IntCase{"Negative", "<m>-5</m>", -5}, IntCase{"TagLetterCaseIgnored", "<M>7</M>", 7},
                      IntCase{"InsideCData", "<m><![CDATA[42]]></m>", 42}, IntCase{"TrailingText", "<m>4 2</m>", 0},
                      IntCase{"OutOfRange", "<m>2147483648</m>", 0}),
    test::CaseName());

struct SubItemCase {
    const char* name;
    QString body;
    QString element;
    QString attribute;
    QString expected;
};

class TLibXML2SubItems : public ::testing::TestWithParam<SubItemCase> {};

TEST_P(TLibXML2SubItems, ReadTheAttributeOfTheFirstOpeningTag)
{
    const SubItemCase& c = GetParam();
    EXPECT_EQ(LoadedNode(c.body).GetSubItem(c.element, c.attribute), c.expected);
}

const QString FullMachine = QStringLiteral("<machine name=\"x\" sourcefile=\"s\" cloneof=\"y\" romof=\"y\"><year>1</year>");

INSTANTIATE_TEST_SUITE_P(
    Cases, TLibXML2SubItems,
    ::testing::Values(
        SubItemCase{"Name", FullMachine, "machine", "name", "x"},
        SubItemCase{"CloneOf", FullMachine, "machine", "cloneof", "y"},
        SubItemCase{"RomOf", FullMachine, "machine", "romof", "y"},
        SubItemCase{"SourceFile", FullMachine, "machine", "sourcefile", "s"},
        SubItemCase{"AbsentAttribute", FullMachine, "machine", "sampleof", ""},
        SubItemCase{"EndOfALongerNameDoesNotMatch", FullMachine, "machine", "of", ""},
        SubItemCase{"StartOfALongerNameDoesNotMatch", FullMachine, "machine", "sou", ""},
        SubItemCase{"SingleQuotesAreNotRead", "<machine name='x'>", "machine", "name", ""},
        SubItemCase{"SpacesAroundTheEqualsSign", "<machine name = \"x\">", "machine", "name", ""},
        SubItemCase{"TagWithoutSpaceAfterTheName", "<machine>x</machine>", "machine", "name", ""},
        SubItemCase{"TabAfterTheName", "<machine\tname=\"x\">", "machine", "name", ""},
        SubItemCase{"ChildAttributesNeverAnswer", "<machine name=\"x\"><rom crc=\"12\"/>", "machine", "crc", ""},
        SubItemCase{"ElementOtherThanTheFirst", "<machine name=\"x\"><rom crc=\"12\"/><rom crc=\"34\"/>", "rom", "crc",
                    "12"},
        SubItemCase{"EmptyValue", "<machine name=\"\" cloneof=\"y\">", "machine", "name", ""},
        SubItemCase{"ValueIsReturnedUnchanged", QString::fromUtf8("<machine name=\"a&amp;b \xE3\x83\x9D\">"), "machine",
                    "name", QString::fromUtf8("a&amp;b \xE3\x83\x9D")},
        SubItemCase{"ClosingBracketInsideAValueEndsTheTag", "<machine name=\"a>b\">", "machine", "name", ""},
        SubItemCase{"UnterminatedValue", "<machine name=\"abc>", "machine", "name", ""},
        SubItemCase{"TagWithoutClosingBracket", "<machine name=\"x\"", "machine", "name", ""},
        SubItemCase{"AttributeAfterALineBreak", "<machine\r\n name=\"x\">", "machine", "name", ""},
        SubItemCase{"FirstExactAttributeIsCut", "<machine NAME=\"x\" name=\"y\">", "machine", "name", "y"},
        // The presence tests ignore letter case, the cuts do not: without an exact
        // occurrence nothing is cut away.
        SubItemCase{"ElementInAnotherLetterCase", "<Machine name=\"x\">", "machine", "name", "x"},
        SubItemCase{"AttributeOnlyInAnotherLetterCase", "<machine NAME=\"x\">", "machine", "name", " NAME="}),
    test::CaseName());

TEST(TLibXML2Read, ItemReadsFindNothingWhileDataIsEmpty)
{
    TLibXML2 fresh;
    EXPECT_EQ(fresh.GetItem(QStringLiteral("year")), QString());
    EXPECT_EQ(fresh.GetItemCase(QStringLiteral("year")), QString());
    EXPECT_EQ(fresh.GetItemInt(QStringLiteral("year")), 0);
    EXPECT_EQ(fresh.GetSubItem(QStringLiteral("machine"), QStringLiteral("name")), QString());

    // The loaded node survives emptying the text, but only GetSubItem still reads it.
    TLibXML2 doc = LoadedNode(QStringLiteral("<machine name=\"x\"><year>1981</year>"));
    doc.WNew();
    EXPECT_EQ(doc.GetItem(QStringLiteral("year")), QString());
    EXPECT_EQ(doc.GetItemCase(QStringLiteral("year")), QString());
    EXPECT_EQ(doc.GetItemInt(QStringLiteral("year")), 0);
    EXPECT_EQ(doc.GetSubItem(QStringLiteral("machine"), QStringLiteral("name")), QStringLiteral("x"));
}

} // namespace
} // namespace quarvel
