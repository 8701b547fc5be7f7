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
    enum class Encoding { Utf8, Latin1 };

    // inputSize bounds the bytes that will be fed; the output can at most double.
    LineTextDecoder(Encoding encoding, std::int64_t inputSize);

    // False when UTF-8 input holds a byte sequence that is not UTF-8; the decoder is then
    // spent and the input must be decoded again as Latin-1.
    bool Feed(QByteArrayView bytes);
    // The text; false in valid when UTF-8 input ended inside a character.
    QByteArray Finish(bool& valid);

private:
    void AskForLargePages();
    void AppendLineBreak();
    bool FeedUtf8Byte(unsigned char c);

    Encoding encoding_;
    QByteArray text_;
    char* out_ = nullptr;
    bool lastWasCr_ = false;
    bool lastWasBreak_ = false;
    bool empty_ = true;
    // UTF-8 state: continuation bytes still expected and the allowed range of the next one.
    int pendingContinuations_ = 0;
    unsigned char nextLow_ = 0x80;
    unsigned char nextHigh_ = 0xBF;
};

} // namespace quarvel
