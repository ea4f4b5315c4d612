// Authorised folders: choosing, granting, resolving and forgetting them; the end of the tutorial
// and the reset of the remembered decisions.
#include "core/base/Path.h"
#include "core/localisation/Localization.h"
#include "core/operations/FolderName.h"
#include "model/AppModel.h"
#include "model/ErrorDescription.h"
#include "model/access/GrantResolution.h"
#include "model/async/MainThread.h"
#include "model/async/Promise.h"

#include <QPointer>
#include <QString>
#include <algorithm>

namespace tollenvane {

namespace {

// Notes the folder a grant now leads to; true when it changed.
bool updateLastKnownPaths(std::vector<FolderGrant>& grants,
                          const std::map<std::string, SourceStatus>& statuses)
{
    bool changed = false;
    for (FolderGrant& grant : grants) {
        const auto status = statuses.find(grant.id);
        if (status == statuses.end() || !status->second.location) {
            continue;
        }
        const std::string location = path::standardised(*status->second.location);
        if (grant.lastKnownPath != location) {
            grant.lastKnownPath = location;
            changed = true;
        }
    }
    return changed;
}

FolderGrant* firstWithId(std::vector<FolderGrant>& grants, const std::string& id)
{
    const auto found = std::find_if(grants.begin(), grants.end(),
                                    [&](const FolderGrant& grant) { return grant.id == id; });
    return found == grants.end() ? nullptr : &*found;
}

} // namespace

void AppModel::chooseFolders(bool destination, const std::optional<std::string>& replacing,
                             std::optional<StandardFolder> suggested,
                             const std::optional<std::string>& startFolder)
{
    if (busy_ || (!destination && sessionActive_)) {
        return;
    }
    FolderPanelRequest request;
    request.multipleSelection = !destination && !replacing;
    request.title = destination                 ? L("Dossier de destination")
                    : request.multipleSelection ? L("Dossiers à analyser")
                                                : L("Dossier à analyser");
    request.prompt = L(destination ? "Choisir la destination" : "Autoriser ces dossiers");
    request.message = L("Tollenvane analyse uniquement les dossiers que vous choisissez. Tout "
                        "reste sur cet ordinateur.");
    request.startFolder = startFolder;
    if (suggested) {
        request.startFolder = services_.standardFolders->location(*suggested);
    }
    const auto chosen = services_.folderPanel->run(request);
    if (!chosen) {
        return;
    }
    // The scan resolves every grant before it walks: a resolution of their own would be
    // overtaken by it at once.
    const bool scanFollows = !destination && state_.preferences.onboardingComplete && scanAllowed();
    if (storeGrants(*chosen, destination, replacing)) {
        if (!scanFollows) {
            resolveGrants();
        }
        save();
    }
    if (scanFollows) {
        scan();
    }
}

void AppModel::addFolder(const std::string& folder, bool destination,
                         const std::optional<std::string>& replacing)
{
    if (storeGrants({folder}, destination, replacing)) {
        resolveGrants();
        save();
    }
}

bool AppModel::storeGrants(const std::vector<std::string>& folders, bool destination,
                           const std::optional<std::string>& replacing)
{
    std::vector<std::pair<std::string, FolderGrant>> made;
    for (const std::string& folder : folders) {
        try {
            made.emplace_back(folder, services_.grants->grant(folder, destination));
        } catch (const std::exception& error) {
            raiseAlert("Dossier non ajouté", errorDescription(error));
        }
    }
    if (made.empty()) {
        return false;
    }
    changeState([&](SavedState& state) {
        std::vector<FolderGrant>& grants = destination ? state.destinations : state.sources;
        // In the chooser's order: a folder chosen twice replaces its own first grant.
        for (auto& [folder, grant] : made) {
            if (const auto index = grantNaming(grants, folder, replacing)) {
                grant.id = grants[*index].id;
                grant.favorite = grants[*index].favorite;
                grants[*index] = std::move(grant);
            } else if (destination) {
                grants.insert(grants.begin(), std::move(grant));
            } else {
                grants.push_back(std::move(grant));
            }
        }
    });
    return true;
}

// The grant that `replacing` names; else, or when it is gone, the first one that names the same
// folder by its last known path or by where it resolved.
std::optional<std::size_t> AppModel::grantNaming(const std::vector<FolderGrant>& grants,
                                                 const std::string& folder,
                                                 const std::optional<std::string>& replacing) const
{
    if (replacing) {
        for (std::size_t index = 0; index < grants.size(); ++index) {
            if (grants[index].id == *replacing) {
                return index;
            }
        }
    }
    const std::string wanted = path::standardised(folder);
    for (std::size_t index = 0; index < grants.size(); ++index) {
        if (grants[index].lastKnownPath == wanted) {
            return index;
        }
        const auto status = statuses_.find(grants[index].id);
        if (status != statuses_.end() && status->second.location &&
            path::standardised(*status->second.location) == wanted) {
            return index;
        }
    }
    return std::nullopt;
}

void AppModel::removeSource(const FolderGrant& grant)
{
    if (sessionActive_ || busy_) {
        return;
    }
    changeState([&](SavedState& state) {
        std::erase_if(state.sources,
                      [&](const FolderGrant& source) { return source.id == grant.id; });
    });
    save();
    scan();
}

void AppModel::toggleFavoriteDestination(const std::string& id)
{
    if (busy_) {
        return;
    }
    const auto found = std::ranges::find(state_.destinations, id, &FolderGrant::id);
    if (found == state_.destinations.end()) {
        return;
    }
    const auto index = found - state_.destinations.begin();
    changeState([&](SavedState& state) {
        FolderGrant& grant = state.destinations[static_cast<std::size_t>(index)];
        grant.favorite = !grant.favorite;
    });
    save();
}

void AppModel::removeDestination(const std::string& id)
{
    if (busy_) {
        return;
    }
    changeState([&](SavedState& state) {
        std::erase_if(state.destinations,
                      [&](const FolderGrant& destination) { return destination.id == id; });
    });
    save();
}

std::string AppModel::trimmedFolderName(const std::string& name)
{
    return QString::fromStdString(name).trimmed().toStdString();
}

QFuture<void> AppModel::resolveGrants(std::stop_token caller)
{
    const std::uint64_t generation = ++grantGeneration_;
    const auto promise = startedPromise();
    services_.executor->run(
        Priority::userInitiated,
        [sources = state_.sources, destinations = state_.destinations, resolver = services_.grants,
         access = services_.access, generation, caller, promise, model = QPointer(this)] {
            const auto resolution = std::make_shared<const GrantResolution>(
                GrantResolution::of(sources, destinations, *resolver, *access));
            postToMain([resolution, access, generation, caller, promise, model] {
                if (model && model->grantGeneration_ == generation && !caller.stop_requested()) {
                    model->applyGrantResolution(*resolution);
                } else {
                    resolution->release(*access);
                }
                promise->finish();
            });
        });
    return promise->future();
}

void AppModel::applyGrantResolution(const GrantResolution& resolution)
{
    for (const std::string& folder : accesses_) {
        services_.access->stop(folder);
    }
    publish(statuses_, resolution.statuses, &AppModel::statusesChanged);
    accesses_ = resolution.started;

    SavedState next = state_;
    bool changed = updateLastKnownPaths(next.sources, statuses_);
    changed = updateLastKnownPaths(next.destinations, statuses_) || changed;
    for (const auto& [id, bookmark] : resolution.renewed) {
        FolderGrant* grant = firstWithId(next.sources, id);
        if (grant == nullptr) {
            grant = firstWithId(next.destinations, id);
        }
        if (grant != nullptr) {
            grant->bookmark = bookmark;
            changed = true;
        }
    }
    if (changed) {
        changeState([&](SavedState& state) { state = std::move(next); });
        save();
    }
}

void AppModel::finishOnboarding()
{
    const bool wasComplete = state_.preferences.onboardingComplete;
    changeState([](SavedState& state) { state.preferences.onboardingComplete = true; });
    publish(showTutorial_, false, &AppModel::showTutorialChanged);
    save();
    if (!wasComplete) {
        scan();
    }
}

void AppModel::resetReviewed()
{
    if (sessionActive_ || busy_) {
        return;
    }
    journalQueue_->post([journal = journal_, model = QPointer(this)] {
        const auto reset = outcomeOf([&] { journal->reset(); });
        postToMain([reset, model] {
            if (!model) {
                return;
            }
            if (reset.succeeded()) {
                model->reviewed_.clear();
                model->journalEnabled_ = true; // a journal that failed to load is usable again
                model->scheduleSelection(true);
            } else {
                model->raiseAlert("Action impossible", errorDescription(reset.error));
            }
        });
    });
}

QFuture<bool> AppModel::createDestination(const std::string& name, const std::string& parent)
{
    const auto promise = startedPromise<bool>();
    const std::string trimmed = trimmedFolderName(name);
    if (const auto refusal = folderNameRefusal(trimmed)) {
        raiseAlert("Création impossible", Localization::text(*refusal));
        promise->addResult(false);
        promise->finish();
        return promise->future();
    }
    operationsQueue_->post(
        [operations = operations_, name = trimmed, parent, promise, model = QPointer(this)] {
            const auto created =
                Outcome<std::string>::of([&] { return operations->createFolder(name, parent); });
            postToMain([created, promise, model] {
                if (model && created.value) {
                    // A folder that cannot be granted stays on disk and says so itself.
                    model->addFolder(*created.value, true);
                } else if (model) {
                    model->raiseAlert("Création impossible", errorDescription(created.error));
                }
                promise->addResult(created.value.has_value());
                promise->finish();
            });
        });
    return promise->future();
}

} // namespace tollenvane
