#pragma once

#include <QByteArray>
#include <QString>

namespace quarvel::test {

// Writes bytes to a file, creating missing folders; fails the test when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);
// Writes a shell script that only its owner may run, and returns its path.
QString WriteExecutable(const QString& path, const QByteArray& body);
// The zlib stream of the bytes, as the program embeds its category list.
QByteArray Compress(const QByteArray& bytes);
// A file of the shared real data beside the repository.
QString SharedDataPath(const QString& name);

} // namespace quarvel::test
