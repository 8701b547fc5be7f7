#include "support/NamedCases.h"
#include "support/RecordingSinks.h"
#include "support/TestFiles.h"
#include "reporting/EventPump.h"
#include "util/QuarvelError.h"
#include "util/RunHidden.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <stdexcept>

namespace quarvel {
namespace {

using test::PrintTo;

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

// A child that ends while the pump runs has its end handled inside the pump; waiting must
// still stop then.
TEST(RunHidden, EndsWhenTheChildFinishesInsideThePump)
{
    QTemporaryDir folder;
    const QString program = WriteExecutable(folder.filePath(QStringLiteral("mame")), "sleep 0.05\necho done\n");
    const QString output = folder.filePath(QStringLiteral("out.xml"));
    CountingPump pump;
    pump.onCall = [](int call) {
        if (call > 1000)
            throw std::runtime_error("still waiting long after the child ended");
        QThread::msleep(call == 1 ? 300 : 1);
        QCoreApplication::processEvents();
    };
    RunHidden(program, {QStringLiteral("-listxml")}, output, pump);
    EXPECT_EQ(test::ReadFile(output), "done\n");
}

TEST(RunHidden, RunsTheProgramExactlyAsNamed)
{
    QTemporaryDir folder;
    WriteExecutable(folder.filePath(QStringLiteral("mame")), "echo trimmed\n");
    const QString program = WriteExecutable(folder.filePath(QStringLiteral("mame ")), "echo as-named\n");
    const QString output = folder.filePath(QStringLiteral("out.xml"));
    CountingPump pump;
    RunHidden(program, {QStringLiteral("-listxml")}, output, pump);
    EXPECT_EQ(test::ReadFile(output), "as-named\n");
}

struct StartFailure {
    const char* name;
    const char* program; // relative to a temporary folder
    int code;
};

class RunHiddenStartFailure : public ::testing::TestWithParam<StartFailure> {};

TEST_P(RunHiddenStartFailure, RaisesTheSystemErrorAndKeepsTheEarlierOutput)
{
    QTemporaryDir folder;
    test::WriteFile(folder.filePath(QStringLiteral("not-executable")), "#!/bin/sh\n");
    const QString output = folder.filePath(QStringLiteral("tempmamelist.xml"));
    test::WriteFile(output, "<mame>the list the settings remember</mame>");
    CountingPump pump;
    try {
        RunHidden(folder.filePath(QString::fromLatin1(GetParam().program)), {QStringLiteral("-listxml")}, output,
                  pump);
        FAIL() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_TRUE(error.Message().startsWith(QStringLiteral("System Error.  Code: %1.\r\n").arg(GetParam().code)))
            << error.Message().toStdString();
    }
    EXPECT_EQ(test::ReadFile(output), "<mame>the list the settings remember</mame>");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"not-executable", "tempmamelist.xml"}));
}

INSTANTIATE_TEST_SUITE_P(Cases, RunHiddenStartFailure,
                         ::testing::Values(StartFailure{"Missing", "missing-mame", ENOENT},
                                           StartFailure{"NotExecutable", "not-executable", EACCES}),
                         test::CaseName());

struct CreateFailure {
    const char* name;
    const char* output; // relative to a temporary folder
    const char* reason;
};

class RunHiddenCreateFailure : public ::testing::TestWithParam<CreateFailure> {};

TEST_P(RunHiddenCreateFailure, NamesTheFileAndTheRealReasonWithoutRunningTheProgram)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("tempmamelist.xml")));
    const QString program =
        WriteExecutable(folder.filePath(QStringLiteral("mame")), "touch \"$(dirname \"$0\")/ran\"\n");
    const QString output = folder.filePath(QString::fromLatin1(GetParam().output));
    CountingPump pump;
    try {
        RunHidden(program, {QStringLiteral("-listxml")}, output, pump);
        FAIL() << "no error";
    } catch (const QuarvelError& error) {
        EXPECT_EQ(error.Message(),
                  QStringLiteral("Cannot create file \"%1\". %2").arg(output, QString::fromLatin1(GetParam().reason)));
    }
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("ran"))));
}

INSTANTIATE_TEST_SUITE_P(Cases, RunHiddenCreateFailure,
                         ::testing::Values(CreateFailure{"FolderOfThatName", "tempmamelist.xml", "Is a directory"},
                                           CreateFailure{"MissingFolder", "no/such/folder/tempmamelist.xml",
                                                         "No such file or directory"}),
                         test::CaseName());

} // namespace
} // namespace quarvel
