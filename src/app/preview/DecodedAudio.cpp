#include "app/preview/DecodedAudio.h"

#include "app/preview/Waveform.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>

namespace tollenvane {

namespace {

// Cuts the decoded stream into chunks of 4096 frames of the first channel.
class LevelGatherer {
public:
    // False once the twenty seconds are in.
    bool add(const QAudioBuffer& buffer)
    {
        const QAudioFormat format = buffer.format();
        if (!format.isValid() || format.channelCount() < 1) {
            return false;
        }
        if (limit_ == 0) {
            limit_ =
                Waveform::frameLimit(std::numeric_limits<std::int64_t>::max(), format.sampleRate());
        }
        const int frameBytes = format.bytesPerFrame();
        const char* data = buffer.constData<char>();
        for (qsizetype frame = 0; frame < buffer.frameCount() && taken_ < limit_; ++frame) {
            chunk_.push_back(format.normalizedSampleValue(data + frame * frameBytes));
            ++taken_;
            if (static_cast<std::int64_t>(chunk_.size()) == Waveform::chunkFrames) {
                flush();
            }
        }
        return taken_ < limit_;
    }

    std::vector<float> finish()
    {
        flush();
        return std::move(levels_);
    }

private:
    void flush()
    {
        if (!chunk_.empty()) {
            levels_.push_back(Waveform::chunkLevel(chunk_));
            chunk_.clear();
        }
    }

    std::int64_t limit_ = 0;
    std::int64_t taken_ = 0;
    std::vector<float> chunk_;
    std::vector<float> levels_;
};

} // namespace

std::vector<float> decodedAudioLevels(const QString& path, const std::atomic<bool>& cancelled,
                                      std::chrono::milliseconds timeout)
{
    QAudioDecoder decoder;
    if (!decoder.isSupported()) {
        return {};
    }
    QEventLoop loop;
    LevelGatherer gatherer;
    bool failed = false;
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, [&] {
        if (!gatherer.add(decoder.read())) {
            loop.quit();
        }
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, &QEventLoop::quit);
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop, [&] {
        failed = true;
        loop.quit();
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        failed = true;
        loop.quit();
    });
    QTimer cancelPoll;
    QObject::connect(&cancelPoll, &QTimer::timeout, &loop, [&] {
        if (cancelled.load()) {
            loop.quit();
        }
    });
    decoder.setSource(QUrl::fromLocalFile(path));
    decoder.start();
    deadline.start(timeout);
    cancelPoll.start(50);
    loop.exec();
    decoder.stop();
    std::vector<float> levels = gatherer.finish();
    // A read error midway keeps what came before it; a file that never decoded gives nothing.
    if (failed && levels.empty()) {
        return {};
    }
    return levels;
}

} // namespace tollenvane
