#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace quarvel::test {

// Bytes that belong to one archive alone, so it can be told from every other wherever it ends up.
QByteArray ArchiveBytes(const QString& name, qsizetype size = 64);

// Expects the folders to hold exactly these archives between them, each exactly once, and nothing else:
// no archive lost, doubled or cut short, and no temporary copy left behind.
void ExpectEachArchiveOnce(const QStringList& folders, const QList<QByteArray>& archives);

} // namespace quarvel::test
