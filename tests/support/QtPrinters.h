#pragma once

#include <QByteArray>
#include <QString>

#include <ostream>

// Failure messages show Qt texts as quoted text with visible line ends instead of element
// dumps. Found by argument-dependent lookup, so these live beside the Qt types.

inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << '"';
    for (const char c : bytes) {
        if (c == '\r')
            *out << "\\r";
        else if (c == '\n')
            *out << "\\n";
        else if (c == '\0')
            *out << "\\0";
        else
            *out << c;
    }
    *out << '"';
}

inline void PrintTo(const QString& text, std::ostream* out)
{
    PrintTo(text.toUtf8(), out);
}
