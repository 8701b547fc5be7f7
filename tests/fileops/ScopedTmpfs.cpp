#include "ScopedTmpfs.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/mount.h>

namespace quarvel::test {

ScopedTmpfs::ScopedTmpfs(const QString& folder, const QString& size, bool readOnly)
    : folder_(folder)
{
    QDir().mkpath(folder);
    const QByteArray options = "size=" + size.toLatin1();
    const unsigned long flags = readOnly ? static_cast<unsigned long>(MS_RDONLY) : 0UL;
    mounted_ = mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", flags, options.constData()) == 0;
    error_ = mounted_ ? 0 : errno;
}

ScopedTmpfs::~ScopedTmpfs()
{
    if (mounted_)
        umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

std::string ScopedTmpfs::SkipReason() const
{
    return "cannot mount a tmpfs on " + folder_.toStdString() + " (" + std::strerror(error_)
           + "): another file system needs root or CAP_SYS_ADMIN";
}

} // namespace quarvel::test
