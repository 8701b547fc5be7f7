#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

namespace quarvel {

// Turns text bytes, fed in pieces of any size, into the lines text: UTF-8 with every line
// ended by CR LF, the last one too. Lines end at CR LF, a lone CR or a lone LF. Streaming
// lets a file of hundreds of megabytes be read straight into its final buffer, which is
// written once and never copied.
class LineTextDecoder {
public:
    // Utf8 gives up on the first byte sequence that is not UTF-8, so that text without a
    // byte-order mark can be read again as Latin-1; Utf8Replacing turns each such sequence
    // into U+FFFD, for text whose mark says it is UTF-8.
    enum class Encoding { Utf8, Utf8Replacing, Latin1 };

    // expectedInputSize is what the caller expects to feed, so that the buffer is reserved
    // once; more input is taken too (a file may grow while it is read, or report no size).
    LineTextDecoder(Encoding encoding, std::int64_t expectedInputSize);

    // False when Utf8 input holds a byte sequence that is not UTF-8; the decoder is then
    // spent and the input must be decoded again as Latin-1.
    bool Feed(QByteArrayView bytes);
    // The text; false in valid when Utf8 input ended inside a character.
    QByteArray Finish(bool& valid);

private:
    void Reserve(std::int64_t inputBytes);
    void AskForLargePages();
    void AppendLineBreak();
    bool FeedUtf8Byte(unsigned char c);
    // Ends a byte sequence that is not UTF-8: false for Utf8, U+FFFD in its place otherwise.
    bool ReplaceBrokenSequence();

    Encoding encoding_;
    QByteArray text_;
    char* out_ = nullptr;
    bool lastWasCr_ = false;
    bool lastWasBreak_ = false;
    bool empty_ = true;
    // UTF-8 state: continuation bytes still expected and the allowed range of the next one.
    int pendingContinuations_ = 0;
    int sequenceBytesWritten_ = 0;
    unsigned char nextLow_ = 0x80;
    unsigned char nextHigh_ = 0xBF;
};

} // namespace quarvel
