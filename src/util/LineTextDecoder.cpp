#include "util/LineTextDecoder.h"

#include "util/ByteWords.h"

#include <algorithm>
#include <cstring>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace quarvel {

namespace {

// True when the eight bytes hold a CR, an LF or a byte of 0x80 or more.
bool WordHasSpecialByte(std::uint64_t word)
{
    return ((word & HighBitOfEachByte) | BytesEqualTo(word, '\r') | BytesEqualTo(word, '\n')) != 0;
}

// The most output bytes one input byte can give: a lone CR or LF becomes CR LF, a Latin-1
// byte two UTF-8 bytes, a stray byte of marked UTF-8 the three bytes of U+FFFD.
std::int64_t MostBytesPerInputByte(LineTextDecoder::Encoding encoding)
{
    return encoding == LineTextDecoder::Encoding::Utf8Replacing ? 3 : 2;
}

// The line break that ends the last line.
constexpr std::int64_t FinalLineBreakBytes = 2;

} // namespace

LineTextDecoder::LineTextDecoder(Encoding encoding, std::int64_t expectedInputSize)
    : encoding_(encoding)
{
    // Untouched reserved pages cost no memory, so the worst case is reserved and the
    // unused tail given back at the end.
    text_.resize(static_cast<qsizetype>(MostBytesPerInputByte(encoding) * expectedInputSize + FinalLineBreakBytes));
    out_ = text_.data();
    AskForLargePages();
}

void LineTextDecoder::Reserve(std::int64_t inputBytes)
{
    const std::int64_t used = out_ - text_.constData();
    const std::int64_t needed = used + MostBytesPerInputByte(encoding_) * inputBytes + FinalLineBreakBytes;
    if (needed <= text_.size())
        return;
    text_.resize(static_cast<qsizetype>(std::max(needed, 2 * std::int64_t(text_.size()))));
    out_ = text_.data() + used;
}

void LineTextDecoder::AskForLargePages()
{
#ifdef Q_OS_LINUX
    // Filling a machine list of hundreds of megabytes page by page costs more than reading it;
    // large pages cut the number of page faults by a factor of 512 where the kernel allows them.
    constexpr std::uintptr_t LargePage = 2u << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(text_.data()) + LargePage - 1) & ~(LargePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(text_.data()) + std::uintptr_t(text_.size())) & ~(LargePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

void LineTextDecoder::AppendLineBreak()
{
    *out_++ = '\r';
    *out_++ = '\n';
}

bool LineTextDecoder::ReplaceBrokenSequence()
{
    if (encoding_ != Encoding::Utf8Replacing)
        return false;
    out_ -= sequenceBytesWritten_;
    for (const char byte : {'\xEF', '\xBF', '\xBD'})
        *out_++ = byte;
    pendingContinuations_ = 0;
    sequenceBytesWritten_ = 0;
    nextLow_ = 0x80;
    nextHigh_ = 0xBF;
    return true;
}

bool LineTextDecoder::FeedUtf8Byte(unsigned char c)
{
    if (pendingContinuations_ > 0) {
        if (c < nextLow_ || c > nextHigh_) {
            // The byte that cut the sequence short may begin the next one.
            return ReplaceBrokenSequence() && FeedUtf8Byte(c);
        }
        --pendingContinuations_;
        nextLow_ = 0x80;
        nextHigh_ = 0xBF;
    } else if (c >= 0xC2 && c <= 0xDF) {
        pendingContinuations_ = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
        pendingContinuations_ = 2;
        nextLow_ = c == 0xE0 ? 0xA0 : 0x80; // no overlong forms
        nextHigh_ = c == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        pendingContinuations_ = 3;
        nextLow_ = c == 0xF0 ? 0x90 : 0x80;
        nextHigh_ = c == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
    } else {
        return ReplaceBrokenSequence();
    }
    *out_++ = static_cast<char>(c);
    sequenceBytesWritten_ = pendingContinuations_ > 0 ? sequenceBytesWritten_ + 1 : 0;
    return true;
}

bool LineTextDecoder::Feed(QByteArrayView bytes)
{
    Reserve(bytes.size());
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    if (p != end)
        empty_ = false;
    while (p < end) {
        // Copy the plain run up to the next line break or non-ASCII byte in one go.
        const char* run = p;
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if (WordHasSpecialByte(word))
                break;
            p += 8;
        }
        while (p < end && static_cast<unsigned char>(*p) < 0x80 && *p != '\r' && *p != '\n')
            ++p;
        if (p != run) {
            if (pendingContinuations_ > 0 && !ReplaceBrokenSequence())
                return false;
            std::memcpy(out_, run, static_cast<std::size_t>(p - run));
            out_ += p - run;
            lastWasCr_ = false;
            lastWasBreak_ = false;
        }
        if (p == end)
            break;

        const auto c = static_cast<unsigned char>(*p++);
        if (c == '\r' || c == '\n') {
            if (pendingContinuations_ > 0 && !ReplaceBrokenSequence())
                return false;
            // The LF of a CR LF pair was written with its CR.
            if (!(c == '\n' && lastWasCr_))
                AppendLineBreak();
            lastWasCr_ = c == '\r';
            lastWasBreak_ = true;
            continue;
        }
        lastWasCr_ = false;
        lastWasBreak_ = false;
        if (encoding_ == Encoding::Latin1) {
            *out_++ = static_cast<char>(0xC0 | (c >> 6));
            *out_++ = static_cast<char>(0x80 | (c & 0x3F));
        } else if (!FeedUtf8Byte(c)) {
            return false;
        }
    }
    return true;
}

QByteArray LineTextDecoder::Finish(bool& valid)
{
    if (pendingContinuations_ > 0)
        ReplaceBrokenSequence();
    valid = pendingContinuations_ == 0;
    if (!empty_ && !lastWasBreak_)
        AppendLineBreak();
    text_.resize(out_ - text_.constData());
    text_.squeeze();
    out_ = nullptr;
    return std::move(text_);
}

} // namespace quarvel
