#pragma once

#include <QByteArray>
#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

#include <string>

namespace quarvel::test {

// Writes bytes to a file, creating missing folders; fails the test when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);
// Writes a shell script that only its owner may run, and returns its path.
QString WriteExecutable(const QString& path, const QByteArray& body);
// The zlib stream of the bytes, as the program embeds its category list.
QByteArray Compress(const QByteArray& bytes);
// A file of the shared real data beside the repository, which a clone of the repository alone
// lacks; tests that read one skip through QUARVEL_SKIP_WITHOUT_SHARED_DATA.
QString SharedDataPath(const QString& name);
std::string MissingSharedDataMessage(const QString& path);

} // namespace quarvel::test

// Declares path as the shared data file name, or skips the test with one clear message when it
// is absent.
#define QUARVEL_SKIP_WITHOUT_SHARED_DATA(path, name)                                                       \
    const QString path = ::quarvel::test::SharedDataPath(name);                                            \
    if (!QFileInfo::exists(path))                                                                          \
    GTEST_SKIP() << ::quarvel::test::MissingSharedDataMessage(path)
