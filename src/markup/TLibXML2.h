#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace quarvel {

class Prompts;
class SettingsStore;
class InPlaceText;
class StringList;
class TextLines;

// One markup document held as a single text and read by substring search. It builds no
// tree and checks nothing: a scan records where every occurrence of one element lies,
// LoadNode copies one occurrence into NodeData, and the reads pull child texts and
// attribute values out of NodeData. The writer appends a small document line by line.
//
// The text is held as UTF-8. Every pattern searched for is ASCII and only the ASCII
// letters fold, so a match can only begin and end on whole characters and every result
// is the one the same search over UTF-16 code units would give.
class TLibXML2 {
public:
    // A non-empty file name loads that file (see LoadFromFile).
    explicit TLibXML2(const QString& fName = QString());

    // The text becomes the list's lines, each followed by CR LF. Throws, keeping the
    // text, for a document of 4 GiB or more.
    void AssignTS(const StringList& ts);
    // The text becomes the lines' text, sharing their buffer rather than copying it.
    // Throws, keeping the text, for a document of 4 GiB or more.
    void AssignLines(const TextLines& lines);
    // The text becomes these UTF-8 bytes. Throws, keeping the text, for 4 GiB or more.
    void SetData(QByteArray utf8);
    // The text becomes a view of text, which must outlive the scan and every read. Where its
    // line breaks are as written, the reads give each as CR LF, as over its lines text;
    // NodeData and GetNodeData give them as written.
    void AssignInPlace(const InPlaceText& text);

    // Records every occurrence of element it. Extended: the opening tag must be followed
    // by one space and a node runs from its "<" to just before its closing tag. Plain: the
    // opening tag is exactly "<it>" and a node is the content between the tags. The result
    // tells whether an extended scan found a node; plain-mode callers read Nodes().
    bool SetMainNode(const QString& it, bool Extended);

    // Copies node itm (1 to Nodes()) into NodeData; false and NodeData unchanged otherwise.
    bool LoadNode(quint32 itm);
    // The text of node number node as the last scan found it; empty outside 1 to Nodes().
    QString GetNodeData(quint32 node) const;

    // The text after the first "<it>" of NodeData up to the next "</", ignoring ASCII
    // letter case, with the first CDATA start and end markers removed.
    QString GetItem(const QString& it) const;
    // As GetItem, with the tag's letter case matching exactly.
    QString GetItemCase(const QString& it) const;
    // GetItem read as a signed 32-bit integer; 0 when it does not convert.
    qint32 GetItemInt(const QString& it) const;
    // The double-quoted value of attribute sub in the first opening tag of element it
    // within NodeData; empty when there is none.
    QString GetSubItem(const QString& it, const QString& sub) const;
    // As LoadNode(node) followed by GetItemCase or GetSubItem, without copying the node:
    // reading every node of a list of hundreds of megabytes copies it all once more.
    QString GetItemCaseOf(quint32 node, const QString& it) const;
    QString GetSubItemOf(quint32 node, const QString& it, const QString& sub) const;

    quint32 Nodes() const { return nodes_; }
    QString NodeData() const { return QString::fromUtf8(nodeData_); }
    const QByteArray& NodeDataBytes() const { return nodeData_; }
    const QByteArray& Data() const { return data_; }
    QString DataText() const { return QString::fromUtf8(data_); }

    // Replaces the text by the file's lines, each followed by CR LF. A path without a
    // folder part, or a missing folder or file, leaves the text empty. A file that cannot
    // be read, or whose text is 4 GiB or more, throws "Cannot open file "%s". %s" and
    // leaves the text empty. The scan and NodeData are kept.
    void LoadFromFile(const QString& tf);

    // Replaces the text by the stored value XMLName under the key path UserNode; a missing
    // value gives an empty text. Any error reading it is shown in a message box and the
    // text is kept.
    void LoadFromRegistry(const QString& UserNode, const QString& XMLName, SettingsStore& store, Prompts& prompts);
    // Stores the text as the value XMLName under UserNode, replacing an earlier one.
    // Throws "Failed to set data for '%s'".
    void WSaveToRegistry(const QString& UserNode, const QString& XMLName, SettingsStore& store) const;

    // The writer: each call appends one line ended by CR LF. Nothing is escaped.
    void WNew();
    void WOpenNode(const QString& node, const QString& comment);
    void WAddChild(const QString& child, const QString& xmldata);
    void WAddChildInt(const QString& child, qint32 xmldata);
    void WCloseNode(const QString& node);
    void WAddData(const QString& s);

private:
    void ScanPlain(qsizetype firstEntry);
    void ScanExtended(qsizetype firstEntry);
    QByteArrayView NodeText(quint32 node) const;
    bool FindItem(const QString& tag, QByteArrayView& item) const;
    bool FindItemCase(QByteArrayView node, const QString& tag, QByteArrayView& item) const;
    QString ItemCaseIn(QByteArrayView node, const QString& it) const;
    QString SubItemIn(QByteArrayView node, const QString& it, const QString& sub) const;
    QString TextOf(QByteArrayView utf8) const;

    // Entry k-1: 1-based position of the first and of the last character of node k.
    std::vector<quint32> nodeLocsStart_;
    std::vector<quint32> nodeLocsEnd_;
    QByteArray entryNode_;
    QByteArray exitNode_;
    QByteArray data_;
    quint32 nodes_ = 0;
    QByteArray nodeData_;
    bool lineBreaksAsWritten_ = false;
};

} // namespace quarvel
