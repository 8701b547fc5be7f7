#include "ArchiveChecks.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace quarvel::test {

QByteArray ArchiveBytes(const QString& name, qsizetype size)
{
    std::mt19937 random(static_cast<std::mt19937::result_type>(qHash(name)));
    QByteArray bytes = name.toUtf8() + ':';
    bytes.reserve(size + 4);
    while (bytes.size() < size) {
        const auto word = static_cast<std::uint32_t>(random());
        bytes.append(reinterpret_cast<const char*>(&word), sizeof word);
    }
    bytes.truncate(size);
    return bytes;
}

void ExpectEachArchiveOnce(const QStringList& folders, const QList<QByteArray>& archives)
{
    QList<QByteArray> missing = archives;
    for (const QString& folder : folders) {
        const QFileInfoList entries = QDir(folder).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& entry : entries) {
            const qsizetype found = entry.isFile() ? missing.indexOf(ReadFile(entry.filePath())) : -1;
            if (found < 0)
                ADD_FAILURE() << "unexpected entry " << entry.filePath().toStdString() << " (" << entry.size()
                              << " bytes)";
            else
                missing.removeAt(found);
        }
    }
    for (const QByteArray& archive : missing)
        ADD_FAILURE() << "archive lost: " << archive.left(archive.indexOf(':')).toStdString() << " ("
                      << archive.size() << " bytes)";
}

QString ArchiveFoldersTest::Folder(const QString& name)
{
    const QString path = dir.filePath(name) + u'/';
    QDir().mkpath(path);
    return path;
}

} // namespace quarvel::test
