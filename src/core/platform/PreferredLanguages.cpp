#include "core/platform/PreferredLanguages.h"

#include <cstdlib>
#include <string_view>

namespace tollenvane {

namespace {

// "fr_CA.UTF-8@euro" -> "fr_CA"; nothing for an entry that names no language.
std::optional<std::string> languageOf(std::string_view entry)
{
    entry = entry.substr(0, entry.find_first_of(".@"));
    if (entry.empty() || entry == "C" || entry == "POSIX") {
        return std::nullopt;
    }
    return std::string(entry);
}

} // namespace

std::vector<std::string> preferredLanguages(const EnvironmentLookup& lookup)
{
    std::vector<std::string> languages;
    if (const auto list = lookup("LANGUAGE")) {
        std::string_view rest = *list;
        while (!rest.empty()) {
            const auto colon = rest.find(':');
            if (auto language = languageOf(rest.substr(0, colon))) {
                languages.push_back(std::move(*language));
            }
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
    }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const auto value = lookup(variable);
        if (value && !value->empty()) {
            if (auto language = languageOf(*value)) {
                languages.push_back(std::move(*language));
            }
            break;
        }
    }
    return languages;
}

std::vector<std::string> preferredLanguages()
{
    return preferredLanguages([](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (value == nullptr) {
            return std::nullopt;
        }
        return std::string(value);
    });
}

} // namespace tollenvane
