#include "app/HandlerGuard.h"

#include "reporting/Prompts.h"
#include "util/QuarvelError.h"

#include <exception>

namespace quarvel {

void HandlerGuard::Run(const std::function<void()>& handler) const
{
    try {
        handler();
    } catch (const QuarvelError& error) {
        prompts_.ShowError(error.Message());
    } catch (const std::exception& error) {
        prompts_.ShowError(QString::fromLocal8Bit(error.what()));
    }
}

} // namespace quarvel
