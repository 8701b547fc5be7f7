#include "support/NamedCases.h"
#include "util/IntegerText.h"

#include "support/QtPrinters.h"
#include "util/QuarvelError.h"

#include <QString>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

using test::PrintTo;

struct IntegerCase {
    const char* name;
    const char* text;
    std::optional<qint32> value;
};

class IntegerText : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerText, ConvertsTheWholeText)
{
    EXPECT_EQ(ParseInteger(QString::fromLatin1(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IntegerText,
    ::testing::Values(IntegerCase{"Decimal", "12", 12}, IntegerCase{"LeadingZeros", "007", 7},
                      IntegerCase{"PlusSign", "+5", 5}, IntegerCase{"MinusSign", "-5", -5},
                      IntegerCase{"LeadingSpaces", "  42", 42}, IntegerCase{"SpacesBeforeTheSign", " -3", -3},
                      IntegerCase{"HexAfterZeroX", "0x1F", 31}, IntegerCase{"HexAfterUpperZeroX", "0X1f", 31},
                      IntegerCase{"HexAfterDollar", "$ff", 255}, IntegerCase{"HexAfterX", "x10", 16},
                      IntegerCase{"NegativeHex", "-$10", -16}, IntegerCase{"Highest", "2147483647", 2147483647},
                      IntegerCase{"Lowest", "-2147483648", -2147483647 - 1},
                      IntegerCase{"HighestHex", "$7FFFFFFF", 2147483647},
                      IntegerCase{"LowestHex", "-0x80000000", -2147483647 - 1},
                      IntegerCase{"LongRunOfZeros", "000000000000000000001", 1},
                      IntegerCase{"Empty", "", std::nullopt}, IntegerCase{"OnlySpaces", "   ", std::nullopt},
                      IntegerCase{"LoneMinus", "-", std::nullopt}, IntegerCase{"LoneDollar", "$", std::nullopt},
                      IntegerCase{"ZeroXWithoutDigits", "0x", std::nullopt},
                      IntegerCase{"TrailingSpace", "5 ", std::nullopt},
                      IntegerCase{"SpaceAfterTheSign", "- 5", std::nullopt},
                      IntegerCase{"TwoSigns", "--5", std::nullopt}, IntegerCase{"Letters", "12a", std::nullopt},
                      IntegerCase{"HexDigitsWithoutPrefix", "1F", std::nullopt},
                      IntegerCase{"DecimalPoint", "1.0", std::nullopt},
                      IntegerCase{"LeadingTab", "\t5", std::nullopt},
                      IntegerCase{"AboveTheHighest", "2147483648", std::nullopt},
                      IntegerCase{"BelowTheLowest", "-2147483649", std::nullopt},
                      IntegerCase{"HexAboveTheHighest", "$80000000", std::nullopt},
                      IntegerCase{"FarOutOfRange", "99999999999999999999999", std::nullopt}),
    test::CaseName());

TEST(IntegerText, NonAsciiDigitsDoNotConvert)
{
    EXPECT_EQ(ParseInteger(QString::fromUtf8("\xD9\xA3")), std::nullopt); // Arabic-Indic three
    EXPECT_EQ(ParseInteger(QString::fromUtf8("\xEF\xBC\x95")), std::nullopt); // full-width five
}

TEST(IntegerText, StrToIntNamesTheWholeTextWhenItFails)
{
    EXPECT_EQ(StrToInt(QStringLiteral("  -12")), -12);
    try {
        StrToInt(QStringLiteral("6\r\n"));
        FAIL() << "converted a text with a line end";
    } catch (const QuarvelError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("'6\r\n' is not a valid integer value"));
    }
}

} // namespace
} // namespace quarvel
