#include "model/AlertMessage.h"

#include "core/base/Uuid.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

AlertMessage AlertMessage::make(std::string_view titleKey, std::string message,
                                std::optional<std::string> name)
{
    return {uuid::make(), L(titleKey), std::move(message), std::move(name)};
}

} // namespace tollenvane
