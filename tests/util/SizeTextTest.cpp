#include "support/NamedCases.h"
#include "support/QtPrinters.h"
#include "util/SizeText.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>
#include <string>

namespace quarvel {
namespace {

using test::PrintTo;

struct SizeCase {
    std::string name;
    std::int64_t value;
    std::string commaText; // the text with "," as the separator
};

void PrintTo(const SizeCase& sizeCase, std::ostream* out)
{
    *out << sizeCase.name << " (" << sizeCase.value << ")";
}

class FormatSizeCases : public ::testing::TestWithParam<SizeCase> {};

TEST_P(FormatSizeCases, GivesTheWorkedExampleWithEitherSeparator)
{
    const SizeCase& sizeCase = GetParam();
    QString pointText = QString::fromStdString(sizeCase.commaText);
    pointText.replace(u',', u'.');
    EXPECT_EQ(FormatSize(sizeCase.value, ','), QString::fromStdString(sizeCase.commaText));
    EXPECT_EQ(FormatSize(sizeCase.value, '.'), pointText);
}

constexpr std::int64_t GiB = 1073741824;

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, FormatSizeCases,
    ::testing::Values(SizeCase{"Zero", 0, "0 Bytes"}, SizeCase{"OneByteIsNeverSingular", 1, "1 Bytes"},
                      SizeCase{"LargestByteCount", 1023, "1023 Bytes"}, SizeCase{"OneKilobyte", 1024, "1,00 KB"},
                      SizeCase{"KilobyteCutNotRounded", 1025, "1,00 KB"}, SizeCase{"HalfKilobyte", 1536, "1,50 KB"},
                      SizeCase{"OneMillion", 1000000, "976,56 KB"}, SizeCase{"LargestKilobytes", 1048575, "1023,99 KB"},
                      SizeCase{"OneMegabyte", 1048576, "1,00 MB"},
                      SizeCase{"MegabytesCutToWholeKilobytesFirst", 1500000, "1,42 MB"},
                      SizeCase{"HalfMegabyte", 1572864, "1,50 MB"}, SizeCase{"Arbitrary", 123456789, "117,73 MB"},
                      SizeCase{"LargestMegabytes", 1073741823, "1023,99 MB"}, SizeCase{"OneGigabyte", GiB, "1,00 GB"},
                      SizeCase{"FourGigabytes", 4294967296, "4,00 GB"}, SizeCase{"FiveGigabytes", 5 * GiB, "5,00 GB"},
                      SizeCase{"Terabyte", 1024 * GiB, "1024,00 GB"},
                      SizeCase{"PetabyteStillInGigabytes", 1048576 * GiB, "1048576,00 GB"},
                      SizeCase{"LargestValue", std::numeric_limits<std::int64_t>::max(), "8589934591,99 GB"},
                      SizeCase{"MinusOneHidesTheSign", -1, "1 Bytes"},
                      SizeCase{"NegativeKilobytesHideTheSign", -1536, "1,50 KB"},
                      SizeCase{"SmallestValueStaysNegativeInBytes", std::numeric_limits<std::int64_t>::min(),
                               "-9223372036854775808 Bytes"}),
    [](const auto& testInfo) { return testInfo.param.name; });

struct SeparatorCase {
    std::string name;
    QString decimalPoint;
    char separator;
};

class SeparatorCases : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(SeparatorCases, FallsBackToCommaUnlessOneAsciiCharacter)
{
    EXPECT_EQ(DecimalSeparatorFrom(GetParam().decimalPoint), GetParam().separator);
}

INSTANTIATE_TEST_SUITE_P(
    LocaleDecimalPoints, SeparatorCases,
    ::testing::Values(SeparatorCase{"Point", QStringLiteral("."), '.'},
                      SeparatorCase{"Comma", QStringLiteral(","), ','},
                      SeparatorCase{"FailedQueryIsEmpty", QString(), ','},
                      SeparatorCase{"TwoCharacters", QStringLiteral(".,"), ','},
                      SeparatorCase{"ArabicDecimalSeparator", QStringLiteral("\u066B"), ','},
                      SeparatorCase{"NonAsciiLatin1", QStringLiteral("\u00B7"), ','},
                      SeparatorCase{"ControlCharacter", QStringLiteral("\t"), ','}),
    [](const auto& testInfo) { return testInfo.param.name; });

TEST(DecimalSeparatorChar, ComesFromTheSystemLocaleAndServesFormatSize)
{
    const char separator = DecimalSeparatorChar();
    EXPECT_EQ(separator, DecimalSeparatorFrom(QLocale::system().decimalPoint()));
    EXPECT_EQ(FormatSize(1536), FormatSize(1536, separator));
}

} // namespace
} // namespace quarvel
