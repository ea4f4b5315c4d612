#include "core/localisation/AppLanguage.h"

#include "core/base/RawValues.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

namespace {

constexpr RawValues<AppLanguage, 6> raws{{{
    {AppLanguage::system, "system"},
    {AppLanguage::fr, "fr"},
    {AppLanguage::en, "en"},
    {AppLanguage::es, "es"},
    {AppLanguage::de, "de"},
    {AppLanguage::it, "it"},
}}};

} // namespace

std::string_view rawValue(AppLanguage language)
{
    return raws.raw(language);
}

std::optional<AppLanguage> appLanguageFromRaw(std::string_view raw)
{
    return raws.parse(raw);
}

std::string label(AppLanguage language)
{
    switch (language) {
    case AppLanguage::system:
        return Localization::text("Langue du système");
    case AppLanguage::fr:
        return "Français";
    case AppLanguage::en:
        return "English";
    case AppLanguage::es:
        return "Español";
    case AppLanguage::de:
        return "Deutsch";
    case AppLanguage::it:
        return "Italiano";
    }
    return {};
}

AppLanguage resolved(AppLanguage language)
{
    return language == AppLanguage::system ? Localization::systemLanguage() : language;
}

AppLanguage resolved(AppLanguage language, const std::vector<std::string>& preferredLanguages)
{
    if (language != AppLanguage::system) {
        return language;
    }
    for (const std::string& preferred : preferredLanguages) {
        const std::string_view prefix = std::string_view(preferred).substr(0, 2);
        for (const AppLanguage candidate : allAppLanguages) {
            if (candidate != AppLanguage::system && rawValue(candidate) == prefix) {
                return candidate;
            }
        }
    }
    return AppLanguage::en;
}

} // namespace tollenvane
