#include "core/applications/AppDataCategory.h"

#include "core/base/RawValues.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

namespace {

constexpr RawValues<AppDataCategory, 4> raws{{{
    {AppDataCategory::cache, "cache"},
    {AppDataCategory::logs, "logs"},
    {AppDataCategory::preferences, "preferences"},
    {AppDataCategory::support, "support"},
}}};

constexpr RawValues<AppDataCategory, 4> labelKeys{{{
    {AppDataCategory::cache, "Caches"},
    {AppDataCategory::logs, "Journaux"},
    {AppDataCategory::preferences, "Préférences"},
    {AppDataCategory::support, "Données de support"},
}}};

} // namespace

std::string_view rawValue(AppDataCategory category)
{
    return raws.raw(category);
}

std::string label(AppDataCategory category)
{
    return Localization::text(labelKeys.raw(category));
}

} // namespace tollenvane
