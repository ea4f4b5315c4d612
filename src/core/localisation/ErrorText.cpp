#include "core/localisation/ErrorText.h"

#include "core/localisation/Localization.h"

namespace tollenvane {

std::string errorDescription(const FileError& error)
{
    return Localization::text(error.messageKey());
}

} // namespace tollenvane
