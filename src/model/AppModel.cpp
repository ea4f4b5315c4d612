#include "model/AppModel.h"

#include "core/base/Path.h"
#include "core/localisation/Localization.h"
#include "core/platform/OpenFilesLimit.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <filesystem>
#include <limits>

namespace tollenvane {

namespace {

std::string absolutePath(const std::string& path)
{
    if (path.starts_with('/')) {
        return path;
    }
    return path::appending(std::filesystem::current_path().string(), path);
}

} // namespace

AppModel::AppModel(StateStore store, ModelServices services, QObject* parent)
    : QObject(parent)
    , services_(std::move(services))
    , soundDesign_(std::make_unique<SoundDesign>(*services_.soundPlayer, services_.activity))
    , operations_(std::make_shared<FileOperations>())
    , writer_(std::make_shared<StateWriter>(store))
    , journal_(std::make_shared<ReviewJournal>(ReviewJournal::pathBeside(store.path())))
    , operationsQueue_(SerialQueue::make(services_.executor, Priority::normal))
    , writerQueue_(SerialQueue::make(services_.executor, Priority::normal))
    , journalQueue_(SerialQueue::make(services_.executor, Priority::normal))
    , statistics_(std::make_shared<InsightAccumulator>(std::vector<std::string>{},
                                                       services_.clock->wallNow()))
{
    statisticsQueue_ = SerialQueue::make(services_.executor, Priority::normal);
    summary_ = SessionSummary::start();
    summary_.date = services_.clock->wallNow();
    sessionStarted_ = summary_.date;
    startLoad();
}

AppModel::~AppModel() = default;

StateStore AppModel::launchStore(const std::vector<std::string>& arguments,
                                 const std::function<std::string(const char*)>& environment)
{
    const auto flag = std::find(arguments.begin(), arguments.end(), "--state");
    if (flag != arguments.end() && std::next(flag) != arguments.end() &&
        !std::next(flag)->empty()) {
        return StateStore(absolutePath(*std::next(flag)));
    }
    if (const std::string path = environment("TollenvaneTestStatePath"); !path.empty()) {
        return StateStore(absolutePath(path));
    }
    return StateStore();
}

StateStore AppModel::launchStore()
{
    OpenFilesLimit::raise();
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments()) {
        arguments.push_back(QFile::encodeName(argument).toStdString());
    }
    return launchStore(arguments);
}

void AppModel::raiseAlert(std::string_view titleKey, std::string message,
                          std::optional<std::string> name)
{
    publish(alert_,
            std::optional(AlertMessage::make(titleKey, std::move(message), std::move(name))),
            &AppModel::alertChanged);
}

void AppModel::setPreferences(const Preferences& preferences)
{
    // Whoever follows the state reads its texts in the new language already.
    Localization::setLanguage(preferences.language);
    changeState([&](SavedState& state) { state.preferences = preferences; });
}

void AppModel::setShowTutorial(bool show)
{
    publish(showTutorial_, show, &AppModel::showTutorialChanged);
}

void AppModel::setFilter(SessionFilter filter)
{
    publish(filter_, std::move(filter), &AppModel::filterChanged);
    filterAssigned();
}

void AppModel::dismissAlert()
{
    publish(alert_, std::optional<AlertMessage>(), &AppModel::alertChanged);
}

bool AppModel::resumeReady() const
{
    const bool resolved =
        std::all_of(state_.sources.begin(), state_.sources.end(),
                    [&](const FolderGrant& source) { return statuses_.count(source.id) != 0; });
    if (!resolved) {
        return false;
    }
    if (!state_.pendingSession || !state_.pendingSession->filter.volumeDevice) {
        return true;
    }
    return !volumes_.empty();
}

bool AppModel::canResume() const
{
    return state_.pendingSession.has_value() && !sessionActive_;
}

std::int64_t AppModel::trashedTotal() const
{
    std::int64_t total = 0;
    for (const SessionSummary& session : state_.history) {
        if (__builtin_add_overflow(total, session.trashBytes, &total)) {
            return session.trashBytes < 0 ? std::numeric_limits<std::int64_t>::min()
                                          : std::numeric_limits<std::int64_t>::max();
        }
    }
    return total;
}

void AppModel::shutdown()
{
    cancel(saveTask_);
    cancel(appDataTask_);
    ++grantGeneration_; // a resolution still running gives its accesses back
    cancel(selectionTask_);
    cancelScan();
    cancel(duplicateTask_);
    cancel(applicationTask_);
    cancel(volumeTask_);
    for (const std::string& folder : accesses_) {
        services_.access->stop(folder);
    }
    accesses_.clear();
}

} // namespace tollenvane
