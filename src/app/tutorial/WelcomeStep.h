#pragma once

#include <QWidget>

namespace tollenvane {

class StepScroll;
class WelcomePicture;

// The first step: what the application is for, in a picture and three lines. The picture gives
// up height, then its place, so that the lines show whole in a short window.
class WelcomeStep final : public QWidget {
    Q_OBJECT

public:
    explicit WelcomeStep(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitPicture();

    StepScroll* scroll_;
    WelcomePicture* picture_;
};

} // namespace tollenvane
