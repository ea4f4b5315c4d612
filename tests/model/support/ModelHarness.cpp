#include "model/support/ModelHarness.h"

#include "core/applications/ApplicationFolderRegistry.h"
#include "core/base/Json.h"

#include <QCoreApplication>

namespace tollenvane::test {

ModelServices ModelHarness::services()
{
    ModelServices made;
    made.executor = executor;
    made.scheduler = time;
    made.clock = time;
    made.soundPlayer = sounds;
    made.activity = activity;
    made.folderPanel = panel;
    made.standardFolders = standardFolders;
    made.access = access;
    made.grants = grants;
    made.volumes = volumes;
    made.runningApplications = [this] { return runningApplications; };
    made.scanOptions = scanOptions;
    made.applicationScan = [this] {
        return ApplicationCursor(applicationRoots, applicationScanOptions);
    };
    made.libraryFolders = [this] { return libraryFolders(); };
    made.applicationRegistry = [this]() -> std::shared_ptr<const ApplicationRegistry> {
        return std::make_shared<ApplicationFolderRegistry>(applicationRoots);
    };
    made.indexAppend = [this](InsightAccumulator& index, std::vector<FileRecord> records) {
        return indexAppend(index, std::move(records));
    };
    return made;
}

SavedState ModelHarness::stateOnDisk() const
{
    return SavedState::fromJson(json::parse(readFile(statePath())));
}

AppModel& ModelHarness::start()
{
    model = std::make_unique<AppModel>(StateStore(statePath()), services());
    return *model;
}

AppModel& ModelHarness::load()
{
    start();
    settle();
    return *model;
}

void ModelHarness::settle()
{
    // Results come back as posted events, and handling one may start another job.
    for (int round = 0; round < 1000; ++round) {
        executor->runAll();
        QCoreApplication::sendPostedEvents();
        if (executor->pending() == 0) {
            QCoreApplication::sendPostedEvents();
            if (executor->pending() == 0) {
                return;
            }
        }
    }
}

void ModelHarness::advance(std::chrono::milliseconds duration)
{
    settle();
    time->advance(duration);
    settle();
}

} // namespace tollenvane::test
