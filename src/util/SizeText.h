#pragma once

#include <QString>

#include <cstdint>

namespace quarvel {

// The short size texts of the Roms List and of the selection total: bytes, then KB, MB and
// GB as powers of 1024, two decimals with every further digit cut off.

// The system locale's decimal separator, read at the first call and kept for the life of
// the process.
char DecimalSeparatorChar();
// The separator a locale's decimal point gives: itself when it is one printable ASCII
// character, otherwise ",".
char DecimalSeparatorFrom(const QString& localeDecimalPoint);

// The text of a byte count with the process's decimal separator. The sign is never shown,
// except for the one count without a positive counterpart, which reads in bytes.
QString FormatSize(std::int64_t value);
QString FormatSize(std::int64_t value, char decimalSeparator);

} // namespace quarvel
