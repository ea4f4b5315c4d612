#pragma once

#include <QIODevice>

namespace tollenvane {

// Reads through to another device and notes whether a reader asked for data once there was none
// left: the sign of a file cut short, which some decoders cover up with filler.
class EndWatchingDevice final : public QIODevice {
    Q_OBJECT

public:
    explicit EndWatchingDevice(QIODevice& source);

    bool ranPastEnd() const { return ranPastEnd_; }

    bool isSequential() const override { return false; }
    qint64 size() const override { return source_.size(); }
    bool seek(qint64 position) override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    QIODevice& source_;
    bool ranPastEnd_ = false;
};

} // namespace tollenvane
