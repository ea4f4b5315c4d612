#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tollenvane {

// The colour scheme of the window.
enum class AppAppearance { dark, light, system };

inline constexpr std::array allAppAppearances{AppAppearance::dark, AppAppearance::light,
                                              AppAppearance::system};

std::string_view rawValue(AppAppearance appearance);
std::optional<AppAppearance> appAppearanceFromRaw(std::string_view raw);
std::string label(AppAppearance appearance);

} // namespace tollenvane
