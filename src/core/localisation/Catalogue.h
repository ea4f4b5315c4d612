#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tollenvane {

// The translations of the French texts: for each French text (the key), its text in each
// language code ("en", "es", "de", "it").
class Catalogue {
public:
    Catalogue() = default;

    // Decodes a JSON object whose values are objects of strings, such as
    // {"1 fichier": {"en": "1 file", "de": "1 Datei"}}. Any other text, or any value of another
    // shape, gives an empty catalogue: a broken catalogue shows the French texts, never fails.
    static Catalogue parse(std::string_view json);

    // The text of `key` in the language `code`, when the catalogue has one.
    std::optional<std::string_view> lookup(std::string_view key, std::string_view code) const;

    // Every key, in byte order.
    const std::vector<std::string>& keys() const { return keys_; }
    bool empty() const { return keys_.empty(); }

private:
    using Translations = std::vector<std::pair<std::string, std::string>>; // code, text

    std::vector<std::string> keys_;          // sorted and unique
    std::vector<Translations> translations_; // translations_[i] belongs to keys_[i]
};

} // namespace tollenvane
