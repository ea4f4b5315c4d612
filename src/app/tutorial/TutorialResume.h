#pragma once

namespace tollenvane {

class AppModel;

// A change of language builds the whole window again, the tutorial with it. The user who picked
// a language mid-way expects to stay where they were, so the step is handed to the next
// tutorial built over the same model, once.
void rememberTutorialStep(const AppModel& model, int step);
// The step handed over for this model, then forgotten; 0 when there is none.
int takeTutorialStep(const AppModel& model);

} // namespace tollenvane
