#include "util/XmlEntities.h"

#include "util/IntegerText.h"

#include <QStringView>

#include <optional>

namespace quarvel {

namespace {

constexpr char32_t LastCodePoint = 0x10FFFF;

bool NamesACharacter(char32_t code)
{
    return code != 0 && (code < 0xD800 || code > 0xDFFF) && code <= LastCodePoint;
}

// The character of the digits after "&#": decimal, or hexadecimal after an "x".
std::optional<char32_t> CharacterReference(QStringView digits)
{
    const int base = digits.startsWith(u'x') ? 16 : 10;
    if (base == 16)
        digits = digits.mid(1);
    if (digits.isEmpty())
        return std::nullopt;
    char32_t code = 0;
    for (const QChar c : digits) {
        const int value = DigitValue(c, base);
        if (value < 0)
            return std::nullopt;
        code = code * char32_t(base) + char32_t(value);
        if (code > LastCodePoint)
            return std::nullopt;
    }
    if (!NamesACharacter(code))
        return std::nullopt;
    return code;
}

// The characters a reference's name (the text between "&" and ";") stands for.
std::optional<QString> ReferenceText(QStringView name)
{
    if (name == u"amp")
        return QStringLiteral("&");
    if (name == u"lt")
        return QStringLiteral("<");
    if (name == u"gt")
        return QStringLiteral(">");
    if (name == u"quot")
        return QStringLiteral("\"");
    if (name == u"apos")
        return QStringLiteral("'");
    if (!name.startsWith(u'#'))
        return std::nullopt;
    const std::optional<char32_t> code = CharacterReference(name.mid(1));
    if (!code)
        return std::nullopt;
    return QString::fromUcs4(&*code, 1);
}

} // namespace

QString DecodeXmlEntities(const QString& text)
{
    qsizetype ampersand = text.indexOf(u'&');
    if (ampersand < 0)
        return text;
    QString decoded;
    decoded.reserve(text.size());
    qsizetype copiedUpTo = 0;
    while (ampersand >= 0) {
        const qsizetype semicolon = text.indexOf(u';', ampersand + 1);
        if (semicolon < 0)
            break;
        const QStringView name = QStringView(text).mid(ampersand + 1, semicolon - ampersand - 1);
        if (const std::optional<QString> replacement = ReferenceText(name)) {
            decoded.append(QStringView(text).mid(copiedUpTo, ampersand - copiedUpTo));
            decoded.append(*replacement);
            copiedUpTo = semicolon + 1;
            ampersand = text.indexOf(u'&', copiedUpTo);
        } else {
            // "&&amp;" must still decode its second reference.
            ampersand = text.indexOf(u'&', ampersand + 1);
        }
    }
    decoded.append(QStringView(text).mid(copiedUpTo));
    return decoded;
}

} // namespace quarvel
