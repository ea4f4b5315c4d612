#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tollenvane {

// What a piece of leftover application data is, by the folder it was found in.
enum class AppDataCategory { cache, logs, preferences, support };

inline constexpr std::array allAppDataCategories{AppDataCategory::cache, AppDataCategory::logs,
                                                 AppDataCategory::preferences,
                                                 AppDataCategory::support};

std::string_view rawValue(AppDataCategory category);
// The label in the current language.
std::string label(AppDataCategory category);

} // namespace tollenvane
