#pragma once

#include <QByteArrayView>

#include <cstring>

namespace quarvel {

// Index of the first CR LF at or after from, or -1. memchr finds the CR several times
// faster than Qt's search for the pair does on lines this short, and called directly it
// spares Qt's general search set-up on every line.
inline qsizetype LineBreakFrom(QByteArrayView text, qsizetype from)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    for (const char* at = begin + from; at < end; ++at) {
        at = static_cast<const char*>(std::memchr(at, '\r', std::size_t(end - at)));
        if (at == nullptr)
            return -1;
        if (at + 1 < end && at[1] == '\n')
            return at - begin;
    }
    return -1;
}

// Calls visit(line) for every line of a lines text (see TextLines: every line followed by
// CR LF, the last one too), without the break; stops early when visit returns false.
template <typename Visit>
void ForEachLine(QByteArrayView linesText, Visit visit)
{
    qsizetype lineStart = 0;
    while (lineStart < linesText.size()) {
        qsizetype lineEnd = LineBreakFrom(linesText, lineStart);
        if (lineEnd < 0)
            lineEnd = linesText.size();
        if (!visit(linesText.sliced(lineStart, lineEnd - lineStart)))
            return;
        lineStart = lineEnd + 2;
    }
}

} // namespace quarvel
