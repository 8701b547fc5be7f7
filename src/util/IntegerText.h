#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace quarvel {

// Reads a whole text as a signed 32-bit integer: optional leading spaces, an optional
// sign, then decimal digits, or hexadecimal digits after "$", "x" or "0x" (the "x" in
// either case). Nothing may follow the digits. Gives nothing for a text that does not
// convert, including a value outside the signed 32-bit range.
std::optional<qint32> ParseInteger(QStringView text);

// The value of an ASCII digit in base 10 or 16 (either letter case), or -1 for any other
// character.
int DigitValue(QChar c, int base);

// ParseInteger for a text that must hold a number: throws "'%s' is not a valid integer
// value" with the whole text when it does not convert.
qint32 StrToInt(const QString& text);

} // namespace quarvel
