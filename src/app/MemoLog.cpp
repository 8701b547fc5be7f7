#include "app/MemoLog.h"

#include <QPlainTextEdit>

namespace quarvel {

void MemoLog::AppendLine(const QString& line)
{
    memo_->appendPlainText(line);
    if (echo_)
        echo_(line);
}

} // namespace quarvel
