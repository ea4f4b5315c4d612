#include "app/preview/MediaPlayerView.h"

#include "app/decoding/BackgroundJob.h"
#include "app/decoding/RegularFile.h"
#include "app/design/DesignFont.h"
#include "app/design/ResultNotice.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/preview/AudioWaveform.h"
#include "app/preview/SoundOutput.h"
#include "app/preview/WaveformView.h"

#include <QAudioOutput>
#include <QHBoxLayout>
#include <QMediaPlayer>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace tollenvane {

namespace {

TextBlock* silencedNotice()
{
    TextBlock* notice = noSoundOutputNotice();
    notice->setFont(DesignFont::system(13));
    notice->setColor(Theme::muted);
    notice->setAlignment(Qt::AlignHCenter);
    return notice;
}

} // namespace

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

    // Without a sound device the backend's renderer writes into a sink that never opened, and a
    // sound would sit at its start.
    const bool canBeHeard = soundOutputExists();
    if (canBeHeard) {
        player_->setAudioOutput(output_);
    }
    silenced_ = picture == Picture::sound && !canBeHeard;

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
        if (silenced_) {
            waveform_ = new WaveformView;
            waveform_->hide();
            column->addSpacing(24);
            column->addWidget(waveform_, 0, Qt::AlignHCenter);
            column->addSpacing(16);
            TextBlock* notice = silencedNotice();
            column->addWidget(notice);
            // Told as the preview shows it, wherever the keyboard is.
            (new ResultNotice(*this, QStringLiteral("silencedNotice")))->tell(notice->text());
        }
        column->addStretch();
    }
    auto* controls = new QHBoxLayout;
    controls->addWidget(playPause_);
    controls->addWidget(position_, 1);
    column->addLayout(controls);
    playPause_->setVisible(!silenced_);
    position_->setVisible(!silenced_);
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

void MediaPlayerView::open(std::shared_ptr<const UniqueFd> checked)
{
    checked_ = std::move(checked);
    if (!checked_ || !*checked_) {
        fail();
        return;
    }
    if (silenced_) {
        readWaveform();
        return;
    }
    startDeadline_->start(startDeadlineMs);
    // The descriptor's own link names the open file itself: a link put in the file's place since
    // it was checked is never what plays.
    player_->setSource(
        QUrl::fromLocalFile(QStringLiteral("/proc/self/fd/%1").arg(checked_->get())));
    player_->play();
}

void MediaPlayerView::readWaveform()
{
    runInBackground<std::vector<float>>(
        this,
        [checked = checked_, abandoned = abandoned_] {
            const RegularFile file = reopenRegularFile(checked->get());
            return file.file ? tollenvane::readWaveform(*file.file, *abandoned)
                             : std::vector<float>();
        },
        [this](std::vector<float> bars) {
            if (bars.empty()) {
                fail();
                return;
            }
            waveform_->setBars(std::move(bars));
            waveform_->show();
        });
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

void MediaPlayerView::stop()
{
    abandoned_->store(true);
    startDeadline_->stop();
    player_->stop();
}

MediaPlayerView::~MediaPlayerView()
{
    stop();
}

void MediaPlayerView::showPlaying(bool playing)
{
    playPause_->setIcon(Symbol::icon(playing ? "pause" : "play.fill", Theme::color(Theme::text)));
}

} // namespace tollenvane
