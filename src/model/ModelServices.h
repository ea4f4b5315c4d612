#pragma once

#include "core/applications/ApplicationCursor.h"
#include "core/applications/ApplicationRegistry.h"
#include "core/insights/InsightAccumulator.h"
#include "core/platform/LibraryFolders.h"
#include "core/scan/ScanOptions.h"
#include "core/volumes/VolumeSource.h"
#include "model/access/FolderPanel.h"
#include "model/access/GrantResolver.h"
#include "model/access/ScopedAccess.h"
#include "model/access/StandardFolders.h"
#include "model/async/Clock.h"
#include "model/async/Executor.h"
#include "model/async/Scheduler.h"
#include "model/sound/ApplicationActivity.h"
#include "model/sound/SoundPlayer.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tollenvane {

// Everything the application model reaches outside itself: threads, time, sound, the folder
// chooser and the system's folders and processes. Tests put their own in place.
struct ModelServices {
    std::shared_ptr<Executor> executor;
    std::shared_ptr<Scheduler> scheduler;
    std::shared_ptr<const Clock> clock;
    std::shared_ptr<SoundPlayer> soundPlayer;
    std::shared_ptr<const ApplicationActivity> activity;
    std::shared_ptr<FolderPanel> folderPanel;
    std::shared_ptr<const StandardFolders> standardFolders;
    std::shared_ptr<ScopedAccess> access;
    std::shared_ptr<const GrantResolver> grants;
    std::shared_ptr<const VolumeSource> volumes;
    // The bundle folders of the running applications; asked on a worker thread.
    std::function<std::vector<std::string>()> runningApplications;
    // How the folder scan paces itself and reads the disk.
    ScanOptions scanOptions;
    // Installed applications and the data removed ones left behind: a new application scan;
    // the user's library folders; which bundle holds an identifier, asked anew for each
    // inspection since applications come and go.
    std::function<ApplicationCursor()> applicationScan;
    std::function<LibraryFolders()> libraryFolders;
    std::function<std::shared_ptr<const ApplicationRegistry>()> applicationRegistry;
    // Adds a batch the scan found to its index; the index's own append unless a test injects a
    // failure.
    using IndexAppend = std::function<FileInsights(InsightAccumulator&, std::vector<FileRecord>)>;
    static FileInsights appendToIndex(InsightAccumulator& index, std::vector<FileRecord> records)
    {
        return index.append(std::move(records));
    }
    IndexAppend indexAppend = appendToIndex;

    // The system's own, on the calling thread, which must be the main one. The folder chooser
    // is a window, so the application supplies it.
    static ModelServices system(std::shared_ptr<FolderPanel> folderPanel);
};

} // namespace tollenvane
