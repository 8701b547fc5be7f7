#pragma once

#include <QByteArrayView>

namespace quarvel {

// Calls visit(line) for every line of a lines text (see TextLines: every line followed by
// CR LF, the last one too), without the break; stops early when visit returns false.
template <typename Visit>
void ForEachLine(QByteArrayView linesText, Visit visit)
{
    qsizetype lineStart = 0;
    while (lineStart < linesText.size()) {
        qsizetype lineEnd = linesText.indexOf(QByteArrayView("\r\n"), lineStart);
        if (lineEnd < 0)
            lineEnd = linesText.size();
        if (!visit(linesText.sliced(lineStart, lineEnd - lineStart)))
            return;
        lineStart = lineEnd + 2;
    }
}

} // namespace quarvel
