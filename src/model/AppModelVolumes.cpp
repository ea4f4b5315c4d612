// The figures of the outside world: the mounted volumes, the selected one's capacity, and the
// running applications.
#include "core/base/Path.h"
#include "core/platform/VolumeIdentity.h"
#include "core/volumes/VolumeInventory.h"
#include "model/AppModel.h"
#include "model/async/Await.h"

#include <algorithm>
#include <utility>

namespace tollenvane {

std::optional<StorageVolume> AppModel::selectedVolume() const
{
    if (volumes_.empty()) {
        return std::nullopt;
    }
    const auto selected =
        std::find_if(volumes_.begin(), volumes_.end(), [&](const StorageVolume& volume) {
            return selectedVolumeID_ == volume.device;
        });
    return selected == volumes_.end() ? volumes_.front() : *selected;
}

void AppModel::setSelectedVolumeID(std::optional<std::uint64_t> device)
{
    publish(selectedVolumeID_, device, &AppModel::selectedVolumeIDChanged);
}

void AppModel::updateDisk(bool force)
{
    if (force) {
        VolumeIdentity::invalidate(); // even when a listing runs: its answer may predate a mount
    }
    if (volumeTask_) {
        return;
    }
    const auto now = services_.clock->steadyNow();
    if (!force && lastDiskRefresh_ && now - *lastDiskRefresh_ <= volumeRefreshInterval) {
        return;
    }
    lastDiskRefresh_ = now;
    auto task = std::make_shared<TaskHandle>();
    volumeTask_ = task;
    emit refreshingVolumesChanged();
    // A listing that fails leaves the volumes as they were; the next refresh lists them again.
    awaitOn(
        *services_.executor, Priority::utility, this,
        [source = services_.volumes] { return VolumeInventory::list(*source); },
        [this, task](Outcome<std::vector<StorageVolume>> listed) {
            volumeTask_ = nullptr;
            emit refreshingVolumesChanged();
            if (listed.value && !task->cancelled()) {
                applyVolumes(std::move(*listed.value));
            }
        });
}

void AppModel::applyVolumes(std::vector<StorageVolume> volumes)
{
    publish(volumes_, std::move(volumes), &AppModel::volumesChanged);
    const bool stillListed =
        std::any_of(volumes_.begin(), volumes_.end(), [&](const StorageVolume& volume) {
            return selectedVolumeID_ == volume.device;
        });
    if (!stillListed) {
        setSelectedVolumeID(volumes_.empty() ? std::nullopt
                                             : std::optional(volumes_.front().device));
    }
    applySelectedVolume();
}

void AppModel::applySelectedVolume()
{
    const std::optional<StorageVolume> volume = selectedVolume();
    publish(diskTotal_, volume ? volume->total : 0, &AppModel::diskTotalChanged);
    publish(diskFree_, volume ? volume->free : 0, &AppModel::diskFreeChanged);
}

void AppModel::chooseVolume(const StorageVolume& volume)
{
    if (sessionActive_ || busy_) {
        return;
    }
    setSelectedVolumeID(volume.device);
    applySelectedVolume();
    chooseFolders(false, std::nullopt, std::nullopt, volume.path);
}

void AppModel::refreshRunningApplications()
{
    if (readingRunningApplications_) {
        // The reading under way may have passed a process this caller knows of.
        runningApplicationsAskedAgain_ = true;
        return;
    }
    readingRunningApplications_ = true;
    // Every process's executable is read, and each bundle's links resolved.
    awaitOn(
        *services_.executor, Priority::userInitiated, this,
        [running = services_.runningApplications] {
            std::set<std::string> paths;
            for (const std::string& bundle : running()) {
                paths.insert(path::standardised(bundle));
            }
            return paths;
        },
        [this](Outcome<std::set<std::string>> paths) {
            readingRunningApplications_ = false;
            // A failed reading leaves the last one standing: no alert is raised for it.
            if (paths.value && *paths.value != runningApplicationPaths_) {
                publish(runningApplicationPaths_, std::move(*paths.value),
                        &AppModel::runningApplicationPathsChanged);
            }
            if (std::exchange(runningApplicationsAskedAgain_, false)) {
                refreshRunningApplications();
            }
        });
}

} // namespace tollenvane
