// The installed applications, sorting them with the deck, and the data that removed ones left
// behind.
#include "core/applications/AppDataInventory.h"
#include "model/AppModel.h"
#include "model/ErrorDescription.h"
#include "model/async/Await.h"

#include <algorithm>

namespace tollenvane {

void AppModel::scanApplications()
{
    if (scanningApplications_ || sessionActive_ || busy_) {
        return;
    }
    auto cursor = std::make_shared<ApplicationCursor>(services_.applicationScan());
    applications_.clear();
    emit applicationsChanged();
    applicationIssueTexts_.clear();
    publish(applicationIssues_, std::vector<std::string>(), &AppModel::applicationIssuesChanged);
    publish(scanningApplications_, true, &AppModel::scanningApplicationsChanged);
    // An earlier listing is not cancelled: the flag above kept it from overlapping this one.
    auto task = std::make_shared<TaskHandle>();
    applicationTask_ = task;
    pullApplication(std::move(cursor), std::move(task));
}

// One bundle per pull, and the next pull only once this one was handled: measuring a bundle is
// heavy, and the list grows as the user watches.
void AppModel::pullApplication(std::shared_ptr<ApplicationCursor> cursor,
                               std::shared_ptr<TaskHandle> task)
{
    awaitOn(
        *services_.executor, Priority::utility, this,
        [cursor, stop = task->token()] { return ApplicationStep::next(*cursor, stop); },
        [this, cursor, task](Outcome<std::optional<ApplicationStep>> step) {
            if (!task->cancelled() && step.value && *step.value) {
                applyApplicationStep(**step.value);
                pullApplication(cursor, task); // after the end, the stream ends
                return;
            }
            if (!step.value && !step.cancelled() && !task->cancelled()) {
                raiseAlert("Action impossible", errorDescription(step.error));
            }
            // Every way out of a listing: its flag falls unless another listing owns it.
            if (scanningApplications_ && task == applicationTask_) {
                publish(scanningApplications_, false, &AppModel::scanningApplicationsChanged);
            }
        });
}

void AppModel::applyApplicationStep(const ApplicationStep& step)
{
    const ScanEvent& event = step.event;
    switch (event.kind()) {
    case ScanEvent::Kind::batch:
        appendApplications(event.records(), step.standings);
        scheduleSelection(false);
        break;
    case ScanEvent::Kind::issue: {
        const std::string& text = event.problem().text;
        if (applicationIssueTexts_.insert(text).second) {
            applicationIssues_.push_back(text);
            emit applicationIssuesChanged();
        }
        break;
    }
    case ScanEvent::Kind::finished:
        publish(scanningApplications_, false, &AppModel::scanningApplicationsChanged);
        break;
    }
}

void AppModel::stopApplicationScan()
{
    cancel(applicationTask_);
    applicationTask_.reset();
    publish(scanningApplications_, false, &AppModel::scanningApplicationsChanged);
}

void AppModel::sortApplications(const std::vector<FileRecord>& files)
{
    stopScan();
    cancel(applicationTask_);
    publish(scanningApplications_, false, &AppModel::scanningApplicationsChanged);
    setFilter(SessionFilter());
    SessionFilter applicationsOnly = filter_;
    applicationsOnly.type = FileFilter::applications;
    setFilter(std::move(applicationsOnly));
    startSession(files);
}

void AppModel::inspectAppData()
{
    if (scanningAppData_) {
        return;
    }
    publish(scanningAppData_, true, &AppModel::scanningAppDataChanged);
    const std::uint64_t generation = ++appDataGeneration_;
    std::set<std::string, std::less<>> installed;
    for (const FileRecord& application : applications_.records()) {
        if (application.bundleIdentifier()) {
            installed.insert(*application.bundleIdentifier());
        }
    }
    // An earlier inspection is not cancelled: the flag above kept it from overlapping this one.
    auto task = std::make_shared<TaskHandle>();
    appDataTask_ = task;
    awaitOn(
        *services_.executor, Priority::utility, this,
        [removed = state_.removedApplications, installed = std::move(installed),
         library = services_.libraryFolders, registry = services_.applicationRegistry,
         stop = task->token()] {
            return AppDataInventory::inspect(removed, installed, library(), registry().get(), stop);
        },
        [this, generation](Outcome<AppDataReport> report) { applyAppData(generation, report); });
}

void AppModel::applyAppData(std::uint64_t generation, const Outcome<AppDataReport>& outcome)
{
    if (!outcome.value && !outcome.cancelled()) {
        raiseAlert("Action impossible", errorDescription(outcome.error));
    }
    if (generation != appDataGeneration_) {
        return; // stopped: whoever stopped it cleared the flag
    }
    if (outcome.value) {
        publish(appData_, *outcome.value, &AppModel::appDataChanged);
    }
    publish(scanningAppData_, false, &AppModel::scanningAppDataChanged);
}

void AppModel::stopAppDataInspection()
{
    ++appDataGeneration_;
    cancel(appDataTask_);
    publish(scanningAppData_, false, &AppModel::scanningAppDataChanged);
}

} // namespace tollenvane
