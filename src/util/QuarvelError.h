#pragma once

#include <QString>

#include <stdexcept>

namespace quarvel {

// Every failure the user can meet carries the system's own text; handlers show Message().
class QuarvelError : public std::runtime_error {
public:
    explicit QuarvelError(const QString& message);

    QString Message() const { return message_; }

private:
    QString message_;
};

} // namespace quarvel
