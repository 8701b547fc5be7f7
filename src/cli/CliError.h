#pragma once

#include <QString>

namespace quarvel {

// Ends a command-line run with an exit status and the one line that explains it.
class CliError {
public:
    static constexpr int BadInputStatus = 2;

    explicit CliError(QString message, int status = BadInputStatus)
        : message_(std::move(message))
        , status_(status)
    {
    }

    const QString& Message() const { return message_; }
    int Status() const { return status_; }

private:
    QString message_;
    int status_;
};

} // namespace quarvel
