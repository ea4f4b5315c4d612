#include "model/support/SortingHarness.h"

#include "core/base/Json.h"
#include "core/platform/XdgFolders.h"

#include <algorithm>
#include <fstream>

namespace tollenvane::test {

std::string SortingHarness::file(const std::string& name, std::size_t size) const
{
    return folder.write("home/Pictures/" + name, std::string(size, 'x'));
}

AppModel& SortingHarness::loadScanned()
{
    AppModel& loaded = load();
    Preferences preferences = loaded.state().preferences;
    preferences.sounds = true;
    loaded.setPreferences(preferences);
    loaded.addFolder(source, false);
    settle();
    loaded.finishOnboarding();
    settle();
    flush();
    return loaded;
}

std::string SortingHarness::startSortingTwo()
{
    const std::string first = file("a.png", 500);
    file("b.png", 400);
    loadScanned();
    startSortingAll();
    return first;
}

void SortingHarness::startSortingAll()
{
    SessionFilter all;
    all.largestFirst = true;
    model->setFilter(all);
    model->startSession();
    settle();
}

void SortingHarness::decide(Decision decision, const std::optional<std::string>& destination)
{
    model->act(decision, destination, true);
    settle();
}

std::string SortingHarness::addDestination(const std::string& chosen)
{
    model->addFolder(chosen, true);
    settle();
    // Throws rather than reads past a destination that was not added.
    const FolderGrant& added = model->state().destinations.at(0);
    return model->statuses().at(added.id).location.value();
}

AppModel& SortingHarness::restart()
{
    model->flushState();
    settle();
    model.reset();
    return load();
}

std::size_t SortingHarness::played(const std::string& cue) const
{
    return static_cast<std::size_t>(
        std::count(sounds->log->begin(), sounds->log->end(), "play " + cue));
}

std::vector<std::string> SortingHarness::cardPaths() const
{
    std::vector<std::string> paths;
    for (const FileRecord& card : model->pending().remaining()) {
        paths.emplace_back(card.path());
    }
    return paths;
}

std::vector<ReviewJournal::Entry> SortingHarness::journalEntries() const
{
    std::vector<ReviewJournal::Entry> entries;
    std::ifstream in(journalPath());
    for (std::string line; std::getline(in, line);) {
        entries.push_back(ReviewJournal::Entry::fromJson(json::parse(line)));
    }
    return entries;
}

std::string trashFiles()
{
    return XdgFolders::dataHome() + "/Trash/files";
}

} // namespace tollenvane::test
