#pragma once

#include "util/QuarvelError.h"

namespace quarvel {

// Ends a GET that its caller called off, so the caller can tell it from a failure and stay quiet.
class HttpAborted : public QuarvelError {
public:
    HttpAborted()
        : QuarvelError(QStringLiteral("Request aborted"))
    {
    }
};

} // namespace quarvel
