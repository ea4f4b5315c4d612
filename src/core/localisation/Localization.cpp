#include "core/localisation/Localization.h"

#include "core/localisation/EmbeddedCatalogue.h"
#include "core/platform/PreferredLanguages.h"

#include <atomic>
#include <charconv>
#include <limits>
#include <memory>
#include <mutex>

namespace tollenvane::Localization {

namespace {

std::mutex languageMutex;
AppLanguage selected = AppLanguage::system; // guarded by languageMutex

using LanguageList = std::vector<std::string>;
std::atomic<std::shared_ptr<const LanguageList>> preferredOverride;

const LanguageList& environmentLanguages()
{
    static const LanguageList languages = preferredLanguages();
    return languages;
}

// The index a placeholder's digits name, or nothing when it overflows a signed 64-bit integer.
std::optional<std::int64_t> placeholderIndex(std::string_view digits)
{
    std::int64_t index = 0;
    for (const char digit : digits) {
        const int value = digit - '0';
        if (index > (std::numeric_limits<std::int64_t>::max() - value) / 10) {
            return std::nullopt;
        }
        index = index * 10 + value;
    }
    return index;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

AppLanguage language()
{
    const std::lock_guard lock(languageMutex);
    return selected;
}

void setLanguage(AppLanguage language)
{
    const std::lock_guard lock(languageMutex);
    selected = language;
}

AppLanguage systemLanguage()
{
    const auto replaced = preferredOverride.load();
    return resolved(AppLanguage::system, replaced ? *replaced : environmentLanguages());
}

void setPreferredLanguages(std::optional<std::vector<std::string>> languages)
{
    preferredOverride.store(languages ? std::make_shared<const LanguageList>(std::move(*languages))
                                      : nullptr);
}

std::string localeIdentifier()
{
    return std::string(rawValue(resolved(language())));
}

const Catalogue& catalogue()
{
    static const Catalogue decoded = Catalogue::parse(embeddedCatalogue());
    return decoded;
}

const std::vector<std::string>& keys()
{
    return catalogue().keys();
}

std::optional<std::string> translation(std::string_view key, AppLanguage language)
{
    return translation(catalogue(), key, language);
}

std::optional<std::string> translation(const Catalogue& catalogue, std::string_view key,
                                       AppLanguage language)
{
    const AppLanguage target = resolved(language);
    if (target == AppLanguage::fr) {
        return std::string(key);
    }
    if (const auto text = catalogue.lookup(key, rawValue(target))) {
        return std::string(*text);
    }
    return std::nullopt;
}

std::string text(std::string_view key, const std::vector<std::string>& values)
{
    return text(catalogue(), language(), key, values);
}

std::string text(AppLanguage language, std::string_view key, const std::vector<std::string>& values)
{
    return text(catalogue(), language, key, values);
}

std::string text(const Catalogue& catalogue, AppLanguage language, std::string_view key,
                 const std::vector<std::string>& values)
{
    const AppLanguage target = resolved(language);
    std::string_view pattern = key;
    if (target != AppLanguage::fr) {
        pattern = catalogue.lookup(key, rawValue(target)).value_or(key);
    }
    return fillPlaceholders(pattern, values);
}

std::string fillPlaceholders(std::string_view text, const std::vector<std::string>& values)
{
    // One pass from left to right gives what finding every match first and filling them from
    // the last to the first gives: the output is built apart from `text`, so nothing is rescanned.
    std::string result;
    result.reserve(text.size());
    std::size_t copied = 0;
    std::size_t open = text.find('{');
    while (open != std::string_view::npos) {
        std::size_t end = open + 1;
        while (end < text.size() && isDigit(text[end])) {
            ++end;
        }
        if (end == open + 1 || end == text.size() || text[end] != '}') {
            open = text.find('{', open + 1);
            continue;
        }
        const auto index = placeholderIndex(text.substr(open + 1, end - open - 1));
        if (index && static_cast<std::uint64_t>(*index) < values.size()) {
            result.append(text, copied, open - copied);
            result += values[static_cast<std::size_t>(*index)];
            copied = end + 1;
        }
        open = text.find('{', end + 1);
    }
    result.append(text, copied);
    return result;
}

std::string describe(double value)
{
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, error == std::errc() ? end : buffer);
}

} // namespace tollenvane::Localization
