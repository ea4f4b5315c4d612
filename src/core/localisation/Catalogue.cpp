#include "core/localisation/Catalogue.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace tollenvane {

Catalogue Catalogue::parse(std::string_view json)
{
    // Object keys come out of nlohmann::json in byte order, so keys_ is sorted as it is filled.
    const auto document = nlohmann::json::parse(json, nullptr, /*allow_exceptions=*/false);
    if (!document.is_object()) {
        return {};
    }
    Catalogue catalogue;
    catalogue.keys_.reserve(document.size());
    catalogue.translations_.reserve(document.size());
    for (const auto& [key, entry] : document.items()) {
        if (!entry.is_object()) {
            return {};
        }
        Translations translations;
        translations.reserve(entry.size());
        for (const auto& [code, text] : entry.items()) {
            if (!text.is_string()) {
                return {};
            }
            translations.emplace_back(code, text.get<std::string>());
        }
        catalogue.keys_.push_back(key);
        catalogue.translations_.push_back(std::move(translations));
    }
    return catalogue;
}

std::optional<std::string_view> Catalogue::lookup(std::string_view key, std::string_view code) const
{
    const auto found = std::lower_bound(keys_.begin(), keys_.end(), key);
    if (found == keys_.end() || *found != key) {
        return std::nullopt;
    }
    const auto index = static_cast<std::size_t>(found - keys_.begin());
    for (const auto& [entryCode, text] : translations_[index]) {
        if (entryCode == code) {
            return text;
        }
    }
    return std::nullopt;
}

} // namespace tollenvane
