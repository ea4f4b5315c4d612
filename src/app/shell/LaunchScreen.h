#pragma once

#include <QWidget>

namespace tollenvane {

// Covers the window while the saved state loads.
class LaunchScreen : public QWidget {
    Q_OBJECT

public:
    explicit LaunchScreen(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tollenvane
