#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

enum class AppLanguage { system, fr, en, es, de, it };

inline constexpr std::array allAppLanguages{AppLanguage::system, AppLanguage::fr, AppLanguage::en,
                                            AppLanguage::es,     AppLanguage::de, AppLanguage::it};

std::string_view rawValue(AppLanguage language);
std::optional<AppLanguage> appLanguageFromRaw(std::string_view raw);

// The native name of a language; for `system` the text of "Langue du système" in the current
// language.
std::string label(AppLanguage language);

// Never `system`: the first preferred language whose first two characters are fr, en, es, de
// or it exactly (so "fr_CA" gives fr and "pt_BR" is passed over), else en. The first form uses
// the user's preferred languages (Localization::systemLanguage).
AppLanguage resolved(AppLanguage language);
AppLanguage resolved(AppLanguage language, const std::vector<std::string>& preferredLanguages);

} // namespace tollenvane
