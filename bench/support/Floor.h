#pragma once

#include <QFile>
#include <QString>

#include <cstring>
#include <memory>

namespace quarvel::bench {

// Written with every result so the compiler cannot drop the work that made it.
inline volatile qint64 keptResult = 0;

inline void Keep(qint64 value)
{
    keptResult = value;
}

// The least any reader of the file must do: read it into a buffer it has not touched yet
// (so the page faults count, as they do for every real reader) and look at every byte once.
// Returns where the first NUL lies, or the size when there is none, as text has none.
inline qint64 ReadAndScanOnce(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const qint64 size = file.size();
    const std::unique_ptr<char[]> buffer(new char[std::size_t(size)]);
    const qint64 read = file.read(buffer.get(), size);
    if (read <= 0)
        return read;
    const void* nul = std::memchr(buffer.get(), '\0', std::size_t(read));
    return nul ? static_cast<const char*>(nul) - buffer.get() : read;
}

inline void ReadAndScan(const QString& path)
{
    Keep(ReadAndScanOnce(path));
}

} // namespace quarvel::bench
