#include "util/QuarvelError.h"

namespace quarvel {

QuarvelError::QuarvelError(const QString& message)
    : std::runtime_error(message.toStdString())
    , message_(message)
{
}

} // namespace quarvel
