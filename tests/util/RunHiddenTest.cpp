#include "support/RecordingSinks.h"
#include "support/TestFiles.h"
#include "reporting/EventPump.h"
#include "util/QuarvelError.h"
#include "util/RunHidden.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

using test::CountingPump;
using test::WriteExecutable;

TEST(RunHidden, WritesTheProgramsOutputAndPumpsWhileWaiting)
{
    QTemporaryDir folder;
    const QString program = WriteExecutable(folder.filePath(QStringLiteral("mame")),
                                        "[ \"$1\" = -listxml ] && [ $# -eq 1 ] || exit 3\n"
                                        "sleep 0.1\necho '<mame></mame>'\necho noise >&2\n");
    const QString output = folder.filePath(QStringLiteral("out.xml"));
    test::WriteFile(output, "old content that is replaced");
    CountingPump pump;
    RunHidden(program, {QStringLiteral("-listxml")}, output, pump);
    EXPECT_EQ(test::ReadFile(output), "<mame></mame>\n");
    EXPECT_GT(pump.calls, 0);
}

TEST(RunHidden, PathWithShellCharactersRunsOnlyThatProgram)
{
    QTemporaryDir root;
    const QString odd = root.filePath(QStringLiteral("it's a \"test\" & $(touch pwned); more"));
    ASSERT_TRUE(QDir().mkpath(odd));
    const QString program = WriteExecutable(odd + QStringLiteral("/mame & touch pwned"), "echo ran\n");
    const QString output = root.filePath(QStringLiteral("out.xml"));
    CountingPump pump;
    QDir::setCurrent(root.path());
    RunHidden(program, {QStringLiteral("-listxml")}, output, pump);
    EXPECT_EQ(test::ReadFile(output), "ran\n");
    EXPECT_FALSE(QFile::exists(root.filePath(QStringLiteral("pwned"))));
}

struct StartFailure {
    const char* name;
    const char* program; // relative to a temporary folder
    int code;
};

class RunHiddenStartFailure : public ::testing::TestWithParam<StartFailure> {};

TEST_P(RunHiddenStartFailure, RaisesTheSystemError)
{
    QTemporaryDir folder;
    test::WriteFile(folder.filePath(QStringLiteral("not-executable")), "#!/bin/sh\n");
    CountingPump pump;
    try {
        RunHidden(folder.filePath(QString::fromLatin1(GetParam().program)), {QStringLiteral("-listxml")},
                  folder.filePath(QStringLiteral("out.xml")), pump);
        FAIL() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_TRUE(error.Message().startsWith(QStringLiteral("System Error.  Code: %1.\r\n").arg(GetParam().code)))
            << error.Message().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, RunHiddenStartFailure,
                         ::testing::Values(StartFailure{"Missing", "missing-mame", ENOENT},
                                           StartFailure{"NotExecutable", "not-executable", EACCES}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace quarvel
