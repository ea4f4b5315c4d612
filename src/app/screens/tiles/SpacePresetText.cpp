#include "app/screens/tiles/SpacePresetText.h"

#include "app/design/LocalizedText.h"
#include "core/localisation/Localization.h"

namespace tollenvane {

namespace {

struct PresetTexts {
    const char* title;
    const char* explanation;
};

PresetTexts texts(SpacePreset preset)
{
    switch (preset) {
    case SpacePreset::large:
        return {"Très gros fichiers", "Plus de 1 Go, les plus gros d’abord"};
    case SpacePreset::oldVideos:
        return {"Anciennes vidéos", "Vidéos de plus de 6 mois"};
    case SpacePreset::downloads:
        return {"Téléchargements oubliés", "Dans Téléchargements, depuis plus de 30 jours"};
    case SpacePreset::archives:
        return {"Archives lourdes", "Archives de plus de 100 Mo, depuis 30 jours"};
    case SpacePreset::screenshots:
        return {"Captures d’écran", "Captures de plus de 30 jours"};
    case SpacePreset::creator:
        return {"Vidéos volumineuses", "Vidéos de plus de 500 Mo : exports et médias à examiner"};
    }
    return {"", ""};
}

} // namespace

QString presetTitle(SpacePreset preset)
{
    return localized(texts(preset).title);
}

QString presetExplanation(SpacePreset preset)
{
    return localized(texts(preset).explanation);
}

} // namespace tollenvane
