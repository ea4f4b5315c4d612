#pragma once

#include <QSlider>

namespace tollenvane {

// A slider over a share, from none at its minimum to all at its maximum, in steps as fine as its
// range: assistive technology hears it as the whole percent it stands for, as a percentage shown
// beside it reads (AccessiblePercentSlider), not as its step.
class PercentSlider : public QSlider {
    Q_OBJECT

public:
    explicit PercentSlider(QWidget* parent = nullptr)
        : QSlider(Qt::Horizontal, parent)
    {}
};

} // namespace tollenvane
