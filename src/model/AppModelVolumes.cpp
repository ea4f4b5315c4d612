// The figures of the outside world: the mounted volumes, the selected one's capacity, and the
// running applications.
#include "core/base/Path.h"
#include "core/platform/VolumeIdentity.h"
#include "core/volumes/VolumeInventory.h"
#include "model/AppModel.h"
#include "model/async/MainThread.h"

#include <QPointer>
#include <algorithm>

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
    services_.executor->run(Priority::utility, [source = services_.volumes, task,
                                                model = QPointer(this)] {
        auto volumes = std::make_shared<std::vector<StorageVolume>>(VolumeInventory::list(*source));
        postToMain([volumes, task, model] {
            if (model && !task->cancelled()) {
                model->applyVolumes(std::move(*volumes));
            }
        });
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
    volumeTask_ = nullptr;
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
    std::set<std::string> paths;
    for (const std::string& bundle : services_.runningApplications()) {
        paths.insert(path::standardised(bundle));
    }
    publish(runningApplicationPaths_, std::move(paths), &AppModel::runningApplicationPathsChanged);
}

} // namespace tollenvane
