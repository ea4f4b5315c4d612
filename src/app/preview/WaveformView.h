#pragma once

#include <QWidget>
#include <vector>

namespace tollenvane {

// The bars of a waveform as capsules side by side, each at least a few pixels high so that
// silence still shows.
class WaveformView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int frameHeight = 90;
    static constexpr qreal barWidth = 4;
    static constexpr qreal barGap = 3;
    static constexpr qreal fullHeight = 86;
    static constexpr qreal minimumHeight = 4;

    explicit WaveformView(QWidget* parent = nullptr);

    void setBars(std::vector<float> bars);
    const std::vector<float>& bars() const { return bars_; }
    QSize sizeHint() const override;

    static qreal barHeight(float value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<float> bars_;
};

} // namespace tollenvane
