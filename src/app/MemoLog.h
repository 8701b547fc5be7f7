#pragma once

#include "reporting/LogSink.h"

#include <functional>

class QPlainTextEdit;

namespace quarvel {

// The log as the lines of the window's memo, each also given to echo when there is one.
class MemoLog : public LogSink {
public:
    explicit MemoLog(QPlainTextEdit* memo, std::function<void(const QString&)> echo = {})
        : memo_(memo)
        , echo_(std::move(echo))
    {
    }

    void AppendLine(const QString& line) override;

private:
    QPlainTextEdit* memo_;
    std::function<void(const QString&)> echo_;
};

} // namespace quarvel
