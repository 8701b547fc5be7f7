#include "markup/TLibXML2.h"

#include "settings/SettingsStore.h"
#include "util/InPlaceText.h"
#include "util/IntegerText.h"
#include "util/Paths.h"
#include "reporting/Prompts.h"
#include "util/QuarvelError.h"
#include "util/StringList.h"
#include "util/TextFunctions.h"
#include "util/TextLines.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <optional>

namespace quarvel {

namespace {

constexpr qsizetype NotFound = -1;
// The end stored for a plain-mode node whose closing tag is missing.
constexpr quint32 NoEnd = 0xFFFFFFFFu;

// Positions are 1-based; searches below work with 0-based indexes.
quint32 Position(qsizetype index)
{
    return static_cast<quint32>(index + 1);
}

char FoldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

QByteArray FoldedAscii(QByteArray text)
{
    for (char& c : text)
        c = FoldAscii(c);
    return text;
}

bool SearchFits(QByteArrayView haystack, QByteArrayView needle, qsizetype from)
{
    return !needle.isEmpty() && from >= 0 && from <= haystack.size() - needle.size();
}

// Index of the first occurrence of needle in haystack that begins at or after from.
qsizetype Find(QByteArrayView haystack, QByteArrayView needle, qsizetype from)
{
    if (!SearchFits(haystack, needle, from))
        return NotFound;
    const void* hit = memmem(haystack.data() + from, static_cast<size_t>(haystack.size() - from), needle.data(),
                             static_cast<size_t>(needle.size()));
    return hit ? static_cast<const char*>(hit) - haystack.data() : NotFound;
}

bool EqualsFolded(const char* text, const char* foldedNeedle, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i)
        if (FoldAscii(text[i]) != foldedNeedle[i])
            return false;
    return true;
}

// As Find from the start, ignoring ASCII letter case; foldedNeedle must already be folded. Comparing in
// place spares folding a copy of the text on every read. Every needle here begins with
// "<" or a space, which do not fold, so memchr can find the candidates.
qsizetype FindFolded(QByteArrayView haystack, QByteArrayView foldedNeedle)
{
    if (!SearchFits(haystack, foldedNeedle, 0))
        return NotFound;
    const char* text = haystack.data();
    const qsizetype last = haystack.size() - foldedNeedle.size();
    for (qsizetype at = 0; at <= last; ++at) {
        const void* hit = std::memchr(text + at, foldedNeedle[0], static_cast<size_t>(last - at + 1));
        if (!hit)
            return NotFound;
        at = static_cast<const char*>(hit) - text;
        if (EqualsFolded(text + at + 1, foldedNeedle.data() + 1, foldedNeedle.size() - 1))
            return at;
    }
    return NotFound;
}

// The part of s after the first occurrence of marker; all of s when marker does not occur.
QByteArrayView AfterFirst(QByteArrayView s, QByteArrayView marker)
{
    const qsizetype at = Find(s, marker, 0);
    return at == NotFound ? s : s.sliced(at + marker.size());
}

// The part of s before the first occurrence of marker; empty when marker does not occur.
QByteArrayView BeforeFirst(QByteArrayView s, QByteArrayView marker)
{
    const qsizetype at = Find(s, marker, 0);
    return at == NotFound ? QByteArrayView() : s.first(at);
}

// An item runs from the end of its opening tag to the next "</", whatever element that
// closes, so "<d>a<b>x</b></d>" gives "a<b>x".
bool ItemAfterTag(QByteArrayView node, qsizetype open, qsizetype tagLength, QByteArrayView& item)
{
    if (open == NotFound)
        return false;
    const qsizetype close = Find(node, "</", open);
    if (close == NotFound)
        return false;
    const qsizetype from = open + tagLength;
    if (close > from)
        item = node.sliced(from, close - from);
    return true;
}

QString WithoutCDataMarkers(QString text)
{
    DeleteFirst(text, QStringLiteral("<![CDATA["));
    DeleteFirst(text, QStringLiteral("]]>"));
    return text;
}

// Every CR LF, lone CR and lone LF as CR LF, as the lines text has them.
QByteArray WithCrLfLineBreaks(QByteArrayView text)
{
    QByteArray lines;
    lines.reserve(2 * text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') {
            lines += text[i];
            continue;
        }
        lines += "\r\n";
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
    }
    return lines;
}

QString TooLargeReason()
{
    return QStringLiteral("The document is 4 GiB or larger, too large to read.");
}

// Positions are unsigned 32-bit with 0xFFFFFFFF reserved, so a larger document would
// wrap them.
void RefuseOversized(qsizetype size)
{
    if (size >= TextLines::MaxDocumentBytes)
        throw QuarvelError(TooLargeReason());
}

} // namespace

TLibXML2::TLibXML2(const QString& fName)
{
    if (!fName.isEmpty())
        LoadFromFile(fName);
}

