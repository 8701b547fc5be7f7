#pragma once

#include <QByteArray>
#include <QFile>

namespace quarvel::bench {

// The process's peak resident memory (VmHWM) in KiB, or -1 where the platform does not say.
inline long PeakResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace quarvel::bench
