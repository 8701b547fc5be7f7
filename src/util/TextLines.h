#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace quarvel {

// The lines of a text file held as one text: every line followed by CR LF, the last one
// too, in UTF-8. This is exactly the text a string list of those lines would give, kept
// in one buffer so a machine list of hundreds of megabytes is held only once.
class TextLines {
public:
    // Documents at or above this size are refused: positions inside them are 32-bit.
    static constexpr std::int64_t MaxDocumentBytes = (std::int64_t(1) << 32) - 1;

    // Replaces the text by the file's. A byte-order mark selects UTF-8 (a sequence that is
    // not UTF-8 then reads as U+FFFD), UTF-16 LE or UTF-16 BE; without one the bytes are
    // read as UTF-8 when they are valid UTF-8, else as Latin-1. The whole file is read, also
    // when it holds more than its reported size; pipes and devices are refused. Lines end at CR LF, a lone CR or a lone LF. Throws "Cannot open file
    // "%s". %s" and keeps the earlier text when the file cannot be read.
    void LoadFromFile(const QString& path);

    // Replaces the text by already decoded text, splitting and ending lines as a file load does.
    void SetText(const QString& text);

    const QByteArray& Text() const { return text_; }
    bool IsEmpty() const { return text_.isEmpty(); }
    void Clear() { text_.clear(); }

    // The text of raw file bytes, decoded and split into lines as LoadFromFile does.
    static QByteArray Decode(QByteArray bytes);

    // The text of the error of a file that cannot be read: "Cannot open file "<path>". <reason>".
    static QString OpenErrorText(const QString& path, const QString& reason);

private:
    QByteArray text_;
};

} // namespace quarvel
