#pragma once

#include "core/persistence/SavedState.h"
#include "support/TempDir.h"

#include <QPoint>
#include <QProcessEnvironment>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>

namespace tollenvane {
class AppModel;
}

namespace tollenvane::test {

// The environment of the real application started on a display of its own: its home, data,
// cache and runtime folders all in `folder`, no session bus unless one is put under it.
QProcessEnvironment desktopEnvironment(const TempDir& folder);

// The state of a home whose tutorial is done and whose folder `source` is authorised, quiet;
// throws when the folder cannot be a source.
SavedState stateWithSource(const std::string& source);

// A largest-first session of its own, waiting to be resumed.
SessionCheckpoint waitingSession();

// Writes `state` as the state file at each of `paths`.
void writeState(const SavedState& state, std::initializer_list<std::string> paths);

// Where the control named `name` lies in a window over `statePath`, once the folders are
// scanned and `ready` holds; a null point when it never shows.
QPoint placeOf(const std::string& statePath, const QString& name,
               const std::function<bool(const AppModel&)>& ready = {});

std::string contentOf(const std::string& path);

} // namespace tollenvane::test
