#pragma once

#include "core/persistence/SavedState.h"
#include "support/TempDir.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane::test {

// What the screen reader spoke, utterance by utterance, cut where the steps left marks.
class Speech {
public:
    struct Part {
        QString mark;
        QStringList utterances;
        // The keys Orca was told of, by their names ("Right", "z"), as they were pressed.
        QStringList keys;
    };

    explicit Speech(std::vector<Part> parts);

    // What was spoken after the mark `mark` and before the next one; empty when no such mark.
    QStringList after(const QString& mark) const;
    // Whether one utterance after `mark` holds `text`.
    bool heardAfter(const QString& mark, const QString& text) const;
    // The keys Orca was told of after `mark` and before the next one.
    QStringList keysAfter(const QString& mark) const;
    // Everything, marks included, for a failure's message.
    std::string transcript() const;

private:
    const Part* part(const QString& mark) const;

    std::vector<Part> parts_;
};

// The real application on a desktop where Orca listens as a blind person's does: a virtual
// display at 1280×800, a window manager, a session bus with the accessibility bus, and Orca
// speaking into its log rather than to a sound card. One Orca runs at a time on a machine, so
// tests that use this run alone under ctest.
//
// The steps are shell lines run once the window shows. They have:
//   press NAME KEY…   leaves the mark NAME, then presses the keys as xdotool names them;
//   hear TEXT         waits, a few seconds at most, until Orca has said TEXT since the last mark;
//   quiet             waits until Orca has said nothing new for a moment;
//   mark NAME         leaves a mark without a key;
//   $SOURCE $TRASH    the sorted folder and the Trash's files.
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

    // Starts the application in `language`, runs `steps`, takes the picture `pictureName` and
    // quits with Ctrl+Q; what Orca spoke from the window's first showing.
    Speech run(const QString& steps, const QString& pictureName, const QString& language = "en");
    // The exit code of the last run: 0 once the application has quit by itself.
    int exitCode() const { return exitCode_; }

private:
    const TempDir folder_;
    const std::string source_;
    int exitCode_ = -1;
};

} // namespace tollenvane::test
