#pragma once

#include <cstdint>

namespace tollenvane {

class AppModel;

// The model's fields that decide which menu commands can run.
struct CommandInputs {
    bool loading = false;
    bool busy = false;
    bool animatingSwipe = false;
    bool showTutorial = false;
    bool onboardingComplete = false;
    bool sessionActive = false;
    bool showMove = false;
    bool showPreview = false;
    std::int64_t undoCount = 0;

    bool operator==(const CommandInputs&) const = default;
};

CommandInputs commandInputsOf(const AppModel& model);

bool canStartNewSession(const CommandInputs& inputs);
// Not while loading either: a folder added then would be lost, or written over the user's
// state file in place of what the load brings.
bool canAddFolder(const CommandInputs& inputs);
bool canUndo(const CommandInputs& inputs);
bool canOpenSettings(const CommandInputs& inputs);

} // namespace tollenvane
