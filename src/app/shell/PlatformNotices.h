#pragma once

#include "core/volumes/MountWatcher.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tollenvane {

class AppModel;

// Tells the model what the system changed under it: a volume mounted or unmounted, an
// application started or ended. Linux announces mounts; running applications are polled.
class PlatformNotices final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds applicationPollInterval{2000};

    using ApplicationLister = std::function<std::vector<std::string>()>;

    // Without a readable mount table, mounts go unnoticed and a warning says so.
    PlatformNotices(AppModel& model, ApplicationLister runningApplications,
                    const std::string& mountInfoPath = "/proc/self/mountinfo",
                    QObject* parent = nullptr);

    // Asks the model to refresh its running applications when they changed since the last look.
    void pollRunningApplications();

private:
    void watchMounts(const std::string& mountInfoPath);
    void mountsChanged();

    AppModel& model_;
    ApplicationLister runningApplications_;
    std::set<std::string> lastApplications_;
    std::unique_ptr<MountWatcher> mounts_;
    std::unique_ptr<QSocketNotifier> mountNotifier_;
    QTimer applicationPoll_;
};

} // namespace tollenvane
