// Drives TLibXML2 with arbitrary documents and names and compares every answer with a
// slow model that follows the scanning and reading rules step by step on plain strings,
// with folded copies and 1-based positions. Any difference, or any read outside the
// document, aborts.
//
// Input: one flag byte, then the element name, the item name, the attribute name and an
// extra text, each ended by a NUL byte; everything after the fourth NUL is the document.
#include "markup/TLibXML2.h"
#include "util/IntegerText.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

#define CHECK(condition)                                                                                               \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #condition);                             \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

std::string Fold(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// Find x in y from p: a 1-based position, 0 for none.
std::int64_t FindFrom(const std::string& x, const std::string& y, std::int64_t p)
{
    if (x.empty() || y.empty() || p < 1 || p - 1 + std::int64_t(x.size()) > std::int64_t(y.size()))
        return 0;
    const size_t at = y.find(x, size_t(p - 1));
    return at == std::string::npos ? 0 : std::int64_t(at) + 1;
}

// The characters of s from a to b, 1-based, both included.
std::string Chars(const std::string& s, std::int64_t a, std::int64_t b)
{
    b = std::min<std::int64_t>(b, std::int64_t(s.size()));
    if (a < 1 || b < a)
        return {};
    return s.substr(size_t(a - 1), size_t(b - a + 1));
}

bool ContainsText(const std::string& sub, const std::string& s)
{
    return !sub.empty() && !s.empty() && Fold(s).find(Fold(sub)) != std::string::npos;
}

void DeleteThrough(std::string& s, const std::string& marker)
{
    const size_t at = s.find(marker);
    if (at != std::string::npos)
        s.erase(0, at + marker.size());
}

std::string CopyBefore(const std::string& s, const std::string& marker)
{
    const size_t at = s.find(marker);
    return at == std::string::npos ? std::string() : s.substr(0, at);
}

QString Text(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QString WithoutMarkers(QString text)
{
    for (const QString& marker : {QStringLiteral("<![CDATA["), QStringLiteral("]]>")}) {
        const qsizetype at = text.indexOf(marker);
        if (at >= 0)
            text.remove(at, marker.size());
    }
    return text;
}

struct Model {
    std::string data;
    std::vector<std::uint32_t> starts;
    std::vector<std::uint32_t> ends;
    std::uint32_t nodes = 0;
    std::string nodeData;

    bool SetMainNode(const std::string& it, bool extended)
    {
        nodes = 0;
        if (data.empty())
            return false;
        const std::string entry = "<" + it + (extended ? " " : ">");
        const std::string exit = "</" + it + ">";
        starts.clear();
        ends.clear();
        std::int64_t p = FindFrom(entry, data, 1);
        if (p == 0)
            return false;
        if (!extended) {
            const auto length = std::int64_t(entry.size());
            for (;;) {
                ++nodes;
                starts.push_back(std::uint32_t(p + length));
                const std::int64_t q = FindFrom(exit, data, p + length);
                if (q == 0) {
                    ends.push_back(0xFFFFFFFFu);
                    break;
                }
                ends.push_back(std::uint32_t(q - 1));
                p = FindFrom(entry, data, q - 1);
                if (p == 0)
                    break;
            }
            return true;
        }
        for (; p != 0; p = FindFrom(entry, data, p + 1))
            starts.push_back(std::uint32_t(p));
        nodes = std::uint32_t(starts.size());
        ends.assign(nodes, 0);
        std::int64_t q = FindFrom(exit, data, 1);
        if (q == 0) {
            for (std::uint32_t k = 0; k + 1 < nodes; ++k)
                ends[k] = starts[k + 1] - 1;
            ends[nodes - 1] = std::uint32_t(data.size());
            return true;
        }
        std::uint32_t cursor = 0;
        for (; q != 0; q = FindFrom(exit, data, q + 1)) {
            if (cursor == nodes)
                break;
            ends[cursor] = std::uint32_t(q - 1);
            if (ends[cursor] > starts[cursor])
                ++cursor;
        }
        return true;
    }

    std::string GetNodeData(std::uint32_t node) const
    {
        const std::uint32_t start = starts[node - 1];
        const auto length = static_cast<std::int32_t>(ends[node - 1] - start + 1);
        if (length <= 0)
            return {};
        return Chars(data, start, std::int64_t(start) + length - 1);
    }

    bool FindItem(const std::string& tag, bool ignoreCase, std::string& item) const
    {
        item.clear();
        if (data.empty())
            return false;
        const std::string node = ignoreCase ? Fold(nodeData) : nodeData;
        const std::int64_t o = FindFrom(ignoreCase ? Fold(tag) : tag, node, 1);
        if (o == 0)
            return false;
        const std::int64_t c = FindFrom("</", node, o);
        if (c == 0)
            return false;
        item = Chars(nodeData, o, c - 1);
        item.erase(0, std::min(item.size(), tag.size()));
        return true;
    }

    QString GetItem(const std::string& it, bool ignoreCase) const
    {
        std::string item;
        if (!FindItem("<" + it + ">", ignoreCase, item))
            return {};
        return WithoutMarkers(Text(item));
    }

    QString GetSubItem(const std::string& it, const std::string& sub) const
    {
        std::string s = nodeData;
        if (!ContainsText("<" + it + " ", s))
            return {};
        DeleteThrough(s, "<" + it);
        s = CopyBefore(s, ">");
        const std::string marker = " " + sub + "=\"";
        if (!ContainsText(marker, s))
            return {};
        DeleteThrough(s, marker);
        return Text(CopyBefore(s, "\""));
    }
};

// A name as the object sees it: bytes that went through a QString.
struct Name {
    explicit Name(const std::string& bytes)
        : text(Text(bytes))
        , utf8(text.toUtf8().toStdString())
    {
    }

    QString text;
    std::string utf8;
};

struct Names {
    Name element;
    Name item;
    Name attribute;
};

std::string Field(const std::uint8_t*& at, const std::uint8_t* end)
{
    const std::uint8_t* stop = at;
    while (stop < end && *stop != 0)
        ++stop;
    std::string field(reinterpret_cast<const char*>(at), size_t(stop - at));
    at = stop < end ? stop + 1 : end;
    return field;
}

bool IsInsideData(const quarvel::TLibXML2& doc)
{
    return doc.NodeDataBytes().isEmpty() || doc.Data().contains(doc.NodeDataBytes());
}

void CompareReads(const quarvel::TLibXML2& doc, const Model& model, const Names& n)
{
    CHECK(doc.NodeDataBytes().toStdString() == model.nodeData);
    const QString item = model.GetItem(n.item.utf8, true);
    CHECK(doc.GetItem(n.item.text) == item);
    CHECK(doc.GetItemCase(n.item.text) == model.GetItem(n.item.utf8, false));
    CHECK(doc.GetItemInt(n.item.text) == quarvel::ParseInteger(item).value_or(0));
    CHECK(doc.GetSubItem(n.element.text, n.attribute.text) == model.GetSubItem(n.element.utf8, n.attribute.utf8));
    CHECK(doc.GetSubItem(n.item.text, n.attribute.text) == model.GetSubItem(n.item.utf8, n.attribute.utf8));
}

// Every node text, loaded or not, must be the model's, taken from the current text.
void CompareNodes(quarvel::TLibXML2& doc, Model& model, const Names& n)
{
    CHECK(doc.Nodes() == model.nodes);
    for (const std::uint32_t outside : {0u, model.nodes + 1, 0xFFFFFFFFu}) {
        if (outside >= 1 && outside <= model.nodes)
            continue;
        CHECK(doc.GetNodeData(outside).isEmpty());
        CHECK(!doc.LoadNode(outside));
        CHECK(doc.NodeDataBytes().toStdString() == model.nodeData);
    }
    for (std::uint32_t k = 1; k <= model.nodes; ++k) {
        const std::string expected = model.GetNodeData(k);
        CHECK(doc.GetNodeData(k) == Text(expected));
        CHECK(doc.LoadNode(k));
        model.nodeData = expected;
        CHECK(IsInsideData(doc));
        CompareReads(doc, model, n);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t flags = bytes[0];
    const std::uint8_t* at = bytes + 1;
    const std::uint8_t* end = bytes + size;
    const std::string element = Field(at, end);
    const std::string item = Field(at, end);
    const std::string attribute = Field(at, end);
    const Names n{Name(element), Name(item), Name(attribute)};
    const std::string extraBytes = Field(at, end);
    const Name extra(extraBytes);
    const std::string document(reinterpret_cast<const char*>(at), size_t(end - at));

    quarvel::TLibXML2 doc;
    Model model;
    doc.SetData(QByteArray(document.data(), qsizetype(document.size())));
    model.data = document;

    for (const bool extended : {(flags & 1) != 0, (flags & 1) == 0}) {
        CHECK(doc.SetMainNode(n.element.text, extended) == model.SetMainNode(n.element.utf8, extended));
        CompareNodes(doc, model, n);
    }

    if (flags & 2) {
        // Positions of the last scan now describe an older text; reads must stay inside the new one.
        doc.SetData(QByteArray(extraBytes.data(), qsizetype(extraBytes.size())));
        model.data = extraBytes;
        CompareReads(doc, model, n);
        for (std::uint32_t k = 1; k <= model.nodes; ++k) {
            const std::string stale = model.GetNodeData(k);
            CHECK(doc.GetNodeData(k) == Text(stale));
            CHECK(doc.LoadNode(k));
            model.nodeData = stale;
            CHECK(IsInsideData(doc));
            CompareReads(doc, model, n);
        }
    }

    if (flags & 4) {
        const auto number = static_cast<qint32>(std::uint32_t(flags) << 24 | std::uint32_t(size & 0xFFFFFF));
        doc.WNew();
        doc.WOpenNode(n.element.text, n.item.text);
        doc.WAddChild(n.item.text, n.attribute.text);
        doc.WAddChildInt(n.attribute.text, number);
        doc.WCloseNode(n.element.text);
        doc.WAddData(extra.text);
        const std::string& e = n.element.utf8;
        const std::string& i = n.item.utf8;
        const std::string& a = n.attribute.utf8;
        model.data = "<" + e + ">" + (i.empty() ? std::string() : " // " + i) + "\r\n" + //
                     "    <" + i + ">" + a + "</" + i + ">\r\n" + //
                     "    <" + a + ">" + std::to_string(number) + "</" + a + ">\r\n" + //
                     "</" + e + ">\r\n" + extra.utf8 + "\r\n";
        CHECK(doc.Data().toStdString() == model.data);
        for (const bool extended : {false, true}) {
            CHECK(doc.SetMainNode(n.element.text, extended) == model.SetMainNode(n.element.utf8, extended));
            CompareNodes(doc, model, n);
        }
    }
    return 0;
}
