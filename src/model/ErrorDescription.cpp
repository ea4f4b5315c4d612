#include "model/ErrorDescription.h"

namespace tollenvane {

std::string errorDescription(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& caught) {
        return errorDescription(caught);
    } catch (...) {
        return "unknown error";
    }
}

} // namespace tollenvane
