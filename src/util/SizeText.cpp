#include "util/SizeText.h"

#include <QLocale>

#include <limits>

namespace quarvel {

namespace {

constexpr std::int64_t KiB = 1024;
constexpr std::int64_t MiB = KiB * 1024;
constexpr std::int64_t GiB = MiB * 1024;

struct Hundredths {
    std::int64_t count;
    const char* unit;
};

// Cuts to whole kilobytes (and megabytes) before taking hundredths, so a text can lie one
// hundredth below the exact quotient: that is the documented reading of the Size column.
Hundredths HundredthsOf(std::int64_t value, std::int64_t magnitude)
{
    if (magnitude < MiB)
        return {value * 100 / KiB, " KB"};
    if (magnitude < GiB)
        return {value / KiB * 100 / KiB, " MB"};
    return {value / KiB / KiB * 100 / KiB, " GB"};
}

} // namespace

char DecimalSeparatorFrom(const QString& localeDecimalPoint)
{
    if (localeDecimalPoint.size() != 1)
        return ',';
    const char16_t c = localeDecimalPoint.front().unicode();
    return (c > u' ' && c < 0x7F) ? char(c) : ',';
}

char DecimalSeparatorChar()
{
    static const char separator = DecimalSeparatorFrom(QLocale::system().decimalPoint());
    return separator;
}

QString FormatSize(std::int64_t value)
{
    return FormatSize(value, DecimalSeparatorChar());
}

QString FormatSize(std::int64_t value, char decimalSeparator)
{
    // The most negative count has no positive counterpart; it stays negative and reads in bytes.
    const std::int64_t magnitude = value == std::numeric_limits<std::int64_t>::min() ? value
                                                                                     : (value < 0 ? -value : value);
    if (magnitude < KiB)
        return QString::number(magnitude) + QStringLiteral(" Bytes");

    const Hundredths hundredths = HundredthsOf(value, magnitude);
    QString text = QString::number(hundredths.count < 0 ? -hundredths.count : hundredths.count);
    text.insert(text.size() - 2, QChar::fromLatin1(decimalSeparator));
    return text + QLatin1String(hundredths.unit);
}

} // namespace quarvel
