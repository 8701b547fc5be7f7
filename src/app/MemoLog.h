#pragma once

#include "reporting/LogSink.h"

class QPlainTextEdit;

namespace quarvel {

// The log as the lines of the window's memo.
class MemoLog : public LogSink {
public:
    explicit MemoLog(QPlainTextEdit* memo)
        : memo_(memo)
    {
    }

    void AppendLine(const QString& line) override;

private:
    QPlainTextEdit* memo_;
};

} // namespace quarvel
