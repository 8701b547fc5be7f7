#include "cli/CliProcess.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

namespace quarvel::test {

CliResult RunCli(const QString& folder, const QStringList& arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(QUARVEL_CLI_PATH), arguments);
    EXPECT_TRUE(process.waitForFinished(-1)) << process.errorString().toStdString();
    CliResult result;
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void WriteCollection(const QString& folder)
{
    const QDir dir(folder);
    WriteFile(dir.filePath(QStringLiteral("list.xml")),
              "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n"
              "<machine name=\"pacman\"><description>Pac-Man &amp; Co\t\xC3\xA9t\xC3\xA9</description>"
              "<year>1980</year><manufacturer>Namco</manufacturer></machine>\n"
              "<machine name=\"puckman\" cloneof=\"pacman\"><description>Puck \"Man\"</description>"
              "<year>1980</year><manufacturer>Namco</manufacturer></machine>\n"
              "<machine name=\"galaga\"><description>Galaga</description><year>1981</year></machine>\n"
              "<machine name=\"mystery\"><description>Mystery</description></machine>\n"
              "</mame>\n");
    WriteFile(dir.filePath(QStringLiteral("empty.xml")), "<?xml version=\"1.0\"?>\n<mame build=\"0.251\">\n</mame>\n");
    WriteFile(dir.filePath(QStringLiteral("cats.ini")),
              "[Maze / Collect]\r\npacman\r\npuckman\r\n[Shooter / Gallery]\r\ngalaga\r\n");
    WriteFile(dir.filePath(QStringLiteral("roms/pacman.7z")), "12345");
    WriteFile(dir.filePath(QStringLiteral("roms/puckman.7z")), "123");
    WriteFile(dir.filePath(QStringLiteral("roms/galaga.zip")), QByteArray(2048, 'g'));
    ASSERT_TRUE(dir.mkpath(QStringLiteral("out")));
}

} // namespace quarvel::test
