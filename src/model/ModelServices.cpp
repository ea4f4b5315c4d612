#include "model/ModelServices.h"

#include "core/applications/ApplicationFolderRegistry.h"
#include "core/applications/ApplicationInventory.h"
#include "core/platform/RunningApplications.h"
#include "core/volumes/LinuxVolumeSource.h"
#include "model/access/BookmarkAccess.h"
#include "model/access/SystemGrantResolver.h"
#include "model/access/XdgStandardFolders.h"
#include "model/async/SystemClock.h"
#include "model/async/ThreadPoolExecutor.h"
#include "model/async/TimerScheduler.h"
#include "model/sound/QtApplicationActivity.h"
#include "model/sound/QtSoundPlayer.h"

namespace tollenvane {

ModelServices ModelServices::system(std::shared_ptr<FolderPanel> folderPanel)
{
    ModelServices services;
    services.executor = std::make_shared<ThreadPoolExecutor>();
    services.scheduler = std::make_shared<TimerScheduler>();
    services.clock = std::make_shared<SystemClock>();
    services.soundPlayer = std::make_shared<QtSoundPlayer>();
    services.activity = std::make_shared<QtApplicationActivity>();
    services.folderPanel = std::move(folderPanel);
    services.standardFolders = std::make_shared<XdgStandardFolders>();
    services.access = std::make_shared<BookmarkAccess>();
    services.grants = std::make_shared<SystemGrantResolver>();
    services.volumes = std::make_shared<LinuxVolumeSource>();
    services.runningApplications = [] { return RunningApplications::bundlePaths(); };
    services.applicationScan = [] { return ApplicationInventory::scan(); };
    services.libraryFolders = [] { return LibraryFolders::current(); };
    services.applicationRegistry = []() -> std::shared_ptr<const ApplicationRegistry> {
        return std::make_shared<ApplicationFolderRegistry>(ApplicationInventory::roots());
    };
    return services;
}

} // namespace tollenvane
