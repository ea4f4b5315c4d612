#pragma once

#include <QWidget>

namespace tollenvane {

// The application's logo: two tilted cards and an arrow on a rounded accent tile, exactly
// size by size, decorative only.
class BrandMark : public QWidget {
    Q_OBJECT

public:
    explicit BrandMark(int size, QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(size_, size_); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int size_;
};

} // namespace tollenvane
