#include "model/sound/QtSoundPlayer.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QString>
#include <QUrl>

namespace tollenvane {

namespace {

class EffectSound final : public Sound {
public:
    explicit EffectSound(const QUrl& source) { effect_.setSource(source); }

    void setVolume(float volume) override { effect_.setVolume(volume); }

    void play() override
    {
        // Decoding happens in the background: a file that fails to decode stays silent, and so
        // does a machine whose audio output went away.
        if (effect_.status() == QSoundEffect::Error || QMediaDevices::audioOutputs().isEmpty()) {
            return;
        }
        effect_.play();
    }

    void stop() override { effect_.stop(); }

private:
    QSoundEffect effect_;
};

} // namespace

std::unique_ptr<Sound> QtSoundPlayer::load(std::string_view resourceName)
{
    const QString path =
        QStringLiteral(":/sounds/") +
        QString::fromUtf8(resourceName.data(), static_cast<qsizetype>(resourceName.size())) +
        QStringLiteral(".wav");
    if (!QFile::exists(path)) {
        return nullptr;
    }
    return std::make_unique<EffectSound>(QUrl(QStringLiteral("qrc") + path));
}

} // namespace tollenvane
