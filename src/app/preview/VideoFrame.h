#pragma once

#include <QImage>
#include <chrono>

class QFile;

namespace tollenvane {

// Whether video frames can be read in this process: only through the ffmpeg media backend,
// chosen with QT_MEDIA_BACKEND=ffmpeg before Qt Multimedia is first used. The GStreamer backend
// brings the whole process down when its plug-ins are incomplete, which is not worth a thumbnail.
bool videoFramesAvailable();

// The first frame the media backend shows of an open video file, fitted into 1000 x 650. Null
// when the backend cannot play it, is missing, or shows nothing within `timeout`. Runs its own
// event loop on the calling thread.
QImage videoFrame(const QFile& file, std::chrono::milliseconds timeout);

} // namespace tollenvane
