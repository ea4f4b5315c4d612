#include "app/design/LocalizedText.h"

#include "core/localisation/Localization.h"

namespace tollenvane {

QString localized(std::string_view key, const std::vector<std::string>& values)
{
    return QString::fromStdString(Localization::text(key, values));
}

} // namespace tollenvane
