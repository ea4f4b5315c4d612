#pragma once

#include "core/base/Json.h"
#include "core/localisation/AppLanguage.h"
#include "core/records/AppAppearance.h"

#include <cstdint>

namespace tollenvane {

// The user's settings. Reading is tolerant: whatever is missing takes its default.
struct Preferences {
    // The interaction model these settings belong to; older files lose their trash
    // confirmation, which meant something else before.
    static constexpr std::int64_t currentInteractionVersion = 2;

    bool sounds = false;
    bool animations = true;
    bool confirmTrash = false;
    bool showHidden = false;
    std::int64_t minimumSize = 0;
    bool onboardingComplete = false;
    AppLanguage language = AppLanguage::system;
    AppAppearance appearance = AppAppearance::dark;
    double soundVolume = 0.45;
    std::int64_t interactionVersion = currentInteractionVersion;

    Json toJson() const;
    // Every key optional, null counting as absent; a present value of the wrong type or an
    // unknown language or appearance throws DecodeError. A negative minimum size reads as 0
    // and the volume is clamped to 0...1.
    static Preferences fromJson(const Json& json);

    bool operator==(const Preferences&) const = default;
};

} // namespace tollenvane
