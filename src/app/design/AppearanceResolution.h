#pragma once

#include "app/design/Theme.h"
#include "core/records/AppAppearance.h"

#include <QColor>
#include <cstdint>
#include <optional>

namespace tollenvane {

// What the desktop says about its own appearance, for the preference that follows it.
struct SystemAppearance {
    // The settings portal's colour-scheme: 0 no preference, 1 prefer dark, 2 prefer light;
    // none when the portal could not be asked.
    std::optional<std::uint32_t> portalColorScheme;
    // The window colour of the platform's own palette; invalid when unknown.
    QColor platformWindow;
};

// The scheme the window is drawn in: the preference itself when it names one; when it follows
// the system, the portal's explicit choice, else a dark platform window colour, else light.
ColorScheme resolveColorScheme(AppAppearance preference, const SystemAppearance& system);

} // namespace tollenvane
