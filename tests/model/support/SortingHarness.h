#pragma once

#include "core/persistence/ReviewJournal.h"
#include "core/records/Decision.h"
#include "model/support/ModelHarness.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane::test {

// A model whose tutorial is done and whose one source folder, on real files, was scanned; the
// Trash is the scratch home's. Decisions and undo run to their end on settle().
class SortingHarness : public ModelHarness {
public:
    std::string source = folder.makeFolder("home/Pictures");
    std::string outside = folder.makeFolder("elsewhere");

    // A file of `size` bytes in the source folder; returns its path.
    std::string file(const std::string& name, std::size_t size = 100) const;

    // Loads, turns the sounds on, authorises the source folder, ends the tutorial and lets the
    // first scan finish.
    AppModel& loadScanned();
    // Lets the state write that is due happen.
    void flush() { advance(AppModel::saveDelay); }

    // A session over every file, largest first, started and prepared.
    void startSortingAll();
    // Two files scanned and sorted in a session over every file; returns the path of the first
    // card, the larger file "a.png".
    std::string startSortingTwo();
    void decide(Decision decision, const std::optional<std::string>& destination = std::nullopt);
    // Adds `chosen` as a move destination and returns the folder it resolved to.
    std::string addDestination(const std::string& chosen);

    // Quits after writing the state at once, as the application does, and starts again.
    AppModel& restart();

    std::vector<std::string> cardPaths() const;
    // How often the cue was played.
    std::size_t played(const std::string& cue) const;
    std::vector<ReviewJournal::Entry> journalEntries() const;
};

// The Trash of the scratch home.
std::string trashFiles();

} // namespace tollenvane::test
