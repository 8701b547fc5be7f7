#include "support/NamedCases.h"
#include "support/TestFiles.h"
#include "util/DecompressStream.h"
#include "util/QuarvelError.h"

#include <gtest/gtest.h>

namespace quarvel {
namespace {

using test::PrintTo;

TEST(DecompressStream, InflatesACompleteStream)
{
    const QByteArray plain = QByteArray("[Maze]\r\npacman\r\n").repeated(5000);
    QByteArray stream = test::Compress(plain);
    DecompressStream(stream);
    EXPECT_EQ(stream, plain);
}

struct BadStream {
    const char* name;
    QByteArray bytes;
    const char* message;
};

class DecompressStreamErrors : public ::testing::TestWithParam<BadStream> {};

TEST_P(DecompressStreamErrors, RaiseTheLibraryErrorAndKeepTheBytes)
{
    QByteArray stream = GetParam().bytes;
    try {
        DecompressStream(stream);
        FAIL() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_EQ(error.Message(), QString::fromLatin1(GetParam().message));
    }
    EXPECT_EQ(stream, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecompressStreamErrors,
    ::testing::Values(BadStream{"Empty", QByteArray(), "buffer error"},
                      BadStream{"Truncated", test::Compress(QByteArray(4000, 'x')).left(6), "buffer error"},
                      BadStream{"NotZlib", QByteArray("[Maze]\r\npacman\r\n"), "incorrect header check"}),
    test::CaseName());

} // namespace
} // namespace quarvel
