#pragma once

#include <QVariant>
#include <cstdint>
#include <optional>

namespace tollenvane::AppearancePortal {

// The desktop settings portal's colour-scheme, asked over the session bus with a short
// timeout; none without a bus, a portal or an answer in time.
std::optional<std::uint32_t> readColorScheme();

// The colour-scheme inside a portal reply, which nests the number in one or two variants.
std::optional<std::uint32_t> colorSchemeFromReply(const QVariant& reply);

inline constexpr char service[] = "org.freedesktop.portal.Desktop";
inline constexpr char path[] = "/org/freedesktop/portal/desktop";
inline constexpr char interface[] = "org.freedesktop.portal.Settings";
inline constexpr char group[] = "org.freedesktop.appearance";
inline constexpr char key[] = "color-scheme";

} // namespace tollenvane::AppearancePortal
