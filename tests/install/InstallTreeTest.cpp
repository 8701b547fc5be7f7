#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel {
namespace {

QByteArray RunToEnd(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(-1)) << process.errorString().toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return process.readAll();
}

TEST(InstallTree, PutsBothProgramsTheMenuEntryAndTheIconWhereTheDesktopLooks)
{
    QTemporaryDir prefix;
    RunToEnd(QStringLiteral(QUARVEL_CMAKE_COMMAND),
        {"--install", QStringLiteral(QUARVEL_BUILD_DIR), "--prefix", prefix.path()});

    for (const char* path : {"bin/quarvel", "bin/quarvel-cli"})
        EXPECT_TRUE(QFileInfo(prefix.filePath(QString::fromLatin1(path))).isExecutable()) << path;
    for (const char* path : {"share/applications/quarvel.desktop", "share/icons/hicolor/scalable/apps/quarvel.svg"})
        EXPECT_TRUE(QFileInfo(prefix.filePath(QString::fromLatin1(path))).isFile()) << path;
    EXPECT_TRUE(RunToEnd(prefix.filePath(QStringLiteral("bin/quarvel-cli")), {"--version"}).startsWith("quarvel-cli "));
}

} // namespace
} // namespace quarvel
