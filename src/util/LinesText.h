#pragma once

#include <QByteArrayView>

namespace quarvel {

// Index of the first CR LF at or after from, or -1. memchr finds the CR several times
// faster than Qt's search for the pair does on lines this short.
inline qsizetype LineBreakFrom(QByteArrayView text, qsizetype from)
{
    for (qsizetype at = from; (at = text.indexOf('\r', at)) >= 0; ++at)
        if (at + 1 < text.size() && text[at + 1] == '\n')
            return at;
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
