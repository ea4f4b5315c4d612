#pragma once

#include "model/AppModel.h"
#include "model/support/FakeServices.h"
#include "model/support/FakeVolumeSource.h"
#include "model/support/ManualExecutor.h"
#include "model/support/ManualTime.h"
#include "support/TempDir.h"

#include <chrono>
#include <memory>
#include <string>

namespace tollenvane::test {

// A model over fakes that the test drives step by step: jobs run when the test says, time moves
// when the test says, and the state file lives in a temporary folder.
class ModelHarness {
public:
    TempDir folder;
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    std::shared_ptr<ManualTime> time = std::make_shared<ManualTime>();
    std::shared_ptr<RecordingSoundPlayer> sounds = std::make_shared<RecordingSoundPlayer>();
    std::shared_ptr<FakeActivity> activity = std::make_shared<FakeActivity>();
    std::shared_ptr<FakeFolderPanel> panel = std::make_shared<FakeFolderPanel>();
    std::shared_ptr<FakeStandardFolders> standardFolders = std::make_shared<FakeStandardFolders>();
    std::shared_ptr<CountingAccess> access = std::make_shared<CountingAccess>();
    std::shared_ptr<FakeGrantResolver> grants = std::make_shared<FakeGrantResolver>();
    std::shared_ptr<FakeVolumeSource> volumes = std::make_shared<FakeVolumeSource>();
    std::vector<std::string> runningApplications;
    // Without the pause between steps; tests inject unreadable files here.
    ScanOptions scanOptions = {.pause = {}};
    // The folders the application inventory walks, and how: without its pause between bundles.
    std::vector<std::string> applicationRoots;
    ApplicationScanOptions applicationScanOptions{.pause = {}};
    std::function<LibraryFolders()> libraryFolders = LibraryFolders::current;
    ModelServices::IndexAppend indexAppend = ModelServices::appendToIndex;
    std::unique_ptr<AppModel> model;

    ModelServices services();
    std::string statePath() const { return folder / "data/state.json"; }
    std::string journalPath() const { return folder / "data/state.reviews.jsonl"; }
    SavedState stateOnDisk() const;

    // Builds the model over statePath(); nothing runs yet.
    AppModel& start();
    // start(), then every job and posted result until the model is idle.
    AppModel& load();

    // Runs jobs and delivers posted results until none is left.
    void settle();
    // Settles, moves time on, then settles again.
    void advance(std::chrono::milliseconds duration);
};

} // namespace tollenvane::test
