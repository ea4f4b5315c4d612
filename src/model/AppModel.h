#pragma once

#include "core/insights/FileInsights.h"
#include "core/insights/InsightAccumulator.h"
#include "core/operations/FileOperations.h"
#include "core/persistence/ReviewJournal.h"
#include "core/persistence/SavedState.h"
#include "core/persistence/StateStore.h"
#include "core/persistence/StateWriter.h"
#include "core/platform/XdgFolders.h"
#include "core/records/ReviewStamp.h"
#include "core/records/SessionFilter.h"
#include "core/volumes/StorageVolume.h"
#include "model/AlertMessage.h"
#include "model/ModelServices.h"
#include "model/Page.h"
#include "model/access/SourceStatus.h"
#include "model/access/StandardFolders.h"
#include "model/async/Outcome.h"
#include "model/async/SerialQueue.h"
#include "model/async/TaskHandle.h"
#include "model/sound/SoundDesign.h"

#include <QFuture>
#include <QObject>
#include <QThread>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stop_token>
#include <string>
#include <unordered_map>
#include <vector>

namespace tollenvane {

struct GrantResolution;

// The one model of the application: it owns the saved state and every background job, and the
// screens read its fields and call its operations. It lives on the main thread; every field is
// written there, and every write is signalled, an equal value included. Background results are
// applied only while the job that made them is still the current one.
class AppModel final : public QObject {
    Q_OBJECT

public:
    // The delay that gathers bursts of changes into one write of the state file.
    static constexpr std::chrono::milliseconds saveDelay{250};
    // Decisions follow each other quickly; the volumes are listed at most this often for them.
    static constexpr std::chrono::milliseconds volumeRefreshInterval{2000};

    // Starts reading the state file and the review journal at once; `loading` stays true until
    // both were read.
    AppModel(StateStore store, ModelServices services, QObject* parent = nullptr);
    ~AppModel() override;

    // The state file of this run: the path after the first "--state" of the command line (the
    // program path first), else the environment variable TollenvaneTestStatePath, else the
    // default place. An empty path counts as none; a relative one is taken from the current
    // folder.
    static StateStore launchStore(const std::vector<std::string>& arguments,
                                  const std::function<std::string(const char*)>& environment =
                                      XdgFolders::environmentVariable);
    // The same over this process's arguments.
    static StateStore launchStore();

    // Published fields.
    const SavedState& state() const { return state_; }
    bool loading() const { return loading_; }
    Page page() const { return page_; }
    bool showTutorial() const { return showTutorial_; }
    // By grant id, from the last resolution applied.
    const std::map<std::string, SourceStatus>& statuses() const { return statuses_; }
    const SessionFilter& filter() const { return filter_; }
    const FileInsights& insights() const { return insights_; }
    const std::vector<StorageVolume>& volumes() const { return volumes_; }
    // The device of the volume the user picked.
    std::optional<std::uint64_t> selectedVolumeID() const { return selectedVolumeID_; }
    // Capacity and free bytes of the selected volume; 0 without one.
    std::int64_t diskTotal() const { return diskTotal_; }
    std::int64_t diskFree() const { return diskFree_; }
    const std::set<std::string>& runningApplicationPaths() const
    {
        return runningApplicationPaths_;
    }
    bool sessionActive() const { return sessionActive_; }
    bool busy() const { return busy_; }
    bool animatingSwipe() const { return animatingSwipe_; }
    const std::optional<AlertMessage>& alert() const { return alert_; }

    // What the screens write. Preferences, the language included, take effect at once; the
    // screen then calls save().
    void setPreferences(const Preferences& preferences);
    void setShowTutorial(bool show);
    void setFilter(SessionFilter filter);
    // The volume picker's row; applySelectedVolume() then shows its figures.
    void setSelectedVolumeID(std::optional<std::uint64_t> device);
    void dismissAlert();

    // The folders were resolved and, when the paused session is bound to a volume, the volumes
    // were listed: resuming can check them.
    bool resumeReady() const;
    // A paused session can be taken up again.
    bool canResume() const;
    // Bytes sent to the Trash over the whole history; saturates instead of overflowing.
    std::int64_t trashedTotal() const;

    SoundDesign& soundDesign() { return *soundDesign_; }

    // Writes the state once no further call came for saveDelay, with the state of the last call.
    void save();
    // Writes the current state now, replacing a pending save(); the future ends once written.
    // Nothing is written before the state file was read, nor after it could not be.
    QFuture<void> flushState();
    // Cancels every background job and gives up the access to every folder. Called as the
    // application ends.
    void shutdown();

    // The picked volume, else the first listed; nothing without volumes.
    std::optional<StorageVolume> selectedVolume() const;

    // Lists the volumes again unless a listing runs or, unless forced, one started at most
    // volumeRefreshInterval ago. Forcing also forgets the volume identifiers, as after a mount.
    void updateDisk(bool force);
    void applySelectedVolume();
    // Selects the volume and opens the folder chooser on it.
    void chooseVolume(const StorageVolume& volume);
    void refreshRunningApplications();

