#pragma once

#include <QWidget>

namespace tollenvane {

// How far the tutorial has come: one thin capsule per step, filled up to the current one.
class StepBars final : public QWidget {
    Q_OBJECT

public:
    explicit StepBars(QWidget* parent = nullptr);

    void setStep(int step);
    int step() const { return step_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int step_ = 0;
};

} // namespace tollenvane
