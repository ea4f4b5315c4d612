#include "app/tutorial/TutorialResume.h"

#include "model/AppModel.h"

#include <QPointer>

namespace tollenvane {

namespace {

struct HandedStep {
    // Guarded, so that a model built later at the same address never takes a stale step.
    QPointer<const AppModel> model;
    int step = 0;
};

// Main thread only, like every widget.
HandedStep& handedStep()
{
    static HandedStep handed;
    return handed;
}

} // namespace

void rememberTutorialStep(const AppModel& model, int step)
{
    handedStep() = HandedStep{&model, step};
}

int takeTutorialStep(const AppModel& model)
{
    HandedStep& handed = handedStep();
    const int step = handed.model == &model ? handed.step : 0;
    handed = HandedStep{};
    return step;
}

} // namespace tollenvane
