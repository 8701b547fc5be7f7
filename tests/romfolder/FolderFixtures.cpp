#include "FolderFixtures.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace quarvel::test {

void MakeFolder(const QString& path)
{
    ASSERT_TRUE(QDir().mkpath(path)) << path.toStdString();
}

void MakeFifo(const QString& path)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
}

void MakeSocket(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(std::size_t(encoded.size()), sizeof(address.sun_path)) << path.toStdString();
    std::memcpy(address.sun_path, encoded.constData(), std::size_t(encoded.size()));
    const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socketFd, 0);
    const int bound = bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    close(socketFd);
    ASSERT_EQ(bound, 0) << path.toStdString();
}

void MakeLink(const QString& target, const QString& link)
{
    ASSERT_EQ(symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()), 0)
        << link.toStdString();
}

void MakeMixedSourceFolder(const QString& source)
{
    WriteFile(source + QStringLiteral("galaga.7z"), "gala");
    WriteFile(source + QStringLiteral(".hidden.7z"), "hidden");
    MakeFifo(source + QStringLiteral("dkong.7z"));
    MakeSocket(source + QStringLiteral("mspacman.7z"));
    MakeFolder(source + QStringLiteral("pacman.7z"));
    WriteFile(source + QStringLiteral("sub/digdug.7z"), "dig");
    WriteFile(source + QStringLiteral("xevious.zip"), "xevious");
}

} // namespace quarvel::test
