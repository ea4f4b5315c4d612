#pragma once

#include "app/kit/QueuedRefresh.h"
#include "app/tutorial/TutorialRules.h"

#include <QPointer>
#include <QWidget>
#include <array>

class QComboBox;
class QVariantAnimation;

namespace tollenvane {

class AppModel;
class ElidedLabel;
class GestureStep;
class LiftButton;
class SpokenNotice;
class StepBars;

// The first-run tutorial over the whole window: four steps, one at a time, with the language,
// a way out at any step, and a way back. It ends only through the model's end of onboarding.
class TutorialOverlay final : public QWidget {
    Q_OBJECT

public:
    explicit TutorialOverlay(AppModel& model, QWidget* parent = nullptr);

    int step() const { return step_; }
    GestureStep& gestureStep() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* header();
    QWidget* footer();
    void refresh();
    void goTo(int step);
    void showStep(bool animated);
    void chooseLanguage(int index);
    void primaryAction();
    void tellStep();
    QString toldStep() const;
    LiftButton& primaryButton() const;

    AppModel& model_;
    int step_ = 0;
    QComboBox* language_ = nullptr;
    StepBars* bars_ = nullptr;
    QWidget* stepsHost_ = nullptr;
    std::array<QWidget*, tutorialStepCount> steps_{};
    LiftButton* back_ = nullptr;
    ElidedLabel* counter_ = nullptr;
    LiftButton* continue_ = nullptr;
    LiftButton* finish_ = nullptr;
    SpokenNotice* notice_ = nullptr;
    QPointer<QVariantAnimation> fade_;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
