#pragma once

#include <QString>

#include <string>

namespace quarvel::test {

// A tmpfs mounted on a folder for the life of the object, where this process may mount one (root, or
// CAP_SYS_ADMIN); tests that need another file system skip with SkipReason() where it may not.
class ScopedTmpfs {
public:
    // size as mount takes it ("1m"); the folder is made first.
    ScopedTmpfs(const QString& folder, const QString& size, bool readOnly = false);
    ~ScopedTmpfs();
    ScopedTmpfs(const ScopedTmpfs&) = delete;
    ScopedTmpfs& operator=(const ScopedTmpfs&) = delete;

    bool IsMounted() const { return mounted_; }
    std::string SkipReason() const;

private:
    QString folder_;
    bool mounted_ = false;
    int error_ = 0;
};

} // namespace quarvel::test
