#pragma once

#include <QWidget>

namespace tollenvane {

class AppModel;

// Holds the tutorial's place over the window until the tutorial itself is built: the brand and
// the one way out, which completes onboarding.
class TutorialPlaceholder : public QWidget {
    Q_OBJECT

public:
    explicit TutorialPlaceholder(AppModel& model, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tollenvane
