#pragma once

#include <QWidget>
#include <cstdint>

namespace tollenvane {

// How much of the ring the used space fills, from 0 to 1; 0 without a capacity.
double ringFraction(std::int64_t total, std::int64_t free);
// The used share in the ring's centre: the whole percent below it in the language's form ("42 %"
// in French, "42%" in English for 42.9 %), or an em dash without a capacity.
QString usedShareText(std::int64_t total, std::int64_t free);

// A ring of the used space of a volume around its used share. It takes the size its caller
// gives it.
class StorageRing : public QWidget {
    Q_OBJECT

public:
    StorageRing(std::int64_t total, std::int64_t free, QWidget* parent = nullptr);

    void setFigures(std::int64_t total, std::int64_t free);
    std::int64_t total() const { return total_; }
    std::int64_t free() const { return free_; }

    QSize sizeHint() const override { return {144, 144}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::int64_t total_;
    std::int64_t free_;
};

} // namespace tollenvane
