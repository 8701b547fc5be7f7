#include "util/TextLines.h"

#include "util/ByteWords.h"
#include "util/LineTextDecoder.h"
#include "util/Paths.h"
#include "util/QuarvelError.h"

#include <QFile>
#include <QStringDecoder>

#include <cstdint>
#include <cstring>

namespace quarvel {

namespace {

constexpr qint64 ReadChunkBytes = 1 << 20;

enum class Mark { None, Utf8, Utf16LittleEndian, Utf16BigEndian };

Mark MarkOf(QByteArrayView start)
{
    if (start.startsWith("\xEF\xBB\xBF"))
        return Mark::Utf8;
    if (start.startsWith("\xFF\xFE"))
        return Mark::Utf16LittleEndian;
    if (start.startsWith("\xFE\xFF"))
        return Mark::Utf16BigEndian;
    return Mark::None;
}

qsizetype MarkLength(Mark mark)
{
    switch (mark) {
    case Mark::Utf8:
        return 3;
    case Mark::Utf16LittleEndian:
    case Mark::Utf16BigEndian:
        return 2;
    case Mark::None:
        break;
    }
    return 0;
}


// Decodes bytes already in memory: UTF-8 when they are valid UTF-8, else Latin-1.
QByteArray DecodeUtf8OrLatin1(QByteArrayView bytes)
{
    LineTextDecoder utf8(LineTextDecoder::Encoding::Utf8, bytes.size());
    bool valid = utf8.Feed(bytes);
    QByteArray text = valid ? utf8.Finish(valid) : QByteArray();
    if (valid)
        return text;
    LineTextDecoder latin1(LineTextDecoder::Encoding::Latin1, bytes.size());
    latin1.Feed(bytes);
    return latin1.Finish(valid);
}

// Decodes bytes marked as UTF-8: a sequence that is not UTF-8 becomes U+FFFD.
QByteArray DecodeMarkedUtf8(QByteArrayView bytes)
{
    LineTextDecoder utf8(LineTextDecoder::Encoding::Utf8Replacing, bytes.size());
    utf8.Feed(bytes);
    bool valid = true;
    return utf8.Finish(valid);
}

// The lines text of text that is already valid UTF-8.
QByteArray LinesOfUtf8(QByteArrayView utf8)
{
    LineTextDecoder lines(LineTextDecoder::Encoding::Utf8, utf8.size());
    lines.Feed(utf8);
    bool valid = true;
    return lines.Finish(valid);
}

QByteArray DecodeUtf16(QByteArrayView bytes, Mark mark)
{
    QStringDecoder decoder(mark == Mark::Utf16LittleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    return LinesOfUtf8(QString(decoder.decode(bytes)).toUtf8());
}

QString TooLargeText(const QString& path)
{
    return TextLines::OpenErrorText(path, QStringLiteral("The file is 4 GiB or larger, too large to read."));
}

// Reads the file from offset in chunks straight into the decoder; false when the bytes
// turn out not to be UTF-8. The size the file reports only sizes the first reservation: a
// file that grows while it is read, or one such as /proc/self/status that reports none,
// is read to its end.
bool StreamFile(QFile& file, const QString& path, qint64 offset, LineTextDecoder::Encoding encoding,
                QByteArray& text)
{
    if (!file.seek(offset))
        throw QuarvelError(TextLines::OpenErrorText(path, file.errorString()));
    LineTextDecoder decoder(encoding, file.size() - offset);
    QByteArray chunk(ReadChunkBytes, Qt::Uninitialized);
    std::int64_t total = offset;
    for (;;) {
        const qint64 got = file.read(chunk.data(), chunk.size());
        if (got < 0)
            throw QuarvelError(TextLines::OpenErrorText(path, file.errorString()));
        if (got == 0)
            break;
        total += got;
        if (total >= TextLines::MaxDocumentBytes)
            throw QuarvelError(TooLargeText(path));
        if (!decoder.Feed(QByteArrayView(chunk.constData(), got)))
            return false;
    }
    bool valid = true;
    text = decoder.Finish(valid);
    return valid;
}

// True when the bytes already are lines text: UTF-8 without a mark, each line ended by CR LF
// and no other CR or LF. They decode to themselves, so the decoding copy can be skipped; a
// category list, written with CR LF, then builds with 7 % fewer instructions.
//
// It looks at eight bytes at a time: the LFs must be exactly the bytes after the CRs. A byte
// at a time cost ten instructions a byte, more than the build of a catver.ini that follows.
bool IsLinesText(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return true;
    if (MarkOf(bytes) != Mark::None || !bytes.endsWith("\r\n"))
        return false;
    std::uint64_t lastByteWasCr = 0;
    std::uint64_t seenHighBits = 0;
    for (qsizetype at = 0; at < bytes.size(); at += 8) {
        // The last word is padded with zero bytes, which are neither CR nor LF.
        std::uint64_t word = 0;
        if (bytes.size() - at >= 8)
            std::memcpy(&word, bytes.data() + at, 8);
        else
            std::memcpy(&word, bytes.data() + at, std::size_t(bytes.size() - at));
        const std::uint64_t cr = BytesEqualTo(word, '\r');
        const std::uint64_t lf = BytesEqualTo(word, '\n');
        // Byte i + 1 lies eight bits above byte i; byte 0 follows the last word's byte 7.
        if (lf != ((cr << 8) | (lastByteWasCr << 7)))
            return false;
        lastByteWasCr = cr >> 63;
        seenHighBits |= word & HighBitOfEachByte;
    }
    return seenHighBits == 0 || bytes.isValidUtf8();
}

} // namespace

void TextLines::LoadFromFile(const QString& path)
{
    if (IsSpecialFile(path))
        throw QuarvelError(TextLines::OpenErrorText(path, QStringLiteral("It is not a regular file.")));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(TextLines::OpenErrorText(path, file.errorString()));
    if (file.size() >= MaxDocumentBytes)
        throw QuarvelError(TooLargeText(path));

    const Mark mark = MarkOf(file.peek(3));
    QByteArray text;
    if (mark == Mark::Utf16LittleEndian || mark == Mark::Utf16BigEndian) {
        const QByteArray bytes = file.readAll();
        text = DecodeUtf16(QByteArrayView(bytes).sliced(MarkLength(mark)), mark);
    } else if (mark == Mark::Utf8) {
        StreamFile(file, path, MarkLength(mark), LineTextDecoder::Encoding::Utf8Replacing, text);
    } else if (!StreamFile(file, path, 0, LineTextDecoder::Encoding::Utf8, text)) {
        StreamFile(file, path, 0, LineTextDecoder::Encoding::Latin1, text);
    }
    if (text.size() >= MaxDocumentBytes)
        throw QuarvelError(TextLines::OpenErrorText(path, QStringLiteral("The text is 4 GiB or larger, too large to read.")));
    text_ = std::move(text);
}

QByteArray TextLines::Decode(QByteArray bytes)
{
    if (IsLinesText(bytes))
        return bytes;
    const Mark mark = MarkOf(bytes);
    const QByteArrayView body = QByteArrayView(bytes).sliced(MarkLength(mark));
    switch (mark) {
    case Mark::Utf16LittleEndian:
    case Mark::Utf16BigEndian:
        return DecodeUtf16(body, mark);
    case Mark::Utf8:
        return DecodeMarkedUtf8(body);
    case Mark::None:
        break;
    }
    return DecodeUtf8OrLatin1(body);
}

void TextLines::SetText(const QString& text)
{
    text_ = LinesOfUtf8(text.toUtf8());
}

QString TextLines::OpenErrorText(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason);
}

} // namespace quarvel
