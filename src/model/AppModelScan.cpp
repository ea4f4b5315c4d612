// Indexing the authorised folders with the running totals and problems, a running session fed
// as files are found, the estimate of the set-up page's filter, and the changes of page.
#include "core/base/Path.h"
#include "core/localisation/Localization.h"
#include "core/scan/FileIndexer.h"
#include "core/scan/ScanErrors.h"
#include "model/AppModel.h"
#include "model/ErrorDescription.h"
#include "model/async/Await.h"
#include "model/async/WhenFinished.h"

#include <QPointer>
#include <algorithm>
#include <iterator>

namespace tollenvane {

namespace {

// Problem texts kept to be shown; every problem is counted all the same.
constexpr std::size_t scanIssueLimit = 30;
// The storage explorer follows a scan at most this often.
constexpr std::chrono::milliseconds storageRefreshInterval{500};
// The pause before an estimate: short while the user waits on a progress indicator.
constexpr std::chrono::milliseconds shortEstimatePause{80};
constexpr std::chrono::milliseconds estimatePause{350};

} // namespace

struct AppModel::ScanRun {
    std::shared_ptr<TaskHandle> task = std::make_shared<TaskHandle>();
    std::uint64_t generation = 0;
    bool showHidden = false;
    std::int64_t minimumSize = 0;
    std::shared_ptr<InsightAccumulator> accumulator;
    std::shared_ptr<ScanCursor> cursor;
    // Paths that decisions took out of the index while this scan ran: a batch read before the
    // decision must not bring them back.
    PathSet decided;
};

void AppModel::scan()
{
    if (!scanAllowed()) {
        return;
    }
    cancelScan();
    cancel(duplicateTask_);
    ++duplicateGeneration_;
    publish(findingDuplicates_, false, &AppModel::findingDuplicatesChanged);
    publish(indexedCount_, std::int64_t{0}, &AppModel::indexedCountChanged);
    publish(insights_, FileInsights{}, &AppModel::insightsChanged);
    publish(duplicateGroups_, {}, &AppModel::duplicateGroupsChanged);
    publish(scanIssues_, {}, &AppModel::scanIssuesChanged);
    publish(issueCount_, std::int64_t{0}, &AppModel::issueCountChanged);
    publish(scanning_, true, &AppModel::scanningChanged);

    auto run = std::make_shared<ScanRun>();
    run->generation = ++scanGeneration_;
    // Preferences changed later reach the next scan, not this one.
    run->showHidden = state_.preferences.showHidden;
    run->minimumSize = state_.preferences.minimumSize;
    scanRun_ = run;
    whenFinished(resolveGrants(run->task->token()), this, [this, run] { startIndexing(run); });
}

bool AppModel::isCurrent(const ScanRun& run) const
{
    return !run.task->cancelled() && run.generation == scanGeneration_;
}

void AppModel::endScan(const ScanRun& run)
{
    if (run.generation == scanGeneration_) {
        publish(scanning_, false, &AppModel::scanningChanged);
    }
}

void AppModel::cancelScan()
{
    if (scanRun_) {
        scanRun_->task->cancel();
        scanRun_ = nullptr;
    }
}

void AppModel::noteIndexChange(std::string_view path, bool removed)
{
    if (!scanRun_) {
        return;
    }
    if (removed) {
        scanRun_->decided.emplace(path);
    } else if (const auto found = scanRun_->decided.find(path); found != scanRun_->decided.end()) {
        scanRun_->decided.erase(found);
    }
}

void AppModel::startIndexing(const std::shared_ptr<ScanRun>& run)
{
    if (!isCurrent(*run)) {
        endScan(*run);
        return;
    }
    std::vector<std::string> roots;
    for (const FolderGrant& source : state_.sources) {
        const auto status = statuses_.find(source.id);
        if (status != statuses_.end() && status->second.location) {
            roots.push_back(*status->second.location);
        }
    }
    for (const FolderGrant& source : state_.sources) {
        const auto status = statuses_.find(source.id);
        if (status == statuses_.end() || !status->second.location) {
            const bool explained = status != statuses_.end() && status->second.error;
            addScanIssue(source.name + " : " +
                         (explained ? *status->second.error : L("Accès perdu")));
        }
    }
    run->accumulator = std::make_shared<InsightAccumulator>(roots, services_.clock->wallNow());
    statistics_ = run->accumulator;
    run->cursor = std::make_shared<ScanCursor>(FileIndexer::scan(
        std::move(roots), run->showHidden, run->minimumSize, services_.scanOptions));
    pullScan(run);
}

// One step of the walk at a time, the next asked for only once this one was handled.
void AppModel::pullScan(const std::shared_ptr<ScanRun>& run)
{
    awaitOn(
        *services_.executor, Priority::utility, this,
        [cursor = run->cursor, stop = run->task->token()] { return cursor->next(stop); },
        [this, run](Outcome<std::optional<ScanEvent>> step) {
            // A walk that fails outright ends like one that is over.
            handleScanEvent(run, step.value ? std::move(*step.value) : std::nullopt);
        });
}

void AppModel::handleScanEvent(const std::shared_ptr<ScanRun>& run, std::optional<ScanEvent> event)
{
    if (!event || !isCurrent(*run)) {
        endScan(*run);
        return;
    }
    switch (event->kind()) {
    case ScanEvent::Kind::batch:
        indexBatch(run, event->records());
        return;
    case ScanEvent::Kind::issue:
        addScanIssue(event->problem().text, event->problem().weight);
        break;
    case ScanEvent::Kind::finished:
        finishScan();
        break;
    }
    pullScan(run);
}

void AppModel::indexBatch(const std::shared_ptr<ScanRun>& run, const std::vector<FileRecord>& found)
{
    auto records = std::make_shared<std::vector<FileRecord>>();
    std::copy_if(found.begin(), found.end(), std::back_inserter(*records),
                 [&](const FileRecord& record) { return !run->decided.contains(record.path()); });
    awaitOn(
        *statisticsQueue_, this,
        [append = services_.indexAppend, accumulator = run->accumulator,
         records = std::shared_ptr<const std::vector<FileRecord>>(records)] {
            return append(*accumulator, *records);
        },
        [this, run, records](Outcome<FileInsights> insights) {
            if (isCurrent(*run) && insights.value) {
                applyScanBatch(*records, std::move(*insights.value));
                pullScan(run);
                return;
            }
            if (isCurrent(*run)) {
                raiseAlert("Action impossible", errorDescription(insights.error));
            }
            endScan(*run); // nothing more of this scan is shown
        });
}

void AppModel::applyScanBatch(const std::vector<FileRecord>& records, FileInsights insights)
{
    publishInsights(std::move(insights));
    scheduleSelection(false);
    const auto now = services_.clock->steadyNow();
    if (page_ == Page::space &&
        (!lastStorageRefresh_ || now - *lastStorageRefresh_ > storageRefreshInterval)) {
        openStorageFolder(storagePath_);
    }
    if (sessionActive_) {
        std::vector<FileRecord> admitted = admitToSession(records);
        if (!admitted.empty()) {
            pending_.append(std::move(admitted));
            setQueueCount();
        }
    }
}

// The files of a batch that the running session takes: those its filter and its explicit list
// accept, that were not decided before (unless the session shows those too), each path once.
std::vector<FileRecord> AppModel::admitToSession(const std::vector<FileRecord>& records)
{
    const Date now = services_.clock->wallNow();
    const std::optional<std::string> sessionID = summary_.id;
    std::vector<FileRecord> admitted;
    for (const FileRecord& record : records) {
        if (!activeFilter_.matches(record, now)) {
            continue;
        }
        if (explicitSessionPaths_ && !explicitSessionPaths_->contains(record.path())) {
            continue;
        }
        const auto stamp = reviewed_.find(record.path());
        if (stamp != reviewed_.end() &&
            stamp->second.skips(record, sessionID, activeFilter_.includeReviewed)) {
            continue;
        }
        if (sessionSeen_.insert(std::string(record.path())).second) {
            admitted.push_back(record);
        }
    }
    return admitted;
}

void AppModel::finishScan()
{
    publish(scanning_, false, &AppModel::scanningChanged);
    publish(lastScan_, std::optional(services_.clock->wallNow()), &AppModel::lastScanChanged);
    // The problems beyond those shown are told in one closing line, so that the list accounts
    // for every problem counted.
    const auto shown = static_cast<std::int64_t>(scanIssues_.size());
    if (issueCount_ > shown) {
        scanIssues_.push_back(ScanErrors::skippedText(issueCount_ - shown));
        emit scanIssuesChanged();
    }
    updateDisk(true);
    openStorageFolder(storagePath_);
    if (sessionActive_ && pending_.count() == 0 && !busy_) {
        finishSession();
    }
}

void AppModel::stopScan()
{
    ++scanGeneration_;
    cancelScan();
    publish(scanning_, false, &AppModel::scanningChanged);
    openStorageFolder(storagePath_);
    if (sessionActive_ && pending_.count() == 0 && !busy_) {
        finishSession();
    }
}

void AppModel::addScanIssue(std::string text, std::int64_t weight)
{
    publish(issueCount_, issueCount_ + weight, &AppModel::issueCountChanged);
    if (scanIssues_.size() < scanIssueLimit) {
        scanIssues_.push_back(std::move(text));
        emit scanIssuesChanged();
    }
}

void AppModel::publishInsights(FileInsights insights)
{
    const std::int64_t indexed = insights.tally(FileFilter::all).count;
    publish(insights_, std::move(insights), &AppModel::insightsChanged);
    publish(indexedCount_, indexed, &AppModel::indexedCountChanged);
}

void AppModel::filterAssigned()
{
    ++selectionGeneration_;
    scheduleSelection(true);
}

void AppModel::assignPage(Page page)
{
    publish(page_, page, &AppModel::pageChanged);
    pageAssigned();
}

void AppModel::pageAssigned()
{
    if (page_ == Page::setup) {
        scheduleSelection(true);
        return;
    }
    ++selectionTaskID_;
    cancel(selectionTask_);
    selectionTask_ = nullptr;
    publish(preparingSelection_, false, &AppModel::preparingSelectionChanged);
}

// Asks for a new estimate of filter(). Requests made while one runs only mark it dirty, so a
// burst of changes costs one estimate after the running one.
void AppModel::scheduleSelection(bool showProgress)
{
    if (page_ != Page::setup) {
        return;
    }
    if (showProgress) {
        selectionNeedsProgress_ = true;
    }
    selectionDirty_ = true;
    // Shown at once, even while an estimate of an older filter runs: the figures are not yet
    // those of the filter shown.
    if (selectionNeedsProgress_) {
        publish(preparingSelection_, true, &AppModel::preparingSelectionChanged);
    }
    if (selectionTask_) {
        return;
    }
    const std::uint64_t taskID = ++selectionTaskID_;
    auto task = std::make_shared<TaskHandle>();
    // The task holds its timer, so the timer holds the task weakly.
    task->setTimer(
        services_.scheduler->after(selectionNeedsProgress_ ? shortEstimatePause : estimatePause,
                                   [model = QPointer(this), weak = std::weak_ptr(task), taskID] {
                                       if (const auto held = weak.lock(); model && held) {
                                           model->estimateSelection(held, taskID);
                                       }
                                   }));
    selectionTask_ = std::move(task);
}

void AppModel::estimateSelection(const std::shared_ptr<TaskHandle>& task, std::uint64_t taskID)
{
    if (task->cancelled()) {
        return;
    }
    selectionDirty_ = false;
    const std::uint64_t generation = selectionGeneration_;
    auto then = [this, task, taskID, generation](Outcome<FileTally> estimate) {
        applyEstimate(task, taskID, generation, estimate);
    };
    if (filter_.type == FileFilter::applications) {
        awaitOn(
            *services_.executor, Priority::userInitiated, this,
            [applications = applications_.records(), filter = filter_, reviewed = reviewed_,
             now = services_.clock->wallNow(), stop = task->token()] {
                const SessionSelection::Scope scope{now, reviewed};
                return SessionSelection::estimate(applications, filter, scope, stop);
            },
            then);
    } else {
        awaitOn(
            *statisticsQueue_, this,
            [statistics = statistics_, filter = filter_, reviewed = reviewed_,
             stop = task->token()] { return statistics->estimate(filter, reviewed, stop); },
            then);
    }
}

void AppModel::applyEstimate(const std::shared_ptr<TaskHandle>& task, std::uint64_t taskID,
                             std::uint64_t generation, const Outcome<FileTally>& estimate)
{
    if (!task->cancelled() && generation == selectionGeneration_ && estimate.value) {
        matchingCount_ = estimate.value->count;
        matchingBytes_ = estimate.value->bytes;
        emit matchingChanged();
    }
    if (selectionTaskID_ != taskID) {
        return; // a newer loop keeps the books
    }
    selectionTask_ = nullptr;
    if (selectionDirty_) {
        scheduleSelection(false);
    } else {
        publish(preparingSelection_, false, &AppModel::preparingSelectionChanged);
        selectionNeedsProgress_ = false;
    }
}

void AppModel::setup(SessionFilter filter)
{
    setFilter(std::move(filter));
    assignPage(Page::setup);
}

void AppModel::navigate(Page page)
{
    if (page_ == page || animatingSwipe_) {
        return;
    }
    assignPage(page);
    soundDesign_->play(SoundCue::navigation, state_.preferences, false);
}

void AppModel::setPage(Page page)
{
    assignPage(page);
}

void AppModel::playDemo(Decision decision)
{
    soundDesign_->play(soundCue(decision), state_.preferences, false);
}

} // namespace tollenvane
