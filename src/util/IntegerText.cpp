#include "util/IntegerText.h"

#include "util/QuarvelError.h"

namespace quarvel {

namespace {

bool IsHexMark(QChar c)
{
    return c == u'x' || c == u'X';
}

} // namespace

int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int value = base;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

std::optional<qint32> ParseInteger(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && (text[i] == u'$' || IsHexMark(text[i]))) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && IsHexMark(text[i + 1])) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return std::nullopt;

    // The magnitude of the lowest value is one more than that of the highest.
    const qint64 limit = negative ? qint64(1) << 31 : (qint64(1) << 31) - 1;
    qint64 magnitude = 0;
    for (; i < n; ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<qint32>(negative ? -magnitude : magnitude);
}

qint32 StrToInt(const QString& text)
{
    const std::optional<qint32> value = ParseInteger(text);
    if (!value)
        throw QuarvelError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return *value;
}

} // namespace quarvel