    // Shows the folder chooser and adds every chosen folder, as sources or as destinations.
    // `replacing` renews that grant; `suggested` opens the chooser on a standard folder.
    void chooseFolders(bool destination, const std::optional<std::string>& replacing = {},
                       std::optional<StandardFolder> suggested = {},
                       const std::optional<std::string>& startFolder = {});
    // Grants one folder and stores it: in place of the grant it renews or names the same
    // folder, else as a new source at the end or a new destination at the front.
    void addFolder(const std::string& folder, bool destination,
                   const std::optional<std::string>& replacing = {});
    void removeSource(const FolderGrant& grant);
    // Resolves every grant again and applies the result unless a newer resolution started
    // meanwhile or `caller` asked to stop; the future ends either way.
    QFuture<void> resolveGrants(std::stop_token caller = {});
    void finishOnboarding();
    // Forgets every remembered decision.
    void resetReviewed();
    // Creates the folder `name` (trimmed) in `parent` and adds it as a destination.
    QFuture<void> createDestination(const std::string& name, const std::string& parent);

signals:
    void stateChanged();
    void loadingChanged();
    void pageChanged();
    void showTutorialChanged();
    void statusesChanged();
    void filterChanged();
    void insightsChanged();
    void volumesChanged();
    void selectedVolumeIDChanged();
    void diskTotalChanged();
    void diskFreeChanged();
    void runningApplicationPathsChanged();
    void sessionActiveChanged();
    void busyChanged();
    void animatingSwipeChanged();
    void alertChanged();

private:
    // The state file is written only once it was read: before, the default state would
    // overwrite the user's; after a failed read, the file stays as the user left it.
    enum class Persistence { awaitingLoad, enabled, disabled };

    template <class T>
    void publish(T& field, T value, void (AppModel::*changed)());
    template <class Change>
    void changeState(Change&& change);
    void raiseAlert(std::string_view titleKey, std::string message);

    void startLoad();
    void applyLoadedState(const Outcome<SavedState>& outcome);
    void applyLoadedJournal(const Outcome<ReviewStamps>& outcome);
    void finishLoading();
    void writeState(SavedState copy, std::uint64_t revision, std::function<void()> completion = {});

    void applyGrantResolution(const GrantResolution& resolution);
    std::optional<std::size_t> grantNaming(const std::vector<FolderGrant>& grants,
                                           const std::string& folder,
                                           const std::optional<std::string>& replacing) const;
    void scan();
    void applyVolumes(std::vector<StorageVolume> volumes);

    // Services, made once.
    ModelServices services_;
    std::unique_ptr<SoundDesign> soundDesign_;
    std::shared_ptr<FileOperations> operations_;
    std::shared_ptr<StateWriter> writer_;
    std::shared_ptr<ReviewJournal> journal_;
    std::shared_ptr<SerialQueue> operationsQueue_;
    std::shared_ptr<SerialQueue> writerQueue_;
    std::shared_ptr<SerialQueue> journalQueue_;

    // The index of the last scan; a new scan replaces it while jobs queued on the old one finish.
    std::shared_ptr<InsightAccumulator> statistics_;

    // Published.
    SavedState state_;
    bool loading_ = true;
    Page page_ = Page::dashboard;
    bool showTutorial_ = false;
    std::map<std::string, SourceStatus> statuses_;
    SessionFilter filter_;
    FileInsights insights_;
    std::vector<StorageVolume> volumes_;
    std::optional<std::uint64_t> selectedVolumeID_;
    std::int64_t diskTotal_ = 0;
    std::int64_t diskFree_ = 0;
    std::set<std::string> runningApplicationPaths_;
    bool sessionActive_ = false;
    bool busy_ = false;
    bool animatingSwipe_ = false;
    std::optional<AlertMessage> alert_;

    // Persistence.
    Persistence persistence_ = Persistence::awaitingLoad;
    bool journalEnabled_ = true;
    std::uint64_t stateRevision_ = 0;

    // The remembered decisions, by path.
    ReviewStamps reviewed_;

    // The folders whose access the last applied resolution started.
    std::vector<std::string> accesses_;

    // Background jobs: a handle to cancel, a generation that tells a stale result.
    std::shared_ptr<TaskHandle> saveTask_;
    std::shared_ptr<TaskHandle> volumeTask_;
    // Monotonic, so that setting the system clock back cannot stall the refreshes.
    std::optional<std::chrono::steady_clock::time_point> lastDiskRefresh_;
    std::uint64_t grantGeneration_ = 0;
};

template <class T>
inline void AppModel::publish(T& field, T value, void (AppModel::*changed)())
{
    Q_ASSERT(QThread::currentThread() == thread());
    field = std::move(value);
    emit(this->*changed)();
}

template <class Change>
inline void AppModel::changeState(Change&& change)
{
    Q_ASSERT(QThread::currentThread() == thread());
    change(state_);
    emit stateChanged();
}

} // namespace tollenvane
