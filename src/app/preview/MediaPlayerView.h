#pragma once

#include <QMediaPlayer>
#include <QWidget>

class QAudioOutput;
class QSlider;
class QTimer;
class QToolButton;

namespace tollenvane {

// A video or a sound that starts playing as soon as it is shown, with a play/pause button and a
// position slider under it. A file that offers nothing to play, or that the player has not
// opened within its deadline, is reported as failed: some players never say so themselves.
class MediaPlayerView final : public QWidget {
    Q_OBJECT

public:
    enum class Picture { video, sound };

    // By then a file that plays has played this much. A stream the backend cannot decode may
    // still creep forward a millisecond at a time.
    static constexpr int startDeadlineMs = 5000;
    static constexpr qint64 startedPositionMs = 200;

    explicit MediaPlayerView(Picture picture, QWidget* parent = nullptr);
    ~MediaPlayerView() override;

    // Starts playing at once. A file that cannot be played may fail before this returns.
    void open(const QString& path);

    QMediaPlayer& player() const { return *player_; }

signals:
    // The file turned out not to be playable. Said once.
    void failed();

private:
    void showPlaying(bool playing);
    // True once the player has opened the file and found a stream to play.
    bool opened() const;
    void checkStarted(QMediaPlayer::MediaStatus status);
    void fail();

    QMediaPlayer* player_;
    QAudioOutput* output_;
    QToolButton* playPause_;
    QSlider* position_;
    QTimer* startDeadline_;
    bool failed_ = false;
};

} // namespace tollenvane
