#include "ReadOnlyFolder.h"

#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quarvel::test {

ReadOnlyFolder::ReadOnlyFolder(const QString& folder)
    : folder_(folder)
{
    if (geteuid() == 0)
        readOnly_ = SetImmutable(true);
    else
        readOnly_ = chmod(QFile::encodeName(folder).constData(), 0555) == 0;
    error_ = readOnly_ ? 0 : errno;
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (!readOnly_)
        return;
    if (geteuid() == 0)
        SetImmutable(false);
    else
        chmod(QFile::encodeName(folder_).constData(), 0755);
}

bool ReadOnlyFolder::SetImmutable(bool immutable)
{
    const int descriptor = open(QFile::encodeName(folder_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    int flags = 0;
    bool done = ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0;
    }
    const int error = errno;
    close(descriptor);
    errno = error;
    return done;
}

std::string ReadOnlyFolder::SkipReason() const
{
    return "cannot make " + folder_.toStdString() + " read-only (" + std::strerror(error_) + ")";
}

} // namespace quarvel::test
