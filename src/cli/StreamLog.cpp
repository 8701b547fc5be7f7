#include "cli/StreamLog.h"

namespace quarvel {

void StreamLog::AppendLine(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream_);
    std::fflush(stream_);
}

} // namespace quarvel
