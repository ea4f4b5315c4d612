// The road of one decision: from the deck to the file on disk, then the undo stack, the cards,
// the index, the review memory, the session's totals and checkpoint; and the same road back.
// Each step that waits on a service continues on the main thread, where other work may have run
// in between.
#include "core/base/Path.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"
#include "model/ErrorDescription.h"
#include "model/async/Await.h"

#include <algorithm>

namespace tollenvane {

namespace {

// Decisions that can be undone within one session.
constexpr std::size_t undoLimit = 128;

bool changesPlace(Decision decision)
{
    return decision == Decision::trash || decision == Decision::move;
}

bool isApplication(const FileRecord& file)
{
    return file.kind() == FileKind::application;
}

} // namespace

std::optional<FileRecord> AppModel::currentCard() const
{
    return pending_.first();
}

void AppModel::setShowMove(bool show)
{
    publish(showMove_, show, &AppModel::showMoveChanged);
}

void AppModel::setConfirmTrash(bool show)
{
    publish(confirmTrash_, show, &AppModel::confirmTrashChanged);
}

void AppModel::setQueueCount()
{
    publish(queueCount_, std::int64_t{pending_.count()}, &AppModel::queueCountChanged);
}

void AppModel::setUndoCount()
{
    const bool undoable = !receipts_.empty() && receipts_.back().canUndo();
    publish(undoCount_, undoable ? std::ssize(receipts_) : std::int64_t{0},
            &AppModel::undoCountChanged);
}

void AppModel::request(Decision decision)
{
    if (page_ != Page::swipe || showTutorial_ || !currentCard() || busy_ || showPreview_ ||
        showMove_) {
        return;
    }
    if (decision == Decision::trash && state_.preferences.confirmTrash) {
        setConfirmTrash(true); // the deck asks, then sends the trash again as a swipe
        return;
    }
    if (decision == Decision::move) {
        setShowMove(true); // the sheet then acts with the chosen destination
        return;
    }
    act(decision, std::nullopt, true);
}

// The deck plays the cue itself as the card starts to fly (playDemo), so none is played here.
bool AppModel::beginSwipe(Decision decision, const std::string& fileID)
{
    const std::optional<FileRecord> card = currentCard();
    if (busy_ || animatingSwipe_ || !card || card->path() != fileID) {
        return false;
    }
    pendingSwipe_ = PendingSwipe{fileID, decision};
    publish(animatingSwipe_, true, &AppModel::animatingSwipeChanged);
    return true;
}

void AppModel::finishPendingSwipe()
{
    if (!pendingSwipe_) {
        return;
    }
    const PendingSwipe swipe = *pendingSwipe_;
    pendingSwipe_.reset();
    publish(animatingSwipe_, false, &AppModel::animatingSwipeChanged);
    const std::optional<FileRecord> card = currentCard();
    if (card && card->path() == swipe.id && !busy_) {
        act(swipe.decision, std::nullopt, false);
    }
}

// The card is copied now and taken off the queue only once its file was dealt with: a refusal
// leaves it first, as it was.
void AppModel::act(Decision decision, const std::optional<std::string>& destination, bool playSound)
{
    const std::optional<FileRecord> card = currentCard();
    if (!card || busy_) {
        return;
    }
    publish(busy_, true, &AppModel::busyChanged);
    if (playSound) {
        soundDesign_->play(soundCue(decision), state_.preferences, false);
    }
    awaitOn(
        *operationsQueue_, this,
        [operations = operations_, decision, file = *card, destination] {
            return operations->perform(decision, file, destination);
        },
        [this, card = *card, destination](Outcome<OperationReceipt> receipt) {
            if (!receipt.value) {
                publish(busy_, false, &AppModel::busyChanged);
                raiseAlert("Action impossible", errorDescription(receipt.error));
                return;
            }
            performed(card, destination, *receipt.value);
        });
}

void AppModel::performed(const FileRecord& card, const std::optional<std::string>& destination,
                         const OperationReceipt& receipt)
{
    receipts_.push_back(receipt);
    if (receipts_.size() > undoLimit) {
        receipts_.erase(receipts_.begin());
    }
    setUndoCount();
    pending_.popFirst();
    setQueueCount();
    if (!changesPlace(receipt.decision)) {
        recordDecision(card, destination, receipt);
        return;
    }
    auto next = [this, card, destination, receipt] {
        applications_.remove(card.path());
        emit applicationsChanged();
        publish(duplicateGroups_, {}, &AppModel::duplicateGroupsChanged); // they may name it
        followMovedFile(card, destination, receipt);
    };
    if (isApplication(card)) {
        next();
    } else {
        removeFromIndex(card, true, next);
    }
}

// A moved file is kept at its new place: remembered there, never queued again, and indexed
// again when it stays inside an authorised folder.
void AppModel::followMovedFile(const FileRecord& card,
                               const std::optional<std::string>& destination,
                               const OperationReceipt& receipt)
{
    auto next = [this, card, destination, receipt] { recordDecision(card, destination, receipt); };
    if (receipt.decision != Decision::move || !receipt.resultingRecord) {
        next();
        return;
    }
    const FileRecord moved = *receipt.resultingRecord;
    remember(moved, Decision::keep, [this, moved, next] {
        sessionSeen_.insert(std::string(moved.path()));
        if (!isApplication(moved) && insideResolvedSource(moved.path())) {
            addToIndex(moved, next);
        } else {
            next();
        }
    });
}

void AppModel::recordDecision(const FileRecord& card, const std::optional<std::string>& destination,
                              const OperationReceipt& receipt)
{
    if (receipt.decision == Decision::trash && isApplication(card) && card.bundleIdentifier()) {
        stopAppDataInspection();
        publish(appData_, AppDataReport{}, &AppModel::appDataChanged);
        changeState([&](SavedState& state) {
            std::erase_if(state.removedApplications, [&](const RemovedApplication& removed) {
                return removed.id == *card.bundleIdentifier();
            });
            state.removedApplications.push_back({*card.bundleIdentifier(),
                                                 std::string(path::lastComponent(card.path())),
                                                 std::string(card.path())});
        });
    }
    remember(card, receipt.decision,
             [this, card, destination, receipt] { concludeDecision(card, destination, receipt); });
}

void AppModel::concludeDecision(const FileRecord& card,
                                const std::optional<std::string>& destination,
                                const OperationReceipt& receipt)
{
    SessionSummary counted = summary_;
    counted.record(receipt.decision, card.size(), 1);
    publish(summary_, std::move(counted), &AppModel::summaryChanged);
    persistSummary();
    if (destination) {
        moveDestinationToFront(*destination);
    }
    publish(busy_, false, &AppModel::busyChanged);
    publish(showMove_, false, &AppModel::showMoveChanged);
    updateDisk(false);
    // While a scan runs the session stays open: the scan may still find cards.
    if (pending_.count() == 0 && !scanning_) {
        finishSession();
    }
}

void AppModel::moveDestinationToFront(const std::string& destination)
{
    const auto used = std::find_if(
        state_.destinations.begin(), state_.destinations.end(), [&](const FolderGrant& grant) {
            const auto status = statuses_.find(grant.id);
            return status != statuses_.end() && status->second.location == destination;
        });
    if (used == state_.destinations.end()) {
        return;
    }
    const auto index = used - state_.destinations.begin();
    changeState([&](SavedState& state) {
        FolderGrant grant = std::move(state.destinations[static_cast<std::size_t>(index)]);
        state.destinations.erase(state.destinations.begin() + index);
        state.destinations.insert(state.destinations.begin(), std::move(grant));
    });
    save();
}

bool AppModel::insideResolvedSource(std::string_view path) const
{
    return std::any_of(state_.sources.begin(), state_.sources.end(),
                       [&](const FolderGrant& source) {
                           const auto status = statuses_.find(source.id);
                           return status != statuses_.end() && status->second.location &&
                                  path::beginsWithFolder(path, *status->second.location);
                       });
}

// Never fails outward: a journal that cannot be written is said once and switched off, and the
// decision goes on.
void AppModel::remember(const FileRecord& file, Decision decision, std::function<void()> then)
{
    std::optional<ReviewStamp> stamp;
    try {
        stamp = ReviewStamp::of(file, decision, summary_.id);
    } catch (const std::exception& error) {
        raiseAlert("Décision non enregistrée", errorDescription(error));
        then();
        return;
    }
    reviewed_.insert_or_assign(std::string(file.path()), *stamp);
    journal(std::string(file.path()), stamp, std::move(then));
}

void AppModel::forget(const std::string& path, std::function<void()> then)
{
    if (const auto found = reviewed_.find(path); found != reviewed_.end()) {
        reviewed_.erase(found);
    }
    journal(path, std::nullopt, std::move(then));
}

void AppModel::journal(const std::string& path, std::optional<ReviewStamp> stamp,
                       std::function<void()> then)
{
    if (!journalEnabled_) {
        then();
        return;
    }
    awaitOn(
        *journalQueue_, this, [journal = journal_, path, stamp] { journal->record(path, stamp); },
        [this, then](Outcome<Done> written) {
            if (!written.succeeded()) {
                journalEnabled_ = false; // until the review memory is reset
                raiseAlert("Décision non enregistrée", errorDescription(written.error));
            }
            then();
        });
}

// The index of a scan that started meanwhile is not this one's business: its answer is not
// shown.
void AppModel::removeFromIndex(const FileRecord& file, bool publishAnswer,
                               std::function<void()> then)
{
    noteIndexChange(file.path(), true);
    awaitOn(
        *statisticsQueue_, this,
        [statistics = statistics_, file] { return statistics->remove(file); },
        [this, statistics = statistics_, publishAnswer, then](Outcome<FileInsights> answer) {
            if (publishAnswer && answer.value && statistics == statistics_) {
                publishInsights(std::move(*answer.value));
            }
            then();
        });
}

void AppModel::addToIndex(const FileRecord& file, std::function<void()> then)
{
    noteIndexChange(file.path(), false);
    awaitOn(
        *statisticsQueue_, this,
        [statistics = statistics_, file] { return statistics->append({file}); },
        [this, statistics = statistics_, then](Outcome<FileInsights> answer) {
            if (answer.value && statistics == statistics_) {
                publishInsights(std::move(*answer.value));
            }
            then();
        });
}

void AppModel::undo()
{
    if (receipts_.empty() || !receipts_.back().canUndo()) {
        return;
    }
    if (busy_ || animatingSwipe_ || showTutorial_ || showMove_ ||
        !state_.preferences.onboardingComplete) {
        return;
    }
    publish(busy_, true, &AppModel::busyChanged);
    publish(showPreview_, false, &AppModel::showPreviewChanged);
    awaitOn(
        *operationsQueue_, this,
        [operations = operations_, receipt = receipts_.back()] {
            FileRecord file = operations->undo(receipt);
            // An application goes back to the list of applications, judged as the inventory
            // judges them: here, off the main thread.
            std::optional<BundleStanding> standing;
            if (isApplication(file)) {
                standing = BundleStanding::of(file);
            }
            return std::pair(std::move(file), std::move(standing));
        },
        [this, receipt = receipts_.back()](
            Outcome<std::pair<FileRecord, std::optional<BundleStanding>>> file) {
            if (!file.value) {
                publish(busy_, false, &AppModel::busyChanged);
                raiseAlert("Annulation impossible", errorDescription(file.error));
                return;
            }
            restored(receipt, file.value->first, file.value->second);
        });
}

// The file is back: its moved copy leaves the index and the review memory first.
void AppModel::restored(const OperationReceipt& receipt, const FileRecord& file,
                        const std::optional<BundleStanding>& standing)
{
    auto next = [this, receipt, file, standing] { returnCard(receipt, file, standing); };
    if (receipt.decision != Decision::move || !receipt.resultingRecord) {
        next();
        return;
    }
    const FileRecord moved = *receipt.resultingRecord;
    removeFromIndex(moved, false, [this, moved, next] { forget(std::string(moved.path()), next); });
}

void AppModel::returnCard(const OperationReceipt& receipt, const FileRecord& file,
                          const std::optional<BundleStanding>& standing)
{
    if (isApplication(file)) {
        stopAppDataInspection();
        changeState([&](SavedState& state) {
            std::erase_if(state.removedApplications, [&](const RemovedApplication& removed) {
                return file.bundleIdentifier() && removed.id == *file.bundleIdentifier() &&
                       removed.originalPath == file.path();
            });
        });
        publish(appData_, AppDataReport{}, &AppModel::appDataChanged);
    }
    receipts_.pop_back();
    setUndoCount();
    pending_.prepend(file);
    setQueueCount();
    forget(std::string(file.path()), [this, receipt, file, standing] {
        if (!isApplication(file)) {
            addToIndex(file, [this, receipt] { concludeUndo(receipt); });
            return;
        }
        appendApplications({file}, {standing.value()});
        concludeUndo(receipt);
    });
}

void AppModel::concludeUndo(const OperationReceipt& receipt)
{
    SessionSummary counted = summary_;
    counted.record(receipt.decision, receipt.original.size(), -1);
    publish(summary_, std::move(counted), &AppModel::summaryChanged);
    soundDesign_->play(SoundCue::undo, state_.preferences, false);
    publish(sessionActive_, true, &AppModel::sessionActiveChanged);
    persistSummary();
    publish(duplicateGroups_, {}, &AppModel::duplicateGroupsChanged);
    assignPage(Page::swipe); // an undo from the summary page reopens the session
    updateDisk(false);
    publish(busy_, false, &AppModel::busyChanged);
}

void AppModel::skipUnavailable()
{
    const std::optional<FileRecord> card = currentCard();
    if (!card || busy_) {
        return;
    }
    pending_.popFirst();
    setQueueCount();
    SessionSummary counted = summary_;
    counted.record(Decision::later, card->size(), 1);
    publish(summary_, std::move(counted), &AppModel::summaryChanged);
    persistSummary();
    if (pending_.count() == 0 && !scanning_) {
        finishSession();
    }
}

} // namespace tollenvane
