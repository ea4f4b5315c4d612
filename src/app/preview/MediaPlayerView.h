#pragma once

#include <QWidget>

class QAudioOutput;
class QMediaPlayer;
class QSlider;
class QToolButton;

namespace tollenvane {

// A video or a sound that starts playing as soon as it is shown, with a play/pause button and a
// position slider under it.
class MediaPlayerView final : public QWidget {
    Q_OBJECT

public:
    enum class Picture { video, sound };

    explicit MediaPlayerView(Picture picture, QWidget* parent = nullptr);
    ~MediaPlayerView() override;

    // Starts playing at once. A file that cannot be played may fail before this returns.
    void open(const QString& path);

    QMediaPlayer& player() const { return *player_; }

signals:
    // The file turned out not to be playable.
    void failed();

private:
    void showPlaying(bool playing);

    QMediaPlayer* player_;
    QAudioOutput* output_;
    QToolButton* playPause_;
    QSlider* position_;
};

} // namespace tollenvane
