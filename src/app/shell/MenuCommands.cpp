#include "app/shell/MenuCommands.h"

#include "model/AppModel.h"

namespace tollenvane {

CommandInputs commandInputsOf(const AppModel& model)
{
    return {
        .loading = model.loading(),
        .busy = model.busy(),
        .animatingSwipe = model.animatingSwipe(),
        .showTutorial = model.showTutorial(),
        .onboardingComplete = model.state().preferences.onboardingComplete,
        .sessionActive = model.sessionActive(),
        .showMove = model.showMove(),
        .showPreview = model.showPreview(),
        .undoCount = model.undoCount(),
    };
}

bool canStartNewSession(const CommandInputs& inputs)
{
    return !inputs.busy && !inputs.animatingSwipe && !inputs.loading && !inputs.showTutorial &&
           inputs.onboardingComplete;
}

bool canAddFolder(const CommandInputs& inputs)
{
    return !inputs.sessionActive && !inputs.busy && !inputs.animatingSwipe && !inputs.loading;
}

bool canUndo(const CommandInputs& inputs)
{
    return inputs.undoCount > 0 && !inputs.busy && !inputs.animatingSwipe && !inputs.showTutorial &&
           !inputs.showMove && !inputs.showPreview && inputs.onboardingComplete;
}

bool canOpenSettings(const CommandInputs& inputs)
{
    return !inputs.animatingSwipe;
}

} // namespace tollenvane
