#include "app/shell/PlatformNotices.h"

#include "model/AppModel.h"

#include <QtGlobal>
#include <exception>

namespace tollenvane {

PlatformNotices::PlatformNotices(AppModel& model, ApplicationLister runningApplications,
                                 const std::string& mountInfoPath, QObject* parent)
    : QObject(parent)
    , model_(model)
    , runningApplications_(std::move(runningApplications))
{
    watchMounts(mountInfoPath);
    // The model lists the applications itself once loaded; this is the baseline to compare to.
    for (std::string& path : runningApplications_()) {
        lastApplications_.insert(std::move(path));
    }
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
    std::set<std::string> current;
    for (std::string& path : runningApplications_()) {
        current.insert(std::move(path));
    }
    if (current == lastApplications_) {
        return;
    }
    lastApplications_ = std::move(current);
    model_.refreshRunningApplications();
}

} // namespace tollenvane
