// The storage explorer.
#include "model/AppModel.h"
#include "model/async/Await.h"

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

} // namespace tollenvane
