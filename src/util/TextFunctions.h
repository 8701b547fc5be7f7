#pragma once

#include <QByteArrayView>
#include <QString>

namespace quarvel {

// Text helpers whose letter-case rules fold only the ASCII letters A to Z, so folding
// never changes a text's length and positions found in a folded copy stay valid.

// Inline: hashing and comparing names fold every character.
inline QChar LowerAsciiChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') ? QChar(char16_t(u + (u'a' - u'A'))) : c;
}
QString LowerAscii(const QString& text);
bool SameTextAscii(QStringView a, QStringView b);

// True when every byte is below 0x80.
bool IsAscii(QByteArrayView bytes);

// True when sub occurs in s; false when either is empty.
bool ContainsStr(const QString& sub, const QString& s);
// As ContainsStr, ignoring ASCII letter case.
bool ContainsText(const QString& sub, const QString& s);
// The characters of s before the first occurrence of marker; empty when marker does not occur.
QString CopyBefore(const QString& s, const QString& marker);
// Removes everything from the start of s through the first occurrence of marker.
void DeleteThrough(QString& s, const QString& marker);
// Removes the first occurrence of marker from s, if any.
void DeleteFirst(QString& s, const QString& marker);
// Removes every occurrence of c; with ignoreCase both ASCII cases of c go.
QString StripChar(const QString& text, QChar c, bool ignoreCase);


// Bytes in the system's 8-bit text encoding: UTF-8 when they are valid UTF-8, else Latin-1,
// so any byte sequence gives a text and the ASCII range reads the same either way.
QString AnsiToText(QByteArrayView bytes);
// The text of a receive buffer: its bytes up to the first zero byte, read as AnsiToText does.
QString StreamToText(QByteArrayView buffer);

} // namespace quarvel
