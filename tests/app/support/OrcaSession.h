#pragma once

#include "core/persistence/SavedState.h"
#include "support/Speech.h"
#include "support/TempDir.h"

#include <QPoint>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tollenvane::test {

// The real application on a desktop where Orca listens as a blind person's does: a virtual
// display at 1280×800, a window manager, a session bus with the accessibility bus, and Orca
// speaking into its log rather than to a sound card. One Orca runs at a time on a machine, so
// tests that use this run alone under ctest.
//
// The steps are shell lines run once Orca has spoken the window and been told where its focus
// is. Each waits, as long as a busy machine may need, for what it expects; one that waits in vain
// ends the session and fails the test with what it missed. They have:
//   press NAME KEY…          leaves the mark NAME, then presses the keys as xdotool names them,
//                            each once Orca has been told of the one before (of its first key,
//                            as Qt tells none of a shortcut's other keys);
//   hear TEXT                waits until Orca has said TEXT since the last mark;
//   moved                    waits until Orca has said, since the last mark, where the focus went;
//   enter NAME TEXT          leaves the mark NAME, then types TEXT a few characters at a time,
//                            each few once Orca has been told of the ones before;
//   reach NAME TEXT KEY… max N
//                            presses the keys, leaving the marks NAME1, NAME2…, until Orca says
//                            TEXT where the focus lands, N times at most;
//   click NAME X Y           leaves the mark NAME, then clicks at X Y in the window, and waits
//                            until Orca has taken the click in and been told where the focus went;
//   mark NAME                leaves a mark without a key;
//   $SOURCE $TRASH           the sorted folder and the Trash's files.
class OrcaSession {
public:
    // Why no test can listen here, or nothing when one can.
    static std::optional<std::string> missing();

    OrcaSession();

    // The home's sorted folder, Documents/Tri, with nothing in it yet.
    const std::string& source() const { return source_; }
    std::string trash() const;
    std::string statePath() const;
    // Writes the state the application starts from.
    void write(const SavedState& state) const;
    // Writes a home whose tutorial is done and whose sorted folder is a source, as `adjust` then
    // changes it; why it cannot, when a folder cannot be granted.
    std::optional<std::string>
    writeWithSource(const std::function<void(SavedState&)>& adjust = {}) const;
    // The same with a session over the folder waiting to be resumed.
    std::optional<std::string> writeWaitingSession() const;
    // Puts each file, with its content, at its path under the sorted folder.
    void putFiles(const std::vector<std::pair<std::string, std::string>>& files) const;
    // Where the control named `name` lies in a window over the state written, once the folders
    // are scanned; a null point when it never shows.
    QPoint placeOf(const QString& name) const;

    // What Orca says of the first window that shows: the main window's frame unless the
    // application opens on something over it, such as an alert.
    void opensOn(const QString& spoken) { opensOn_ = spoken; }

    // Starts the application in `language`, runs `steps`, takes the picture `pictureName` and
    // quits with Ctrl+Q; what Orca spoke from the window's first showing. A step that waited in
    // vain fails the test.
    Speech run(const QString& steps, const QString& pictureName, const QString& language = "en");
    // The exit code of the last run: 0 once the application has quit by itself.
    int exitCode() const { return exitCode_; }

private:
    const TempDir folder_;
    const std::string source_;
    QString opensOn_ = QStringLiteral("frame");
    int exitCode_ = -1;
};

} // namespace tollenvane::test
