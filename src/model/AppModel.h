#pragma once

#include "core/applications/AppDataReport.h"
#include "core/applications/ApplicationCursor.h"
#include "core/applications/ApplicationStep.h"
#include "core/base/TextHash.h"
#include "core/duplicates/DuplicateGroup.h"
#include "core/insights/FileInsights.h"
#include "core/insights/InsightAccumulator.h"
#include "core/insights/SessionSelection.h"
#include "core/operations/FileOperations.h"
#include "core/persistence/ReviewJournal.h"
#include "core/persistence/SavedState.h"
#include "core/persistence/StateStore.h"
#include "core/persistence/StateWriter.h"
#include "core/platform/XdgFolders.h"
#include "core/records/Decision.h"
#include "core/records/RecordQueue.h"
#include "core/records/ReviewStamp.h"
#include "core/records/SessionFilter.h"
#include "core/records/SessionSummary.h"
#include "core/scan/ScanEvent.h"
#include "core/storage/StorageNode.h"
#include "core/volumes/StorageVolume.h"
#include "model/AlertMessage.h"
#include "model/ApplicationList.h"
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
#include <unordered_set>
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

    // Scans and the selection estimate.
    bool scanning() const { return scanning_; }
    // Files indexed so far by the running scan.
    std::int64_t indexedCount() const { return indexedCount_; }
    // The first problems of the last scan; issueCount() counts every one.
    const std::vector<std::string>& scanIssues() const { return scanIssues_; }
    std::int64_t issueCount() const { return issueCount_; }
    // When the last scan reached its end.
    std::optional<Date> lastScan() const { return lastScan_; }
    // What a session over filter() would hold.
    std::int64_t matchingCount() const { return matchingCount_; }
    std::int64_t matchingBytes() const { return matchingBytes_; }
    bool preparingSelection() const { return preparingSelection_; }

    // Review sessions, decisions and undo.
    // The cards left; the first one is shown.
    const RecordQueue& pending() const { return pending_; }
    std::int64_t queueCount() const { return queueCount_; }
    // The running session's totals, or the last one's.
    const SessionSummary& summary() const { return summary_; }
    // Decisions that can be undone, newest first; 0 when the newest cannot be.
    std::int64_t undoCount() const { return undoCount_; }
    bool showMove() const { return showMove_; }
    bool confirmTrash() const { return confirmTrash_; }

    // Duplicates, the storage explorer and previews.
    const std::vector<DuplicateGroup>& duplicateGroups() const { return duplicateGroups_; }
    bool findingDuplicates() const { return findingDuplicates_; }
    // Kept after the search ends: the last text that search set.
    const std::string& duplicateProgress() const { return duplicateProgress_; }
    // The folder the storage explorer shows; none for the authorised roots.
    const std::optional<std::string>& storagePath() const { return storagePath_; }
    const std::vector<StorageNode>& storageNodes() const { return storageNodes_; }
    // The file whose preview is open.
    const std::optional<FileRecord>& inspectedFile() const { return inspectedFile_; }
    // The full preview of the current card is open.
    bool showPreview() const { return showPreview_; }

    // Installed applications and the data removed ones left behind.
    const std::vector<FileRecord>& applications() const { return applications_.records(); }
    // What the rules judge each application by besides its record, by position as
    // applications(): judged with the record, off the main thread.
    const std::vector<BundleStanding>& applicationStandings() const
    {
        return applications_.standings();
    }
    // Changes whenever applications() changes otherwise than by growing at its end: while it
    // stays, the records a screen already took are still the list's first ones.
    std::uint64_t applicationsGeneration() const { return applications_.generation(); }
    bool scanningApplications() const { return scanningApplications_; }
    // Each problem of the last application inventory once.
    const std::vector<std::string>& applicationIssues() const { return applicationIssues_; }
    // The report of the last inspection that ran to its end.
    const AppDataReport& appData() const { return appData_; }
    bool scanningAppData() const { return scanningAppData_; }

    // The volume picker: a listing of the volumes runs (refreshingVolumesChanged when it starts
    // and when it ends).
    bool refreshingVolumes() const { return volumeTask_ != nullptr; }

    // What the screens write. Preferences, the language included, take effect at once; the
    // screen then calls save().
    void setPreferences(const Preferences& preferences);
    void setShowTutorial(bool show);
    void setFilter(SessionFilter filter);
    // The volume picker's row; applySelectedVolume() then shows its figures.
    void setSelectedVolumeID(std::optional<std::uint64_t> device);
    // Shows the one alert, titled with the text of `titleKey`, in place of any other; the screens
    // raise it for what the desktop around the application failed to do. A `name`, as it is,
    // stands for the message's "{0}".
    void raiseAlert(std::string_view titleKey, std::string message,
                    std::optional<std::string> name = std::nullopt);
    void dismissAlert();
    // The deck closes the move sheet and the trash confirmation.
    void setShowMove(bool show);
    void setConfirmTrash(bool show);
    // Duplicates, the storage explorer and previews: the preview screens close what they show.
    void setShowPreview(bool show);
    void clearInspectedFile();

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
    // Reads the running applications off the main thread, one reading at a time: a call during
    // a reading asks for one more when it ends. runningApplicationPathsChanged follows when the
    // reading that ends differs from what is shown.
    void refreshRunningApplications();

    // Shows the folder chooser and adds every chosen folder, as sources or as destinations,
    // then resolves the grants and saves once for them all. `replacing` renews that grant;
    // `suggested` opens the chooser on a standard folder.
    void chooseFolders(bool destination, const std::optional<std::string>& replacing = {},
                       std::optional<StandardFolder> suggested = {},
                       const std::optional<std::string>& startFolder = {});
    // Grants one folder and stores it: in place of the grant it renews or names the same
    // folder, else as a new source at the end or a new destination at the front.
    void addFolder(const std::string& folder, bool destination,
                   const std::optional<std::string>& replacing = {});
    void removeSource(const FolderGrant& grant);
    // Marks or unmarks the destination `id` as a favourite in place, then saves.
    void toggleFavoriteDestination(const std::string& id);
    // Forgets the destination `id`; the others keep their order.
    void removeDestination(const std::string& id);
    // Resolves every grant again and applies the result unless a newer resolution started
    // meanwhile or `caller` asked to stop; the future ends either way.
    QFuture<void> resolveGrants(std::stop_token caller = {});
    void finishOnboarding();
    // Forgets every remembered decision.
    void resetReviewed();
    // The name a new folder gets: typed names lose all surrounding whitespace, the one rule
    // both the form and the creation follow.
    static std::string trimmedFolderName(const std::string& name);
    // Creates the folder `name` (trimmed) in `parent` and adds it as a destination; true once
    // the folder is made. A name that cannot be a folder's is refused at once, with an alert that
    // says why.
    QFuture<bool> createDestination(const std::string& name, const std::string& parent);

    // Scans and the selection estimate.
    // Indexes the authorised folders again; nothing while a session runs or a decision is made.
    void scan();
    void stopScan();
    // Shows the session set-up page with this filter.
    void setup(SessionFilter filter);
    // Changes page from the sidebar or a menu, with its cue.
    void navigate(Page page);
    // Shows `page` at once, without the cue, even while a card flies out.
    void setPage(Page page);
    // The cue of a decision, without touching any file: the deck as a card flies out, the
    // tutorial.
    void playDemo(Decision decision);

    // Review sessions.
    // A session over filter(), or over exactly `files` in their order.
    void startSession(std::optional<std::vector<FileRecord>> files = std::nullopt);
    // Takes up the paused session once its disk and its folders are there.
    void resumeSession();
    void finishSession();

    // Decisions and undo.
    // Move asks for a destination; trash asks for confirmation when the preferences say so;
    // keep, later and an unconfirmed trash are carried out at once.
    void request(Decision decision);
    // The deck starts flying out the card `fileID`; false when that card cannot be decided now.
    bool beginSwipe(Decision decision, const std::string& fileID);
    // The card has flown out: the decision is carried out if that card is still the first.
    void finishPendingSwipe();
    // Carries out the decision on the first card; `destination` is the folder of a move.
    void act(Decision decision, const std::optional<std::string>& destination, bool playSound);
    void undo();
    // Puts off a card whose file is not on this computer, without touching it.
    void skipUnavailable();

    // Duplicates, the storage explorer and previews.
    // Searches the indexed files for identical ones and shows the duplicates page; nothing while
    // a search or a scan runs. The groups found before stay until the new ones arrive.
    void findDuplicates();
    // Stops the search; the groups found before stay.
    void cancelDuplicates();
    // Remembers `kept` as kept and starts a session over the group's other copies.
    void sortCopies(const DuplicateGroup& group, const FileRecord& kept);
    // Shows the children of `folder` (none for the roots); a later call wins, whichever answer
    // arrives first.
    void openStorageFolder(const std::optional<std::string>& folder);
    // Opens the full preview of the current card once its file is confirmed on the disk.
    void openPreview();
    // Opens the preview of an application or an indexed file once it is confirmed on the disk.
    void inspectFile(const std::string& path);

    // Installed applications and the data removed ones left behind.
    // Lists the installed applications again; nothing during a session, a decision or a listing.
    void scanApplications();
    // Starts a session over these applications.
    void sortApplications(const std::vector<FileRecord>& files);
    // Stops the inventory at once: the flag falls now, and a bundle still being read when the
    // call came is dropped. The applications listed so far stay.
    void stopApplicationScan();
    // Looks for what removed applications left behind; nothing while an inspection runs.
    void inspectAppData();
    // Stops the inspection: its report, should it still arrive, is dropped.
    void stopAppDataInspection();

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

    // Scans and the selection estimate.
    void scanningChanged();
    void indexedCountChanged();
    void scanIssuesChanged();
    void issueCountChanged();
    void lastScanChanged();
    // Both counts change together, in one update.
    void matchingChanged();
    void preparingSelectionChanged();

    // Review sessions, decisions and undo.
    void queueCountChanged();
    void summaryChanged();
    void undoCountChanged();
    void showMoveChanged();
    void confirmTrashChanged();

    // Duplicates, the storage explorer and previews.
    void duplicateGroupsChanged();
    void findingDuplicatesChanged();
    void duplicateProgressChanged();
    void storagePathChanged();
    void storageNodesChanged();
    void inspectedFileChanged();
    void showPreviewChanged();

    // Installed applications and the data removed ones left behind.
    void applicationsChanged();
    void scanningApplicationsChanged();
    void applicationIssuesChanged();
    void appDataChanged();
    void scanningAppDataChanged();

    // The volume picker.
    void refreshingVolumesChanged();