void TLibXML2::AssignTS(const StringList& ts)
{
    QByteArray text;
    for (const QString& line : ts.Lines()) {
        text += line.toUtf8();
        text += "\r\n";
    }
    SetData(std::move(text));
}

void TLibXML2::AssignLines(const TextLines& lines)
{
    SetData(lines.Text());
}

void TLibXML2::LoadFromRegistry(const QString& UserNode, const QString& XMLName, SettingsStore& store,
                                Prompts& prompts)
{
    try {
        const std::optional<QString> stored = store.ReadText(UserNode, XMLName);
        SetData(stored ? stored->toUtf8() : QByteArray());
    } catch (const QuarvelError& error) {
        prompts.ShowMessage(error.Message());
    } catch (const std::exception& error) {
        // Out of memory or a failure inside the store: the start-up goes on without settings.
        prompts.ShowMessage(QString::fromLocal8Bit(error.what()));
    }
}

void TLibXML2::WSaveToRegistry(const QString& UserNode, const QString& XMLName, SettingsStore& store) const
{
    store.WriteText(UserNode, XMLName, DataText());
}

void TLibXML2::SetData(QByteArray utf8)
{
    RefuseOversized(utf8.size());
    data_ = std::move(utf8);
    lineBreaksAsWritten_ = false;
}

void TLibXML2::AssignInPlace(const InPlaceText& text)
{
    SetData(QByteArray::fromRawData(text.Text().data(), text.Text().size()));
    lineBreaksAsWritten_ = text.LineBreaksAsWritten();
}

QString TLibXML2::TextOf(QByteArrayView utf8) const
{
    if (lineBreaksAsWritten_ && (utf8.contains('\r') || utf8.contains('\n')))
        return QString::fromUtf8(WithCrLfLineBreaks(utf8));
    return QString::fromUtf8(utf8);
}

bool TLibXML2::SetMainNode(const QString& it, bool Extended)
{
    nodes_ = 0;
    if (data_.isEmpty())
        return false;
    const QByteArray name = it.toUtf8();
    entryNode_ = '<' + name + (Extended ? ' ' : '>');
    exitNode_ = "</" + name + '>';
    nodeLocsStart_.clear();
    nodeLocsEnd_.clear();

    const qsizetype firstEntry = Find(data_, entryNode_, 0);
    if (firstEntry == NotFound)
        return false;
    if (Extended)
        ScanExtended(firstEntry);
    else
        ScanPlain(firstEntry);
    return true;
}

void TLibXML2::ScanPlain(qsizetype firstEntry)
{
    for (qsizetype entry = firstEntry; entry != NotFound;) {
        const qsizetype contentStart = entry + entryNode_.size();
        nodeLocsStart_.push_back(Position(contentStart));
        const qsizetype exitAt = Find(data_, exitNode_, contentStart);
        if (exitAt == NotFound) {
            nodeLocsEnd_.push_back(NoEnd);
            break;
        }
        nodeLocsEnd_.push_back(Position(exitAt - 1));
        // Nesting is not followed: an opening tag inside this content is passed over.
        entry = Find(data_, entryNode_, exitAt - 1);
    }
    nodes_ = static_cast<quint32>(nodeLocsStart_.size());
}

void TLibXML2::ScanExtended(qsizetype firstEntry)
{
    for (qsizetype entry = firstEntry; entry != NotFound; entry = Find(data_, entryNode_, entry + 1))
        nodeLocsStart_.push_back(Position(entry));
    const size_t count = nodeLocsStart_.size();
    nodes_ = static_cast<quint32>(count);
    nodeLocsEnd_.assign(count, 0);

    qsizetype exitAt = Find(data_, exitNode_, 0);
    if (exitAt == NotFound) {
        // Without closing tags every node runs up to the next one, the last to the end.
        for (size_t k = 0; k + 1 < count; ++k)
            nodeLocsEnd_[k] = nodeLocsStart_[k + 1] - 1;
        nodeLocsEnd_[count - 1] = static_cast<quint32>(data_.size());
        return;
    }
    // The k-th closing tag that ends after node k's start closes node k, so nested
    // occurrences overlap. A stray closing tag before the node only leaves a provisional
    // end that the next one overwrites. Closing tags after the last node close nothing.
    for (size_t cursor = 0; exitAt != NotFound && cursor < count; exitAt = Find(data_, exitNode_, exitAt + 1)) {
        const quint32 end = Position(exitAt - 1);
        nodeLocsEnd_[cursor] = end;
        if (end > nodeLocsStart_[cursor])
            ++cursor;
    }
}

QByteArrayView TLibXML2::NodeText(quint32 node) const
{
    if (node < 1 || node > nodes_)
        return {};
    const quint32 start = nodeLocsStart_[node - 1];
    const quint32 end = nodeLocsEnd_[node - 1];
    // An end never set or never found means an empty node; past 2 GiB the wrapped length
    // below would no longer say so by its sign.
    if (end == 0 || end == NoEnd)
        return {};
    const auto length = static_cast<qint32>(end - start + 1);
    if (length <= 0)
        return {};
    // The positions describe the text as it was at the scan; it may have shrunk since.
    const qsizetype from = qsizetype(start) - 1;
    if (from >= data_.size())
        return {};
    return QByteArrayView(data_).sliced(from, std::min<qsizetype>(length, data_.size() - from));
}

