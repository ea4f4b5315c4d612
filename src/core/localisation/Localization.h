#pragma once

#include "core/localisation/AppLanguage.h"

#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tollenvane {

// Every text is written in French in the code; the French text is the key of its translations.
namespace Localization {

AppLanguage language();
void setLanguage(AppLanguage language);

// The ICU locale identifier of the resolved current language ("fr", "en", ...).
std::string localeIdentifier();

// The catalogue's keys.
const std::vector<std::string>& keys();

// The key itself for French; the catalogue's entry otherwise, or nothing.
std::optional<std::string> translation(std::string_view key, AppLanguage language);

// The text of `key` in the current language (the key itself when there is no translation), its
// "{N}" placeholders filled with values[N]; a placeholder out of range stays as written.
std::string text(std::string_view key, const std::vector<std::string>& values = {});

// How a value fills a placeholder: a string unchanged, a number in plain decimal.
inline std::string describe(std::string value) { return value; }
inline std::string describe(std::string_view value) { return std::string(value); }
inline std::string describe(const char* value) { return value; }
template <std::integral T>
    requires(!std::same_as<T, bool> && !std::same_as<T, char>)
std::string describe(T value)
{
    return std::to_string(value);
}
std::string describe(double value);

} // namespace Localization

// Shorthand: L("{0} fichiers", 3).
template <class... Values>
std::string L(std::string_view key, Values&&... values)
{
    return Localization::text(key, {Localization::describe(std::forward<Values>(values))...});
}

} // namespace tollenvane
