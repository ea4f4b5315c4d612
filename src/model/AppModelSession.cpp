// Review sessions: starting one over a filter or over chosen files, building its cards, keeping
// its checkpoint and history entry, ending it, and taking a paused one up again.
#include "core/base/Path.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"
#include "model/async/Await.h"

#include <QPointer>
#include <algorithm>

namespace tollenvane {

namespace {

// Receipts kept in the checkpoint: enough to undo the last decisions after a restart without
// growing the state file with every decision.
constexpr std::size_t checkpointReceipts = 40;

PathSet pathsOf(const std::vector<FileRecord>& files)
{
    PathSet paths;
    for (const FileRecord& file : files) {
        paths.insert(std::string(file.path()));
    }
    return paths;
}

} // namespace

void AppModel::startSession(std::optional<std::vector<FileRecord>> files)
{
    if (busy_ || animatingSwipe_) {
        return;
    }
    persistSummary(); // the previous session's totals, and its checkpoint if it still ran
    SessionSummary fresh = SessionSummary::start();
    fresh.date = services_.clock->wallNow();
    sessionStarted_ = fresh.date;
    publish(summary_, std::move(fresh), &AppModel::summaryChanged);
    receipts_.clear(); // an earlier session's decisions can no longer be undone
    setUndoCount();
    activeFilter_ = filter_;
    explicitSessionPaths_ = files ? std::optional(pathsOf(*files)) : std::nullopt;
    prepareSession(std::move(files), false);
}

// The session runs at once with no cards; `busy` keeps decisions and other starts out until its
// cards are chosen. A scan may add cards meanwhile.
void AppModel::prepareSession(std::optional<std::vector<FileRecord>> selected, bool resuming)
{
    sessionSeen_.clear();
    pending_ = RecordQueue();
    setQueueCount();
    publish(sessionActive_, true, &AppModel::sessionActiveChanged);
    publish(busy_, true, &AppModel::busyChanged);

    auto done = [this](std::vector<FileRecord> cards) { finishPreparation(std::move(cards)); };
    if (activeFilter_.type == FileFilter::applications) {
        chooseApplicationCards(std::move(selected), resuming, done);
    } else if (selected) {
        postToMain([model = QPointer(this), done, cards = std::move(*selected)] {
            if (model) {
                done(cards);
            }
        });
    } else {
        awaitOn(
            *statisticsQueue_, this,
            [statistics = statistics_, filter = activeFilter_, reviewed = reviewed_,
             sessionID = summary_.id, allowed = explicitSessionPaths_] {
                return statistics->selection(filter, reviewed, sessionID,
                                             allowed ? &*allowed : nullptr);
            },
            [done](Outcome<std::vector<FileRecord>> cards) {
                done(cards.value ? std::move(*cards.value) : std::vector<FileRecord>{});
            });
    }
}

void AppModel::chooseApplicationCards(std::optional<std::vector<FileRecord>> selected,
                                      bool resuming,
                                      std::function<void(std::vector<FileRecord>)> done)
{
    auto choose = [this, selected = std::move(selected), done, filter = activeFilter_,
                   reviewed = reviewed_, sessionID = summary_.id, allowed = explicitSessionPaths_] {
        if (selected) {
            done(*selected);
            return;
        }
        awaitOn(
            *services_.executor, Priority::userInitiated, this,
            [applications = applications_.records(), filter, reviewed, sessionID, allowed,
             now = services_.clock->wallNow()] {
                const SessionSelection::Scope scope{now, reviewed, sessionID,
                                                    allowed ? &*allowed : nullptr};
                return SessionSelection::resolve(applications, filter, scope);
            },
            [done](Outcome<std::vector<FileRecord>> cards) {
                done(cards.value ? std::move(*cards.value) : std::vector<FileRecord>{});
            });
    };
    if (!applications_.records().empty() || !resuming) {
        postToMain([model = QPointer(this), choose] {
            if (model) {
                choose();
            }
        });
        return;
    }
    // A resumed session lists the applications itself. An inventory already running would
    // list every application a second time beside this one, so it gives way.
    if (scanningApplications_) {
        cancel(applicationTask_);
        publish(scanningApplications_, false, &AppModel::scanningApplicationsChanged);
    }
    listApplicationsForSession(std::make_shared<ApplicationCursor>(services_.applicationScan()),
                               choose);
}

// Drains the application scan to its end; its problems are not the session's business.
void AppModel::listApplicationsForSession(std::shared_ptr<ApplicationCursor> cursor,
                                          std::function<void()> done)
{
    awaitOn(
        *services_.executor, Priority::utility, this,
        [cursor] { return ApplicationStep::next(*cursor); },
        [this, cursor, done](Outcome<std::optional<ApplicationStep>> step) {
            if (!step.value || !*step.value) {
                done();
                return;
            }
            if ((*step.value)->event.isBatch()) {
                appendApplications((*step.value)->event.records(), (*step.value)->standings);
            }
            listApplicationsForSession(cursor, done);
        });
}

void AppModel::appendApplications(const std::vector<FileRecord>& records,
                                  const std::vector<BundleStanding>& standings)
{
    if (applications_.append(records, standings) > 0) {
        emit applicationsChanged();
    }
}

void AppModel::finishPreparation(std::vector<FileRecord> cards)
{
    // Files a running scan queued while the cards were chosen follow them, each path once.
    const PathSet chosen = pathsOf(cards);
    for (const FileRecord& queued : pending_.remaining()) {
        if (!chosen.contains(queued.path())) {
            cards.push_back(queued);
        }
    }
    pending_ = RecordQueue(std::move(cards));
    setQueueCount();
    sessionSeen_.insert(chosen.begin(), chosen.end());
    publish(busy_, false, &AppModel::busyChanged);
    assignPage(Page::swipe);
    persistSummary();
    if (pending_.count() == 0 && !scanning_) {
        finishSession();
    }
}

SessionCheckpoint AppModel::checkpoint() const
{
    SessionCheckpoint made;
    made.filter = activeFilter_;
    made.summary = summary_;
    made.started = sessionStarted_;
    if (explicitSessionPaths_) {
        made.selectedPaths.emplace(explicitSessionPaths_->begin(), explicitSessionPaths_->end());
    }
    const std::size_t kept = std::min(receipts_.size(), checkpointReceipts);
    made.receipts.assign(receipts_.end() - static_cast<std::ptrdiff_t>(kept), receipts_.end());
    if (activeFilter_.volumeDevice) {
        const auto volume =
            std::find_if(volumes_.begin(), volumes_.end(), [&](const StorageVolume& listed) {
                return listed.device == *activeFilter_.volumeDevice;
            });
        if (volume != volumes_.end()) {
            made.volumeUUID = volume->uuid;
            made.volumePath = volume->path;
        }
    }
    return made;
}

// Stores the running session's checkpoint and its history entry, then saves. A session with no
// decision has no history entry, also after its only decision was undone.
void AppModel::persistSummary()
{
    changeState([&](SavedState& state) {
        if (sessionActive_) {
            state.pendingSession = checkpoint();
        }
        const auto entry =
            std::find_if(state.history.begin(), state.history.end(),
                         [&](const SessionSummary& session) { return session.id == summary_.id; });
        if (entry != state.history.end()) {
            if (summary_.total() == 0) {
                state.history.erase(entry);
            } else {
                *entry = summary_;
            }
        } else if (summary_.total() >= 1) {
            state.history.insert(state.history.begin(), summary_);
        }
    });
    save();
}

void AppModel::finishSession()
{
    if (busy_ || animatingSwipe_) {
        return;
    }
    publish(sessionActive_, false, &AppModel::sessionActiveChanged);
    changeState([](SavedState& state) { state.pendingSession.reset(); });
    assignPage(Page::summary);
    persistSummary();
    if (summary_.total() >= 1) {
        soundDesign_->play(SoundCue::complete, state_.preferences, false);
    }
}

void AppModel::resumeSession()
{
    if (!state_.pendingSession || !resumeReady() || sessionActive_ || busy_) {
        return;
    }
    const SessionCheckpoint paused = *state_.pendingSession;
    const std::optional<SessionFilter> filter = resumableFilter(paused);
    if (!filter) {
        return;
    }
    setFilter(*filter);
    activeFilter_ = *filter;
    // The same id: the journal entries and deferrals of the interrupted run still count.
    publish(summary_, paused.summary, &AppModel::summaryChanged);
    sessionStarted_ = paused.started;
    receipts_ = paused.receipts;
    setUndoCount();
    explicitSessionPaths_ =
        paused.selectedPaths
            ? std::optional(PathSet(paused.selectedPaths->begin(), paused.selectedPaths->end()))
            : std::nullopt;
    // Files decided before the interruption stay out through the journal.
    prepareSession(std::nullopt, true);
}

std::optional<SessionFilter> AppModel::resumableFilter(const SessionCheckpoint& paused)
{
    SessionFilter filter = paused.filter;
    const auto listedWhere = [&](auto&& test) {
        return std::find_if(volumes_.begin(), volumes_.end(), test);
    };
    const auto diskMissing = [&] {
        raiseAlert("Disque indisponible",
                   L("Reconnectez le disque de cette session, actualisez les disques puis "
                     "reprenez. Votre session est conservée."));
        return std::nullopt;
    };
    if (paused.volumeUUID) {
        const auto volume = listedWhere(
            [&](const StorageVolume& listed) { return listed.uuid == paused.volumeUUID; });
        if (volume == volumes_.end()) {
            return diskMissing();
        }
        filter.volumeDevice = volume->device;
        // The disk may be mounted under another name now; its folder filter follows it.
        if (paused.volumePath && filter.folderPath &&
            (*filter.folderPath == *paused.volumePath ||
             path::beginsWithFolder(*filter.folderPath, *paused.volumePath))) {
            filter.folderPath = volume->path + filter.folderPath->substr(paused.volumePath->size());
        }
    } else {
        if (paused.volumePath) {
            const auto volume = listedWhere(
                [&](const StorageVolume& listed) { return listed.path == *paused.volumePath; });
            if (volume != volumes_.end()) {
                filter.volumeDevice = volume->device;
            }
        }
        if (filter.volumeDevice && listedWhere([&](const StorageVolume& listed) {
                                       return listed.device == *filter.volumeDevice;
                                   }) == volumes_.end()) {
            return diskMissing();
        }
    }
    const bool foldersReachable =
        std::all_of(state_.sources.begin(), state_.sources.end(), [&](const FolderGrant& source) {
            const auto status = statuses_.find(source.id);
            return status != statuses_.end() && status->second.location;
        });
    if (!foldersReachable) {
        assignPage(Page::sources);
        raiseAlert("Accès à renouveler",
                   L("Autorisez de nouveau les sources indisponibles avant de reprendre. Votre "
                     "session est conservée."));
        return std::nullopt;
    }
    return filter;
}

} // namespace tollenvane
