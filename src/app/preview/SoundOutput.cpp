#include "app/preview/SoundOutput.h"

#include "app/design/LocalizedText.h"
#include "app/design/TextBlock.h"

#include <QAudioDevice>
#include <QMediaDevices>

namespace tollenvane {

bool soundOutputExists()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

TextBlock* noSoundOutputNotice()
{
    auto* notice =
        new TextBlock(localized("Aucune sortie audio n’est disponible sur cet ordinateur."));
    notice->setObjectName(QStringLiteral("noSoundOutput"));
    return notice;
}

} // namespace tollenvane
