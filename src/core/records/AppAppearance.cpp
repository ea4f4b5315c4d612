#include "core/records/AppAppearance.h"

#include "core/base/RawValues.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

namespace {

constexpr RawValues<AppAppearance, 3> raws{{{
    {AppAppearance::dark, "dark"},
    {AppAppearance::light, "light"},
    {AppAppearance::system, "system"},
}}};

constexpr RawValues<AppAppearance, 3> labelKeys{{{
    {AppAppearance::dark, "Sombre"},
    {AppAppearance::light, "Clair"},
    {AppAppearance::system, "Automatique"},
}}};

} // namespace

std::string_view rawValue(AppAppearance appearance)
{
    return raws.raw(appearance);
}

std::optional<AppAppearance> appAppearanceFromRaw(std::string_view raw)
{
    return raws.parse(raw);
}

std::string label(AppAppearance appearance)
{
    return Localization::text(labelKeys.raw(appearance));
}

} // namespace tollenvane
