#include "support/TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

namespace quarvel {
namespace {

// Far more error lines than a pipe holds: the program blocks on its log until the test reads,
// so the interrupt lands in the middle of the walk however fast the machine is.
constexpr int Machines = 5000;

QString MachineName(int index)
{
    return QStringLiteral("machine%1").arg(index, 5, 10, QLatin1Char('0'));
}

// Every archive is a FIFO, which the copy refuses with one error line each.
void WriteUncopyableCollection(const QDir& folder)
{
    QByteArray list = "<mame>\n";
    ASSERT_TRUE(folder.mkpath(QStringLiteral("roms")) && folder.mkpath(QStringLiteral("out")));
    for (int i = 0; i < Machines; ++i) {
        list += "<machine name=\"" + MachineName(i).toLatin1() + "\"><description>M</description></machine>\n";
        const QString fifo = folder.filePath(QStringLiteral("roms/") + MachineName(i) + QStringLiteral(".7z"));
        ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    }
    test::WriteFile(folder.filePath(QStringLiteral("list.xml")), list + "</mame>\n");
}

TEST(CliInterrupt, StopsBetweenTwoArchivesAndPrintsTheFinalLine)
{
    QTemporaryDir folder;
    WriteUncopyableCollection(QDir(folder.path()));
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(QStringLiteral(QUARVEL_CLI_PATH),
                  {"originals", "copy", "--list", "list.xml", "--source", "roms", "--output", "out"});
    QByteArray out;
    // Once an archive has been reached, the run has one to report whenever it stops.
    while (!out.contains("Error: can't copy") && process.waitForReadyRead(-1))
        out += process.readAllStandardOutput();
    ASSERT_TRUE(out.startsWith("Copying originals..\nError: can't copy"));

    ASSERT_EQ(::kill(pid_t(process.processId()), SIGINT), 0);
    ASSERT_TRUE(process.waitForFinished(-1));
    out += process.readAllStandardOutput();

    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1); // the archives it reached all failed
    EXPECT_TRUE(out.endsWith("Operation cancelled.\nDone, 0 originals copied.\n")) << out.right(200).toStdString();
    EXPECT_LT(out.count("Error: can't copy"), Machines);
}

} // namespace
} // namespace quarvel
