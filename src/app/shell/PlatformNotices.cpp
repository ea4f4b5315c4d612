#include "app/shell/PlatformNotices.h"

#include "model/AppModel.h"

#include <QtGlobal>
#include <exception>

namespace tollenvane {

PlatformNotices::PlatformNotices(AppModel& model, const std::string& mountInfoPath, QObject* parent)
    : QObject(parent)
    , model_(model)
{
    watchMounts(mountInfoPath);
    applicationPoll_.setInterval(applicationPollInterval);
    connect(&applicationPoll_, &QTimer::timeout, this, &PlatformNotices::pollRunningApplications);
    applicationPoll_.start();
}

void PlatformNotices::watchMounts(const std::string& mountInfoPath)
{
    try {
        mounts_ = std::make_unique<MountWatcher>(mountInfoPath);
    } catch (const std::exception& error) {
        qWarning("Volumes mounted later will not be noticed: %s", error.what());
        return;
    }
    mountNotifier_ = std::make_unique<QSocketNotifier>(mounts_->fd(), QSocketNotifier::Exception);
    connect(mountNotifier_.get(), &QSocketNotifier::activated, this,
            &PlatformNotices::mountsChanged);
}

void PlatformNotices::mountsChanged()
{
    // Unacknowledged, the same change would wake the loop again at once.
    mounts_->acknowledge();
    model_.updateDisk(true);
}

void PlatformNotices::pollRunningApplications()
{
    model_.refreshRunningApplications();
}

} // namespace tollenvane
