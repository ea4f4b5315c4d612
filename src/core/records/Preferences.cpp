#include "core/records/Preferences.h"

#include <algorithm>
#include <cmath>

namespace tollenvane {

namespace {

double clampedVolume(double volume)
{
    return std::isnan(volume) ? 0.0 : std::clamp(volume, 0.0, 1.0);
}

} // namespace

Json Preferences::toJson() const
{
    Json json;
    json["sounds"] = sounds;
    json["animations"] = animations;
    json["confirmTrash"] = confirmTrash;
    json["showHidden"] = showHidden;
    json["minimumSize"] = minimumSize;
    json["onboardingComplete"] = onboardingComplete;
    json["language"] = rawValue(language);
    json["interactionVersion"] = interactionVersion;
    json["appearance"] = rawValue(appearance);
    json["soundVolume"] = soundVolume;
    return json;
}

Preferences Preferences::fromJson(const Json& json)
{
    json::requireObject(json, "preferences");
    Preferences preferences;
    preferences.sounds = json::optionalBoolean(json, "sounds").value_or(false);
    preferences.animations = json::optionalBoolean(json, "animations").value_or(true);
    preferences.showHidden = json::optionalBoolean(json, "showHidden").value_or(false);
    preferences.minimumSize =
        std::max(json::optionalInt64(json, "minimumSize").value_or(0), std::int64_t{0});
    preferences.onboardingComplete =
        json::optionalBoolean(json, "onboardingComplete").value_or(false);
    preferences.language =
        json::optionalParsed(json, "language", appLanguageFromRaw).value_or(AppLanguage::system);
    preferences.appearance = json::optionalParsed(json, "appearance", appAppearanceFromRaw)
                                 .value_or(AppAppearance::dark);
    preferences.soundVolume =
        clampedVolume(json::optionalNumber(json, "soundVolume").value_or(0.45));
    const auto storedVersion = json::optionalInt64(json, "interactionVersion");
    if (storedVersion && *storedVersion >= currentInteractionVersion) {
        preferences.confirmTrash = json::optionalBoolean(json, "confirmTrash").value_or(false);
    }
    preferences.interactionVersion = currentInteractionVersion;
    return preferences;
}

} // namespace tollenvane
