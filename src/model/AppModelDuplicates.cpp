// The search for files of identical content among the indexed ones, and the sorting of one set
// of copies.
#include "core/duplicates/DuplicateFinder.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"
#include "model/ErrorDescription.h"
#include "model/async/Await.h"
#include "model/async/MainThread.h"

#include <QPointer>

namespace tollenvane {

void AppModel::findDuplicates()
{
    if (findingDuplicates_ || scanning_) {
        return;
    }
    publish(findingDuplicates_, true, &AppModel::findingDuplicatesChanged);
    publish(duplicateProgress_, L("Préparation…"), &AppModel::duplicateProgressChanged);
    assignPage(Page::duplicates);

    const std::uint64_t generation = ++duplicateGeneration_;
    auto task = std::make_shared<TaskHandle>();
    duplicateTask_ = task;
    // Reports travel by posting: a worker that waited for the main thread could wait for ever
    // on one that waits for the workers as the application ends.
    const auto progress = [model = QPointer(this), generation](std::int64_t done,
                                                               std::int64_t total) {
        postToMain([model, generation, done, total] {
            if (model) {
                model->applyDuplicateProgress(generation, done, total);
            }
        });
    };
    awaitOn(
        *services_.executor, Priority::utility, this,
        [index = statistics_, progress, stop = task->token()] {
            return DuplicateFinder::find(index->snapshot(), progress, stop);
        },
        [this, generation, task](Outcome<std::vector<DuplicateGroup>> found) {
            applyDuplicates(generation, task, std::move(found));
        });
}

void AppModel::applyDuplicateProgress(std::uint64_t generation, std::int64_t done,
                                      std::int64_t total)
{
    if (generation != duplicateGeneration_) {
        return;
    }
    publish(duplicateProgress_,
            L("{0} / {1} fichiers vérifiés", localizedCount(done), localizedCount(total)),
            &AppModel::duplicateProgressChanged);
}

void AppModel::applyDuplicates(std::uint64_t generation, const std::shared_ptr<TaskHandle>& task,
                               Outcome<std::vector<DuplicateGroup>> found)
{
    if (generation != duplicateGeneration_) {
        return; // stopped: whoever stopped it cleared the flag
    }
    if (found.value && !task->cancelled()) {
        // Moved, not copied: tens of thousands of groups would hold the main thread up.
        publish(duplicateGroups_, std::move(*found.value), &AppModel::duplicateGroupsChanged);
    }
    publish(findingDuplicates_, false, &AppModel::findingDuplicatesChanged);
    duplicateTask_ = nullptr;
    if (!found.value && !found.cancelled()) {
        raiseAlert("Action impossible", errorDescription(found.error));
    }
}

void AppModel::cancelDuplicates()
{
    cancel(duplicateTask_);
    ++duplicateGeneration_; // whatever the stopped search still sends is dropped
    publish(findingDuplicates_, false, &AppModel::findingDuplicatesChanged);
    publish(duplicateProgress_, L("Analyse interrompue"), &AppModel::duplicateProgressChanged);
}

void AppModel::sortCopies(const DuplicateGroup& group, const FileRecord& kept)
{
    if (sessionActive_ || busy_) {
        return;
    }
    setFilter(SessionFilter());
    std::vector<FileRecord> copies;
    for (const FileRecord& file : group.files) {
        if (file.path() != kept.path()) {
            copies.push_back(file);
        }
    }
    remember(kept, Decision::keep, [this, copies = std::move(copies)] { startSession(copies); });
}

} // namespace tollenvane
