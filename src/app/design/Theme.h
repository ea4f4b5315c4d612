#pragma once

#include <QColor>
#include <cstdint>

namespace tollenvane {

// Whether the window is drawn dark or light; every adaptive colour follows it at paint time.
enum class ColorScheme { dark, light };

// A colour token: an adaptive one holds a dark and a light 0xRRGGBB value, a fixed one the
// same value twice.
struct ThemeColor {
    std::uint32_t dark = 0;
    std::uint32_t light = 0;

    QColor resolved(ColorScheme scheme) const;
};

// The one place where the application's colours are defined.
namespace Theme {

inline constexpr ThemeColor bg{0x11131B, 0xF3F5FA};
inline constexpr ThemeColor panel{0x1C1F2B, 0xFFFFFF};
inline constexpr ThemeColor sidebar{0x171923, 0xE9EDF5};
inline constexpr ThemeColor soft{0x282C3B, 0xEEF1F7};
inline constexpr ThemeColor text{0xF0F2FA, 0x222638};
inline constexpr ThemeColor muted{0xA4ADC1, 0x657087};
inline constexpr ThemeColor line{0x303545, 0xDFE4ED};
inline constexpr ThemeColor orange{0xFF9566, 0xBD481A};
// Fixed: (1.0, 0.55, 0.34) and (0.1, 0.08, 0.1) in 8-bit form.
inline constexpr ThemeColor accent{0xFF8C57, 0xFF8C57};
inline constexpr ThemeColor ink{0x1A141A, 0x1A141A};

// The scheme in force for the whole application: light until an appearance is applied. Read and
// set on the main thread; only the one place that applies the appearance sets it.
ColorScheme currentScheme();
void setCurrentScheme(ColorScheme scheme);
// The token in the scheme in force, for painting code.
QColor color(const ThemeColor& token);
// The same colour at an opacity between 0 and 1.
QColor withAlpha(QColor color, qreal alpha);

} // namespace Theme
} // namespace tollenvane
