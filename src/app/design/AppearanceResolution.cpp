#include "app/design/AppearanceResolution.h"

namespace tollenvane {

namespace {

constexpr std::uint32_t portalPrefersDark = 1;
constexpr std::uint32_t portalPrefersLight = 2;

} // namespace

ColorScheme resolveColorScheme(AppAppearance preference, const SystemAppearance& system)
{
    switch (preference) {
    case AppAppearance::dark:
        return ColorScheme::dark;
    case AppAppearance::light:
        return ColorScheme::light;
    case AppAppearance::system:
        break;
    }
    if (system.portalColorScheme == portalPrefersDark) {
        return ColorScheme::dark;
    }
    if (system.portalColorScheme == portalPrefersLight) {
        return ColorScheme::light;
    }
    if (system.platformWindow.isValid() && system.platformWindow.lightnessF() < 0.5) {
        return ColorScheme::dark;
    }
    return ColorScheme::light;
}

} // namespace tollenvane
