#pragma once

#include <QWidget>
#include <atomic>
#include <memory>
#include <string>

namespace tollenvane {

class AppModel;
class ElidedLabel;
class WaveformView;

// An audio file's picture: the waveform of its opening, read on a worker thread, and a button
// that opens the full preview to listen.
class AudioPreview final : public QWidget {
    Q_OBJECT

public:
    explicit AudioPreview(AppModel& model, QWidget* parent = nullptr);
    ~AudioPreview() override;

    // The bars of the previous file stay until the new ones are read.
    void setPath(const std::string& path);
    const std::string& path() const { return path_; }
    const WaveformView& waveform() const { return *waveform_; }

signals:
    // A reading ended, with bars or without.
    void waveformRead();

private:
    void cancelReading();
    void showBars(std::vector<float> bars);

    std::string path_;
    std::shared_ptr<std::atomic<bool>> cancelled_;
    WaveformView* waveform_;
    ElidedLabel* caption_;
};

} // namespace tollenvane
