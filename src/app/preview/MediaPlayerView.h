#pragma once

#include "core/base/UniqueFd.h"

#include <QMediaPlayer>
#include <QWidget>
#include <atomic>
#include <memory>

class QAudioOutput;
class QSlider;
class QTimer;
class QToolButton;

namespace tollenvane {

class WaveformView;

// A video or a sound that starts playing as soon as it is shown, with a play/pause button and a
// position slider under it. A file that offers nothing to play, or that the player has not
// opened within its deadline, is reported as failed: some players never say so themselves.
// Where there is no sound output, a sound is not played: the view says so and shows its
// waveform, which also tells a sound that cannot be decoded.
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

    // Starts playing the file open as `checked`, whatever its path leads to by now. A file that
    // cannot be played may fail before this returns.
    void open(std::shared_ptr<const UniqueFd> checked);

    QMediaPlayer& player() const { return *player_; }
    // Stops playing, and reading the bars of a sound with nowhere to be heard.
    void stop();

signals:
    // The file turned out not to be playable. Said once.
    void failed();

private:
    void showPlaying(bool playing);
    // True once the player has opened the file and found a stream to play.
    bool opened() const;
    void checkStarted(QMediaPlayer::MediaStatus status);
    void fail();
    // For a sound with nowhere to be heard: its bars, or the failure when it has none.
    void readWaveform();

    QMediaPlayer* player_;
    QAudioOutput* output_;
    QToolButton* playPause_;
    QSlider* position_;
    QTimer* startDeadline_;
    WaveformView* waveform_ = nullptr;
    std::shared_ptr<const UniqueFd> checked_;
    std::shared_ptr<std::atomic<bool>> abandoned_ = std::make_shared<std::atomic<bool>>(false);
    bool silenced_ = false;
    bool failed_ = false;
};

} // namespace tollenvane