QString TLibXML2::GetNodeData(quint32 node) const
{
    return QString::fromUtf8(NodeText(node));
}

bool TLibXML2::LoadNode(quint32 itm)
{
    if (itm < 1 || itm > nodes_)
        return false;
    nodeData_ = NodeText(itm).toByteArray();
    return true;
}

bool TLibXML2::FindItem(const QString& tag, QByteArrayView& item) const
{
    item = {};
    if (data_.isEmpty())
        return false;
    const QByteArray foldedTag = FoldedAscii(tag.toUtf8());
    return ItemAfterTag(nodeData_, FindFolded(nodeData_, foldedTag), foldedTag.size(), item);
}

bool TLibXML2::FindItemCase(QByteArrayView node, const QString& tag, QByteArrayView& item) const
{
    item = {};
    if (data_.isEmpty())
        return false;
    const QByteArray exactTag = tag.toUtf8();
    return ItemAfterTag(node, Find(node, exactTag, 0), exactTag.size(), item);
}

QString TLibXML2::GetItem(const QString& it) const
{
    QByteArrayView item;
    if (!FindItem(u'<' + it + u'>', item))
        return {};
    return WithoutCDataMarkers(TextOf(item));
}

QString TLibXML2::GetItemCase(const QString& it) const
{
    return ItemCaseIn(nodeData_, it);
}

QString TLibXML2::GetItemCaseOf(quint32 node, const QString& it) const
{
    return ItemCaseIn(NodeText(node), it);
}

QString TLibXML2::ItemCaseIn(QByteArrayView node, const QString& it) const
{
    QByteArrayView item;
    if (!FindItemCase(node, u'<' + it + u'>', item))
        return {};
    return WithoutCDataMarkers(TextOf(item));
}

qint32 TLibXML2::GetItemInt(const QString& it) const
{
    return ParseInteger(GetItem(it)).value_or(0);
}

QString TLibXML2::GetSubItem(const QString& it, const QString& sub) const
{
    return SubItemIn(nodeData_, it, sub);
}

QString TLibXML2::GetSubItemOf(quint32 node, const QString& it, const QString& sub) const
{
    return SubItemIn(NodeText(node), it, sub);
}

QString TLibXML2::SubItemIn(QByteArrayView node, const QString& it, const QString& sub) const
{
    const QByteArray open = '<' + it.toUtf8();
    if (FindFolded(node, FoldedAscii(open + ' ')) == NotFound)
        return {};
    // The presence tests ignore letter case but the cuts need the exact text; where only
    // another letter case occurs nothing is cut.
    const QByteArrayView tag = BeforeFirst(AfterFirst(node, open), ">");
    // The leading space keeps "of" from matching the end of "cloneof", the "=" and the
    // quote keep it from matching the start of a longer name.
    const QByteArray marker = ' ' + sub.toUtf8() + "=\"";
    if (FindFolded(tag, FoldedAscii(marker)) == NotFound)
        return {};
    return TextOf(BeforeFirst(AfterFirst(tag, marker), "\""));
}

void TLibXML2::LoadFromFile(const QString& tf)
{
    data_.clear();
    lineBreaksAsWritten_ = false;
    if (!FileExistsInFolder(tf))
        return;
    TextLines lines;
    lines.LoadFromFile(tf);
    // Widening lone line breaks to CR LF can take a file below the limit above it.
    if (lines.Text().size() >= TextLines::MaxDocumentBytes)
        throw QuarvelError(QStringLiteral("Cannot open file \"%1\". %2").arg(tf, TooLargeReason()));
    data_ = lines.Text();
}

void TLibXML2::WNew()
{
    data_.clear();
    lineBreaksAsWritten_ = false;
}

void TLibXML2::WOpenNode(const QString& node, const QString& comment)
{
    if (comment.isEmpty())
        WAddData(u'<' + node + u'>');
    else
        WAddData(u'<' + node + QStringLiteral("> // ") + comment);
}

void TLibXML2::WAddChild(const QString& child, const QString& xmldata)
{
    WAddData(QStringLiteral("    <") + child + u'>' + xmldata + QStringLiteral("</") + child + u'>');
}

void TLibXML2::WAddChildInt(const QString& child, qint32 xmldata)
{
    WAddChild(child, QString::number(xmldata));
}

void TLibXML2::WCloseNode(const QString& node)
{
    WAddData(QStringLiteral("</") + node + u'>');
}

void TLibXML2::WAddData(const QString& s)
{
    const QByteArray line = s.toUtf8();
    RefuseOversized(data_.size() + line.size() + 2);
    data_ += line;
    data_ += "\r\n";
}

} // namespace quarvel
