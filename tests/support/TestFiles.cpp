#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>
#include <zlib.h>

namespace quarvel::test {

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return file.readAll();
}

QString WriteExecutable(const QString& path, const QByteArray& body)
{
    WriteFile(path, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

QByteArray Compress(const QByteArray& bytes)
{
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    QByteArray packed(static_cast<qsizetype>(size), Qt::Uninitialized);
    const int code = compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                               reinterpret_cast<const Bytef*>(bytes.constData()), static_cast<uLong>(bytes.size()), 9);
    EXPECT_EQ(code, Z_OK);
    packed.resize(static_cast<qsizetype>(size));
    return packed;
}

QString SharedDataPath(const QString& name)
{
    return QStringLiteral(QUARVEL_SHARED_DATA_DIR "/") + name;
}

std::string MissingSharedDataMessage(const QString& path)
{
    return "skipped: the shared data file " + path.toStdString()
           + " is absent (it lives beside the repository, in ../shared/data)";
}

} // namespace quarvel::test