private:
    // The state file is written only once it was read: before, the default state would
    // overwrite the user's; after a failed read, the file stays as the user left it.
    enum class Persistence { awaitingLoad, enabled, disabled };

    template <class T>
    void publish(T& field, T value, void (AppModel::*changed)());
    // Whether scan() starts one now.
    bool scanAllowed() const { return !sessionActive_ && !busy_; }
    template <class Change>
    void changeState(Change&& change);

    void startLoad();
    void applyLoadedState(const Outcome<SavedState>& outcome);
    void applyLoadedJournal(const Outcome<ReviewStamps>& outcome);
    void finishLoading();
    void writeState(SavedState copy, std::uint64_t revision, std::function<void()> completion = {});

    void applyGrantResolution(const GrantResolution& resolution);
    // Grants the folders and stores them, in order, as addFolder() says; an alert for each one
    // that cannot be granted. True when at least one was stored.
    bool storeGrants(const std::vector<std::string>& folders, bool destination,
                     const std::optional<std::string>& replacing);
    std::optional<std::size_t> grantNaming(const std::vector<FolderGrant>& grants,
                                           const std::string& folder,
                                           const std::optional<std::string>& replacing) const;
    void applyVolumes(std::vector<StorageVolume> volumes);

    // Scans and the selection estimate.
    struct ScanRun;
    void assignPage(Page page);
    void pageAssigned();
    void filterAssigned();
    void startIndexing(const std::shared_ptr<ScanRun>& run);
    void pullScan(const std::shared_ptr<ScanRun>& run);
    void handleScanEvent(const std::shared_ptr<ScanRun>& run, std::optional<ScanEvent> event);
    void indexBatch(const std::shared_ptr<ScanRun>& run, const std::vector<FileRecord>& found);
    // Every way out of a scan: its flag falls unless a newer scan owns it.
    void endScan(const ScanRun& run);
    void cancelScan();
    // A decision took a file out of the index, or an undo put it back: the running scan learns
    // which of its batches may still name it.
    void noteIndexChange(std::string_view path, bool removed);
    void applyScanBatch(const std::vector<FileRecord>& records, FileInsights insights);
    void finishScan();
    bool isCurrent(const ScanRun& run) const;
    std::vector<FileRecord> admitToSession(const std::vector<FileRecord>& records);
    // Counts `weight` problems and keeps the text while fewer than scanIssueLimit are kept.
    void addScanIssue(std::string text, std::int64_t weight = 1);
    void scheduleSelection(bool showProgress);
    void estimateSelection(const std::shared_ptr<TaskHandle>& task, std::uint64_t taskID);
    void applyEstimate(const std::shared_ptr<TaskHandle>& task, std::uint64_t taskID,
                       std::uint64_t generation, const Outcome<FileTally>& estimate);
    void publishInsights(FileInsights insights);

    // Review sessions.
    void prepareSession(std::optional<std::vector<FileRecord>> selected, bool resuming);
    void chooseApplicationCards(std::optional<std::vector<FileRecord>> selected, bool resuming,
                                std::function<void(std::vector<FileRecord>)> done);
    void listApplicationsForSession(std::shared_ptr<ApplicationCursor> cursor,
                                    std::function<void()> done);
    void appendApplications(const std::vector<FileRecord>& records,
                            const std::vector<BundleStanding>& standings);
    void finishPreparation(std::vector<FileRecord> cards);
    void persistSummary();
    SessionCheckpoint checkpoint() const;
    // The paused session's filter on today's disks; none after an alert saying why not.
    std::optional<SessionFilter> resumableFilter(const SessionCheckpoint& paused);

    // Decisions and undo.
    void performed(const FileRecord& card, const std::optional<std::string>& destination,
                   const OperationReceipt& receipt);
    void followMovedFile(const FileRecord& card, const std::optional<std::string>& destination,
                         const OperationReceipt& receipt);
    void recordDecision(const FileRecord& card, const std::optional<std::string>& destination,
                        const OperationReceipt& receipt);
    void concludeDecision(const FileRecord& card, const std::optional<std::string>& destination,
                          const OperationReceipt& receipt);
    void restored(const OperationReceipt& receipt, const FileRecord& file,
                  const std::optional<BundleStanding>& standing);
    void returnCard(const OperationReceipt& receipt, const FileRecord& file,
                    const std::optional<BundleStanding>& standing);
    void concludeUndo(const OperationReceipt& receipt);
    void remember(const FileRecord& file, Decision decision, std::function<void()> then);
    void forget(const std::string& path, std::function<void()> then);
    void journal(const std::string& path, std::optional<ReviewStamp> stamp,
                 std::function<void()> then);
    void removeFromIndex(const FileRecord& file, bool publishAnswer, std::function<void()> then);
    void addToIndex(const FileRecord& file, std::function<void()> then);
    void setQueueCount();
    void setUndoCount();
    void moveDestinationToFront(const std::string& destination);
    bool insideResolvedSource(std::string_view path) const;
    std::optional<FileRecord> currentCard() const;

    // Duplicates, the storage explorer and previews.
    void applyDuplicateProgress(std::uint64_t generation, std::int64_t done, std::int64_t total);
    void applyDuplicates(std::uint64_t generation, const std::shared_ptr<TaskHandle>& task,
                         Outcome<std::vector<DuplicateGroup>> found);
    // Confirms that `record` is on the disk, then opens it when `stillWanted` agrees.
    void checkAvailability(FileRecord record, std::function<bool()> stillWanted,
                           std::function<void(FileRecord)> open);

    // Installed applications and the data removed ones left behind.
    void pullApplication(std::shared_ptr<ApplicationCursor> cursor,
                         std::shared_ptr<TaskHandle> task);
    void applyApplicationStep(const ApplicationStep& step);
    void applyAppData(std::uint64_t generation, const Outcome<AppDataReport>& outcome);

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

    // Scans and the selection estimate.
    bool scanning_ = false;
    std::int64_t indexedCount_ = 0;
    std::vector<std::string> scanIssues_;
    std::int64_t issueCount_ = 0;
    std::optional<Date> lastScan_;
    std::int64_t matchingCount_ = 0;
    std::int64_t matchingBytes_ = 0;
    bool preparingSelection_ = false;

    // Review sessions, decisions and undo.
    RecordQueue pending_;
    std::int64_t queueCount_ = 0;
    SessionSummary summary_;
    std::int64_t undoCount_ = 0;
    bool showMove_ = false;
    bool confirmTrash_ = false;

    // Duplicates, the storage explorer and previews.
    std::vector<DuplicateGroup> duplicateGroups_;
    bool findingDuplicates_ = false;
    std::string duplicateProgress_;
    std::optional<std::string> storagePath_;
    std::vector<StorageNode> storageNodes_;
    std::optional<FileRecord> inspectedFile_;
    bool showPreview_ = false;

    // Installed applications and the data removed ones left behind.
    ApplicationList applications_;
    bool scanningApplications_ = false;
    std::vector<std::string> applicationIssues_;
    // The same texts, to keep each once without searching the list.
    std::unordered_set<std::string, TextHash, std::equal_to<>> applicationIssueTexts_;
    AppDataReport appData_;
    bool scanningAppData_ = false;

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
    // A reading of the running applications can stall in the kernel (a bundle on a stale network
    // mount): the polls behind it wait for it, and at most one more reading is owed to them.
    bool readingRunningApplications_ = false;
    bool runningApplicationsAskedAgain_ = false;

    // Scans and the selection estimate. The accumulator's own queue keeps the index's changes
    // in the order they were asked for.
    std::shared_ptr<SerialQueue> statisticsQueue_;
    // The scan under way, until it is stopped or replaced.
    std::shared_ptr<ScanRun> scanRun_;
    std::uint64_t scanGeneration_ = 0;
    std::shared_ptr<TaskHandle> selectionTask_;
    std::uint64_t selectionGeneration_ = 0;
    std::uint64_t selectionTaskID_ = 0;
    bool selectionDirty_ = false;
    bool selectionNeedsProgress_ = false;

    // Review sessions, decisions and undo.
    std::vector<OperationReceipt> receipts_; // oldest first
    struct PendingSwipe {
        std::string id;
        Decision decision;
    };
    std::optional<PendingSwipe> pendingSwipe_;
    std::optional<PathSet> explicitSessionPaths_;
    PathSet sessionSeen_;
    SessionFilter activeFilter_;
    Date sessionStarted_ = 0;

    // Duplicates, the storage explorer and previews.
    std::shared_ptr<TaskHandle> duplicateTask_;
    std::uint64_t duplicateGeneration_ = 0;
    std::optional<std::chrono::steady_clock::time_point> lastStorageRefresh_;
    std::uint64_t storageGeneration_ = 0;
    // Shared by both kinds of preview, so that only the newest request opens anything.
    std::uint64_t previewGeneration_ = 0;

    // Installed applications and the data removed ones left behind.
    std::shared_ptr<TaskHandle> applicationTask_;
    std::shared_ptr<TaskHandle> appDataTask_;
    std::uint64_t appDataGeneration_ = 0;
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
