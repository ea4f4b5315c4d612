#include "app/design/Theme.h"

namespace tollenvane {

QColor ThemeColor::resolved(ColorScheme scheme) const
{
    const std::uint32_t value = scheme == ColorScheme::dark ? dark : light;
    return QColor::fromRgb(static_cast<int>(value >> 16), static_cast<int>((value >> 8) & 0xFF),
                           static_cast<int>(value & 0xFF));
}

namespace {

ColorScheme schemeInForce = ColorScheme::light;

} // namespace

ColorScheme Theme::currentScheme()
{
    return schemeInForce;
}

void Theme::setCurrentScheme(ColorScheme scheme)
{
    schemeInForce = scheme;
}

QColor Theme::color(const ThemeColor& token)
{
    return token.resolved(schemeInForce);
}

QColor Theme::withAlpha(QColor color, qreal alpha)
{
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

} // namespace tollenvane
