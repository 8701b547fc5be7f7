#include "util/TextFunctions.h"

#include <QStringDecoder>

#include <algorithm>

namespace quarvel {

QString LowerAscii(const QString& text)
{
    // Most texts folded are already lower case: sharing them spares a copy per text.
    const auto firstUpper =
        std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= u'A' && c.unicode() <= u'Z'; });
    if (firstUpper == text.cend())
        return text;
    QString folded = text;
    for (auto c = folded.begin() + (firstUpper - text.cbegin()); c != folded.end(); ++c)
        *c = LowerAsciiChar(*c);
    return folded;
}

bool IsAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool SameTextAscii(QStringView a, QStringView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (LowerAsciiChar(a[i]) != LowerAsciiChar(b[i]))
            return false;
    return true;
}

bool ContainsStr(const QString& sub, const QString& s)
{
    return !sub.isEmpty() && !s.isEmpty() && s.contains(sub, Qt::CaseSensitive);
}

bool ContainsText(const QString& sub, const QString& s)
{
    return !sub.isEmpty() && !s.isEmpty() && LowerAscii(s).contains(LowerAscii(sub), Qt::CaseSensitive);
}

QString CopyBefore(const QString& s, const QString& marker)
{
    const qsizetype at = marker.isEmpty() ? -1 : s.indexOf(marker, 0, Qt::CaseSensitive);
    return at < 0 ? QString() : s.left(at);
}

void DeleteThrough(QString& s, const QString& marker)
{
    const qsizetype at = marker.isEmpty() ? -1 : s.indexOf(marker, 0, Qt::CaseSensitive);
    if (at >= 0)
        s.remove(0, at + marker.size());
}

void DeleteFirst(QString& s, const QString& marker)
{
    const qsizetype at = marker.isEmpty() ? -1 : s.indexOf(marker, 0, Qt::CaseSensitive);
    if (at >= 0)
        s.remove(at, marker.size());
}

QString StripChar(const QString& text, QChar c, bool ignoreCase)
{
    QString result;
    result.reserve(text.size());
    const QChar target = ignoreCase ? LowerAsciiChar(c) : c;
    for (QChar ch : text) {
        if ((ignoreCase ? LowerAsciiChar(ch) : ch) != target)
            result.append(ch);
    }
    return result;
}

QString AnsiToText(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

QString StreamToText(QByteArrayView buffer)
{
    const qsizetype zero = buffer.indexOf('\0');
    return AnsiToText(zero < 0 ? buffer : buffer.first(zero));
}

} // namespace quarvel
