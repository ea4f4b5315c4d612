#pragma once

#include "core/localisation/AppLanguage.h"
#include "core/localisation/Catalogue.h"

#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tollenvane {

// Every text is written in French in the code; the French text is the key of its translations.
// Every member may be called from any thread.
namespace Localization {

// The language chosen by the user, initially `system`; guarded by a mutex of its own.
AppLanguage language();
void setLanguage(AppLanguage language);

// The language `system` stands for now: resolved against the user's preferred languages, which
// are read from the environment once, on first use, unless setPreferredLanguages replaced them.
AppLanguage systemLanguage();
// Replaces the preferred languages for the rest of the run (tests, and a model that must not
// depend on the machine's settings); nothing goes back to the environment's.
void setPreferredLanguages(std::optional<std::vector<std::string>> languages);

// The ICU locale identifier of the resolved current language ("fr", "en", ...).
std::string localeIdentifier();

// The compiled-in catalogue, decoded once on first use (empty when it cannot be decoded).
const Catalogue& catalogue();

// The catalogue's keys.
const std::vector<std::string>& keys();

// The key itself when `language` resolves to French; the catalogue's entry otherwise, or nothing.
std::optional<std::string> translation(std::string_view key, AppLanguage language);
std::optional<std::string> translation(const Catalogue& catalogue, std::string_view key,
                                       AppLanguage language);

// The text of `key` in the current language (the key itself when there is no translation), its
// "{N}" placeholders filled with values[N]; a placeholder out of range stays as written.
std::string text(std::string_view key, const std::vector<std::string>& values = {});
// The same in a given language, for a caller that must use one language for several texts.
std::string text(AppLanguage language, std::string_view key,
                 const std::vector<std::string>& values = {});
std::string text(const Catalogue& catalogue, AppLanguage language, std::string_view key,
                 const std::vector<std::string>& values = {});

// Fills every "{N}" of `text` (N one or more ASCII digits, "{00}" being index 0) with values[N].
// The placeholders are all found before any is filled, so a value is never scanned again; a
// number that does not fit in a signed 64-bit integer, or is not below values.size(), stays as
// written. "{-1}" and "{x}" are no placeholders.
std::string fillPlaceholders(std::string_view text, const std::vector<std::string>& values);

// How a value fills a placeholder: a string unchanged, a number in plain decimal.
inline std::string describe(std::string value)
{
    return value;
}
inline std::string describe(std::string_view value)
{
    return std::string(value);
}
inline std::string describe(const char* value)
{
    return value;
}
template <std::integral T>
requires(!std::same_as<T, bool> && !std::same_as<T, char>) std::string describe(T value)
{
    return std::to_string(value);
}
// The shortest text that reads back as the same double (std::to_chars): 3.0 gives "3", 0.1 gives
// "0.1", 1e21 gives "1e+21".
std::string describe(double value);

} // namespace Localization

// Shorthand: L("{0} fichiers", 3).
template <class... Values>
std::string L(std::string_view key, Values&&... values)
{
    return Localization::text(key, {Localization::describe(std::forward<Values>(values))...});
}

} // namespace tollenvane
