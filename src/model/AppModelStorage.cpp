// The storage explorer's folders, and the previews of a card or of a listed file once the file
// is confirmed on the disk.
#include "core/base/FileError.h"
#include "core/localisation/ErrorText.h"
#include "model/AppModel.h"
#include "model/ErrorDescription.h"
#include "model/async/Await.h"

#include <algorithm>

namespace tollenvane {

// An older answer is never cancelled, only passed over: the newest folder asked for is shown.
void AppModel::openStorageFolder(const std::optional<std::string>& folder)
{
    publish(storagePath_, folder, &AppModel::storagePathChanged);
    lastStorageRefresh_ = services_.clock->steadyNow();
    const std::uint64_t generation = ++storageGeneration_;
    awaitOn(
        *statisticsQueue_, this,
        [statistics = statistics_, folder] {
            return statistics->children(folder ? std::optional<std::string_view>(*folder)
                                               : std::nullopt);
        },
        [this, generation](Outcome<std::vector<StorageNode>> nodes) {
            if (generation == storageGeneration_ && nodes.value) {
                publish(storageNodes_, std::move(*nodes.value), &AppModel::storageNodesChanged);
            }
        });
}

void AppModel::setShowPreview(bool show)
{
    publish(showPreview_, show, &AppModel::showPreviewChanged);
}

void AppModel::clearInspectedFile()
{
    publish(inspectedFile_, std::optional<FileRecord>(), &AppModel::inspectedFileChanged);
}

void AppModel::openPreview()
{
    const std::optional<FileRecord> card = currentCard();
    if (!card || !card->available() || busy_ || animatingSwipe_) {
        return;
    }
    const std::uint64_t generation = ++previewGeneration_;
    // The card may have been decided, or the deck left, while the disk was asked.
    const auto stillWanted = [this, generation, path = std::string(card->path())] {
        const std::optional<FileRecord> front = currentCard();
        return generation == previewGeneration_ && front && front->path() == path &&
               page_ == Page::swipe && !busy_;
    };
    checkAvailability(*card, stillWanted, [this](const FileRecord&) {
        publish(showPreview_, true, &AppModel::showPreviewChanged);
    });
}

void AppModel::inspectFile(const std::string& path)
{
    const std::uint64_t generation = ++previewGeneration_;
    const auto stillWanted = [this, generation, page = page_] {
        return generation == previewGeneration_ && page_ == page;
    };
    const auto open = [this](FileRecord record) {
        publish(inspectedFile_, std::optional(std::move(record)), &AppModel::inspectedFileChanged);
    };
    const std::vector<FileRecord>& applications = applications_.records();
    const auto application =
        std::find_if(applications.begin(), applications.end(),
                     [&](const FileRecord& listed) { return listed.path() == path; });
    if (application != applications.end()) {
        checkAvailability(*application, stillWanted, open);
        return;
    }
    awaitOn(
        *statisticsQueue_, this,
        [statistics = statistics_, path] { return statistics->record(path); },
        [this, stillWanted, open](Outcome<std::optional<FileRecord>> found) {
            if (!found.value || !*found.value) {
                raiseAlert("Action impossible", errorDescription(FileError::missing));
                return;
            }
            checkAvailability(std::move(**found.value), stillWanted, open);
        });
}

void AppModel::checkAvailability(FileRecord record, std::function<bool()> stillWanted,
                                 std::function<void(FileRecord)> open)
{
    awaitOn(
        *services_.executor, Priority::utility, this,
        [path = std::string(record.path())] { return FileRecord::isAvailableLocally(path); },
        [this, record, stillWanted, open](Outcome<bool> available) {
            if (!stillWanted()) {
                return;
            }
            if (!available.value) {
                raiseAlert("Action impossible", errorDescription(available.error));
            } else if (!*available.value) {
                raiseAlert("Action impossible", errorDescription(FileError::offline));
            } else {
                open(record);
            }
        });
}

} // namespace tollenvane
