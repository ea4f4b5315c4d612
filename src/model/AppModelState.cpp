// Reading the state and the review journal at start-up, and writing the state back.
#include "core/localisation/Localization.h"
#include "model/AppModel.h"
#include "model/ErrorDescription.h"
#include "model/async/MainThread.h"
#include "model/async/Promise.h"

#include <QPointer>

namespace tollenvane {

void AppModel::startLoad()
{
    services_.executor->run(
        Priority::userInitiated, [store = writer_->store(), model = QPointer(this)] {
            const auto outcome = Outcome<SavedState>::of([&] { return store.load(); });
            postToMain([model, outcome] {
                if (model) {
                    model->applyLoadedState(outcome);
                }
            });
        });
}

void AppModel::applyLoadedState(const Outcome<SavedState>& outcome)
{
    if (outcome.value) {
        persistence_ = Persistence::enabled;
        Localization::setLanguage(outcome.value->preferences.language);
        changeState([&](SavedState& state) { state = *outcome.value; });
        save(); // the file takes the current form once, even when it was missing
    } else {
        persistence_ = Persistence::disabled;
        raiseAlert("Préférences illisibles",
                   L("Les données existantes sont conservées. Le tri reste disponible, mais les "
                     "nouvelles préférences ne seront pas enregistrées. {0}",
                     errorDescription(outcome.error)));
    }
    journalQueue_->post([journal = journal_, model = QPointer(this)] {
        const auto loaded = Outcome<ReviewStamps>::of([&] { return journal->load(); });
        postToMain([model, loaded] {
            if (model) {
                model->applyLoadedJournal(loaded);
            }
        });
    });
}

void AppModel::applyLoadedJournal(const Outcome<ReviewStamps>& outcome)
{
    if (outcome.value) {
        reviewed_ = *outcome.value;
    } else {
        journalEnabled_ = false;
        raiseAlert("Décisions précédentes illisibles", errorDescription(outcome.error));
    }
    finishLoading();
}

void AppModel::finishLoading()
{
    publish(loading_, false, &AppModel::loadingChanged);
    updateDisk(true);
    refreshRunningApplications();
    if (state_.preferences.onboardingComplete) {
        scan();
    } else {
        resolveGrants(); // the tutorial shows where each folder stands
    }
}

void AppModel::save()
{
    if (persistence_ != Persistence::enabled) {
        return;
    }
    cancel(saveTask_);
    const std::uint64_t revision = ++stateRevision_;
    auto task = std::make_shared<TaskHandle>();
    task->setTimer(services_.scheduler->after(
        saveDelay, [model = QPointer(this), copy = state_, revision]() mutable {
            if (model) {
                model->writeState(std::move(copy), revision);
            }
        }));
    saveTask_ = std::move(task);
}

QFuture<void> AppModel::flushState()
{
    cancel(saveTask_);
    const auto promise = startedPromise();
    if (persistence_ != Persistence::enabled) {
        promise->finish();
        return promise->future();
    }
    writeState(state_, ++stateRevision_, [promise] { promise->finish(); });
    return promise->future();
}

// The writer drops a revision older than one it already wrote, so a late debounced write never
// undoes a newer one.
void AppModel::writeState(SavedState copy, std::uint64_t revision, std::function<void()> completion)
{
    writerQueue_->post([writer = writer_, copy = std::move(copy), revision, model = QPointer(this),
                        completion = std::move(completion)] {
        const auto written = outcomeOf([&] { writer->write(copy, revision); });
        postToMain([model, written, completion] {
            if (model && !written.succeeded() && !written.cancelled()) {
                model->raiseAlert("Enregistrement impossible", errorDescription(written.error));
            }
            if (completion) {
                completion();
            }
        });
    });
}

} // namespace tollenvane
