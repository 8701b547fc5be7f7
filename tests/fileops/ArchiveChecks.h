#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quarvel::test {

// Bytes that belong to one archive alone, so it can be told from every other wherever it ends up.
QByteArray ArchiveBytes(const QString& name, qsizetype size = 64);

// Expects the folders to hold exactly these archives between them, each exactly once, and nothing else:
// no archive lost, doubled or cut short, and no temporary copy left behind.
void ExpectEachArchiveOnce(const QStringList& folders, const QList<QByteArray>& archives);

// A test with a temporary folder of its own, in which it makes the folders archives live in.
class ArchiveFoldersTest : public ::testing::Test {
protected:
    // The folder name inside the temporary folder, made when missing, with its delimiter.
    QString Folder(const QString& name);

    QTemporaryDir dir;
};

} // namespace quarvel::test
