#include "app/preview/VideoFrame.h"

#include "app/preview/ThumbnailBounds.h"

#include <QEventLoop>
#include <QFile>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

namespace tollenvane {

bool videoFramesAvailable()
{
    return qEnvironmentVariable("QT_MEDIA_BACKEND") == u"ffmpeg";
}

QImage videoFrame(const QFile& file, std::chrono::milliseconds timeout)
{
    QEventLoop loop;
    QMediaPlayer player;
    QVideoSink sink;
    QImage frame;
    player.setVideoSink(&sink);
    QObject::connect(&sink, &QVideoSink::videoFrameChanged, &loop, [&](const QVideoFrame& shown) {
        if (frame.isNull() && shown.isValid()) {
            frame = shown.toImage();
            loop.quit();
        }
    });
    QObject::connect(&player, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    QObject::connect(
        &player, &QMediaPlayer::mediaStatusChanged, &loop, [&](QMediaPlayer::MediaStatus status) {
            if (status == QMediaPlayer::InvalidMedia || status == QMediaPlayer::EndOfMedia) {
                loop.quit();
            }
        });
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    // Through the descriptor already checked, so the backend reads the very file that was.
    player.setSource(QUrl::fromLocalFile(QStringLiteral("/proc/self/fd/%1").arg(file.handle())));
    player.play();
    loop.exec();
    player.stop();
    if (frame.isNull()) {
        return {};
    }
    const QSize fitted = fittedSize(frame.size(), genericThumbnailBox);
    return frame.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace tollenvane
