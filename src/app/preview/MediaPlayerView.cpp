#include "app/preview/MediaPlayerView.h"

#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/design/Theme.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QHBoxLayout>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace tollenvane {

MediaPlayerView::MediaPlayerView(Picture picture, QWidget* parent)
    : QWidget(parent)
    , player_(new QMediaPlayer(this))
    , output_(new QAudioOutput(this))
    , playPause_(new QToolButton)
    , position_(new QSlider(Qt::Horizontal))
    , startDeadline_(new QTimer(this))
{
    playPause_->setObjectName(QStringLiteral("playPauseButton"));
    playPause_->setAutoRaise(true);
    playPause_->setIconSize({18, 18});
    position_->setObjectName(QStringLiteral("positionSlider"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 0, 16, 12);
    if (picture == Picture::video) {
        auto* video = new QVideoWidget;
        player_->setVideoOutput(video);
        column->addWidget(video, 1);
    } else {
        column->addStretch();
        column->addWidget(new SymbolView(QStringLiteral("waveform"), 96, Theme::orange), 0,
                          Qt::AlignHCenter);
        column->addStretch();
    }
    auto* controls = new QHBoxLayout;
    controls->addWidget(playPause_);
    controls->addWidget(position_, 1);
    column->addLayout(controls);

    // Without a sound device the backend's renderer writes into a sink that never opened.
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        player_->setAudioOutput(output_);
    }
    connect(playPause_, &QToolButton::clicked, this, [this] {
        if (player_->playbackState() == QMediaPlayer::PlayingState) {
            player_->pause();
        } else {
            player_->play();
        }
    });
    connect(player_, &QMediaPlayer::playbackStateChanged, this,
            [this](QMediaPlayer::PlaybackState state) {
                showPlaying(state == QMediaPlayer::PlayingState);
            });
    connect(player_, &QMediaPlayer::durationChanged, this,
            [this](qint64 duration) { position_->setRange(0, static_cast<int>(duration)); });
    connect(player_, &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (!position_->isSliderDown()) {
            position_->setValue(static_cast<int>(position));
        }
    });
    connect(position_, &QSlider::sliderMoved, player_,
            [this](int position) { player_->setPosition(position); });
    connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error) {
        if (error == QMediaPlayer::ResourceError || error == QMediaPlayer::FormatError) {
            fail();
        }
    });
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, &MediaPlayerView::checkStarted);
    startDeadline_->setSingleShot(true);
    connect(startDeadline_, &QTimer::timeout, this, [this] {
        // Paused by the person, or played to its end: it did start.
        if (player_->playbackState() == QMediaPlayer::PlayingState &&
            (!opened() || player_->position() < startedPositionMs)) {
            fail();
        }
    });
    showPlaying(false);
}

void MediaPlayerView::open(const QString& path)
{
    startDeadline_->start(startDeadlineMs);
    player_->setSource(QUrl::fromLocalFile(path));
    player_->play();
}

bool MediaPlayerView::opened() const
{
    switch (player_->mediaStatus()) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::BufferedMedia:
    case QMediaPlayer::EndOfMedia:
        return player_->hasAudio() || player_->hasVideo();
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::LoadingMedia:
    case QMediaPlayer::StalledMedia:
    case QMediaPlayer::InvalidMedia:
        break;
    }
    return false;
}

void MediaPlayerView::checkStarted(QMediaPlayer::MediaStatus status)
{
    if (status == QMediaPlayer::InvalidMedia ||
        (status == QMediaPlayer::LoadedMedia && !opened())) {
        fail();
    }
}

void MediaPlayerView::fail()
{
    startDeadline_->stop();
    if (!failed_) {
        failed_ = true;
        player_->stop();
        emit failed();
    }
}

MediaPlayerView::~MediaPlayerView()
{
    player_->stop();
}

void MediaPlayerView::showPlaying(bool playing)
{
    playPause_->setIcon(Symbol::icon(playing ? "pause" : "play.fill", Theme::color(Theme::text)));
}

} // namespace tollenvane
