#pragma once

#include <QString>

#include <string>

namespace quarvel::test {

// A folder that nobody may add entries to or remove entries from, for the life of the object. Permission
// bits do not stop root, so as root the folder is marked immutable instead (needs CAP_LINUX_IMMUTABLE and
// a file system that keeps the flag); tests skip with SkipReason() where neither works.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool IsReadOnly() const { return readOnly_; }
    std::string SkipReason() const;

private:
    bool SetImmutable(bool immutable);

    QString folder_;
    bool readOnly_ = false;
    int error_ = 0;
};

} // namespace quarvel::test
