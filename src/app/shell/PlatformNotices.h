#pragma once

#include "core/volumes/MountWatcher.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <chrono>
#include <memory>
#include <string>

namespace tollenvane {

class AppModel;

// Tells the model what the system changed under it: a volume mounted or unmounted, an
// application started or ended. Linux announces mounts; running applications are polled, the
// model reading them off the main thread and telling only of a change.
class PlatformNotices final : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds applicationPollInterval{2000};

    // Without a readable mount table, mounts go unnoticed and a warning says so.
    explicit PlatformNotices(AppModel& model,
                             const std::string& mountInfoPath = "/proc/self/mountinfo",
                             QObject* parent = nullptr);

    // Asks the model to look at the running applications again.
    void pollRunningApplications();

private:
    void watchMounts(const std::string& mountInfoPath);
    void mountsChanged();

    AppModel& model_;
    std::unique_ptr<MountWatcher> mounts_;
    std::unique_ptr<QSocketNotifier> mountNotifier_;
    QTimer applicationPoll_;
};

} // namespace tollenvane
