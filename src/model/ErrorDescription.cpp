#include "model/ErrorDescription.h"

#include "core/base/FileError.h"
#include "core/localisation/ErrorText.h"

namespace tollenvane {

std::string errorDescription(const std::exception& error)
{
    if (const auto* refusal = dynamic_cast<const FileError*>(&error)) {
        return errorDescription(*refusal);
    }
    return error.what();
}

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
