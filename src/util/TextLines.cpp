#include "util/TextLines.h"

#include "util/QuarvelError.h"

#include <QFile>
#include <QStringDecoder>

#include <cstring>

namespace quarvel {

namespace {

struct ByteCounts {
    qsizetype lf = 0;
    qsizetype cr = 0;
    qsizetype crlf = 0;
    qsizetype high = 0; // bytes >= 0x80
    bool validUtf8 = true;
};

// Length of the UTF-8 sequence starting at p, or 0 when it is not a valid one.
int Utf8SequenceLength(const unsigned char* p, const unsigned char* end)
{
    const unsigned char c = p[0];
    int length;
    char32_t min;
    char32_t code;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2, min = 0x80, code = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3, min = 0x800, code = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4, min = 0x10000, code = c & 0x07u;
    } else {
        return 0;
    }
    if (end - p < length)
        return 0;
    for (int i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (p[i] & 0x3Fu);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

bool WordIsPlain(std::uint64_t word)
{
    // No byte >= 0x80 and no byte below 0x20 (which covers CR and LF).
    constexpr std::uint64_t ones = 0x0101010101010101ull;
    constexpr std::uint64_t highs = 0x8080808080808080ull;
    const std::uint64_t belowSpace = (word - ones * 0x20) & ~word & highs;
    return ((word & highs) | belowSpace) == 0;
}

ByteCounts CountBytes(const QByteArray& bytes)
{
    ByteCounts counts;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto* end = p + bytes.size();
    while (p < end) {
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if (WordIsPlain(word)) {
                p += 8;
                continue;
            }
        }
        const unsigned char c = *p;
        if (c < 0x80) {
            if (c == '\n') {
                ++counts.lf;
            } else if (c == '\r') {
                ++counts.cr;
                if (p + 1 < end && p[1] == '\n')
                    ++counts.crlf;
            }
            ++p;
            continue;
        }
        const int length = counts.validUtf8 ? Utf8SequenceLength(p, end) : 0;
        if (length == 0) {
            counts.validUtf8 = false;
            ++counts.high;
            ++p;
            continue;
        }
        counts.high += length;
        p += length;
    }
    return counts;
}

bool EndsWithLineBreak(const QByteArray& bytes)
{
    return !bytes.isEmpty() && (bytes.back() == '\n' || bytes.back() == '\r');
}

// Rewrites the buffer from its end so that it grows in place: every lone CR or LF
// becomes CR LF, Latin-1 bytes become UTF-8 when asked, and a final line break is added.
void ExpandInPlace(QByteArray& buffer, qsizetype inputSize, bool latin1, bool addFinalBreak)
{
    char* data = buffer.data();
    qsizetype out = buffer.size();
    if (addFinalBreak) {
        data[--out] = '\n';
        data[--out] = '\r';
    }
    for (qsizetype in = inputSize - 1; in >= 0 && out > in + 1; --in) {
        const auto c = static_cast<unsigned char>(data[in]);
        if (c == '\n') {
            data[--out] = '\n';
            if (in == 0 || data[in - 1] != '\r')
                data[--out] = '\r';
        } else if (c == '\r') {
            if (in + 1 >= inputSize || data[in + 1] != '\n')
                data[--out] = '\n';
            data[--out] = '\r';
        } else if (latin1 && c >= 0x80) {
            data[--out] = static_cast<char>(0x80 | (c & 0x3F));
            data[--out] = static_cast<char>(0xC0 | (c >> 6));
        } else {
            data[--out] = static_cast<char>(c);
        }
    }
}

// The common case of a Unix file in UTF-8: only lone LFs to widen, moved run by run.
void ExpandLineFeeds(QByteArray& buffer, qsizetype inputSize, bool addFinalBreak)
{
    char* data = buffer.data();
    qsizetype out = buffer.size();
    if (addFinalBreak) {
        data[--out] = '\n';
        data[--out] = '\r';
    }
    qsizetype runEnd = inputSize;
    while (out > runEnd) {
        const void* hit = memrchr(data, '\n', static_cast<std::size_t>(runEnd));
        const qsizetype lf = hit ? static_cast<const char*>(hit) - data : -1;
        const qsizetype runLength = runEnd - (lf + 1);
        out -= runLength;
        std::memmove(data + out, data + lf + 1, static_cast<std::size_t>(runLength));
        if (lf < 0)
            break;
        data[--out] = '\n';
        data[--out] = '\r';
        runEnd = lf;
    }
}

QByteArray NormalizeDecoded(QByteArray bytes, bool treatAsUtf8IfValid)
{
    const ByteCounts counts = CountBytes(bytes);
    const bool latin1 = treatAsUtf8IfValid ? !counts.validUtf8 : false;
    const qsizetype loneBreaks = (counts.lf - counts.crlf) + (counts.cr - counts.crlf);
    const bool addFinalBreak = !bytes.isEmpty() && !EndsWithLineBreak(bytes);
    const qsizetype inputSize = bytes.size();
    const qsizetype outputSize = inputSize + loneBreaks + (latin1 ? counts.high : 0) + (addFinalBreak ? 2 : 0);
    if (outputSize == inputSize)
        return bytes;
    bytes.resize(outputSize);
    if (!latin1 && counts.cr == 0)
        ExpandLineFeeds(bytes, inputSize, addFinalBreak);
    else
        ExpandInPlace(bytes, inputSize, latin1, addFinalBreak);
    return bytes;
}

QString OpenErrorText(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason);
}

} // namespace

void TextLines::LoadFromFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw QuarvelError(OpenErrorText(path, file.errorString()));
    if (file.size() >= MaxDocumentBytes)
        throw QuarvelError(OpenErrorText(path, QStringLiteral("The file is 4 GiB or larger, too large to read.")));

    QByteArray bytes(file.size(), Qt::Uninitialized);
    if (file.read(bytes.data(), bytes.size()) != bytes.size())
        throw QuarvelError(OpenErrorText(path, file.errorString()));
    text_ = Decode(std::move(bytes));
}

QByteArray TextLines::Decode(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
        return NormalizeDecoded(std::move(bytes), false);
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        const QString decoded = decoder.decode(QByteArrayView(bytes).sliced(2));
        return NormalizeDecoded(decoded.toUtf8(), false);
    }
    return NormalizeDecoded(std::move(bytes), true);
}

void TextLines::SetText(const QString& text)
{
    text_ = NormalizeDecoded(text.toUtf8(), false);
}

} // namespace quarvel
