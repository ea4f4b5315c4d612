#pragma once

#include <QWidget>
#include <cstdint>

namespace tollenvane {

// A thin capsule filled in proportion to how full a volume is.
class VolumeUsageBar final : public QWidget {
    Q_OBJECT

public:
    static constexpr int barHeight = 3;
    static constexpr int maximumBarWidth = 280;

    explicit VolumeUsageBar(QWidget* parent = nullptr);
    void setUsage(std::int64_t total, std::int64_t free);
    double fraction() const { return fraction_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double fraction_ = 0;
};

} // namespace tollenvane
