#include "support/DesktopHome.h"

#include "app/shell/DialogFolderPanel.h"
#include "app/shell/MainWindow.h"
#include "core/access/FolderAccess.h"
#include "model/AppModel.h"

#include <QTest>
#include <QUuid>
#include <filesystem>
#include <fstream>

namespace tollenvane::test {

namespace fs = std::filesystem;

QProcessEnvironment desktopEnvironment(const TempDir& folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QT_QPA_PLATFORM");
    environment.remove("WAYLAND_DISPLAY");
    for (const auto& [variable, place] : {std::pair{"HOME", "home"},
                                          {"XDG_CONFIG_HOME", "home/.config"},
                                          {"XDG_DATA_HOME", "home/.local/share"},
                                          {"XDG_CACHE_HOME", "home/.cache"},
                                          {"XDG_RUNTIME_DIR", "runtime"},
                                          {"TMPDIR", "tmp"}}) {
        const std::string path = folder / place;
        fs::create_directories(path);
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace);
        environment.insert(variable, QString::fromStdString(path));
    }
    // A bus that is not there refuses at once; with none named, the bus library would start one
    // from a fork of the running application, which a sanitised build can deadlock.
    environment.insert("DBUS_SESSION_BUS_ADDRESS",
                       QString::fromStdString("unix:path=" + (folder / "runtime/no-bus")));
    return environment;
}

SavedState stateWithSource(const std::string& source)
{
    SavedState state;
    state.preferences.onboardingComplete = true;
    state.preferences.sounds = false;
    state.sources.push_back(FolderAccess::grant(source, false));
    return state;
}

SessionCheckpoint waitingSession()
{
    SessionCheckpoint checkpoint;
    checkpoint.filter.largestFirst = true;
    checkpoint.summary.id =
        QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toStdString();
    return checkpoint;
}

void writeState(const SavedState& state, std::initializer_list<std::string> paths)
{
    for (const std::string& path : paths) {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << state.toJson().dump();
    }
}

QPoint placeOf(const std::string& statePath, const QString& name,
               const std::function<bool(const AppModel&)>& ready)
{
    AppModel model(StateStore(statePath),
                   ModelServices::system(std::make_shared<DialogFolderPanel>()));
    MainWindow window(model, [] {});
    window.show();
    QWidget* entry = nullptr;
    const bool shown = QTest::qWaitFor([&] {
        entry = window.findChild<QWidget*>(name);
        return !model.loading() && !model.scanning() && (!ready || ready(model)) &&
               entry != nullptr && entry->isVisible();
    });
    const QPoint centre = shown ? entry->mapTo(&window, entry->rect().center()) : QPoint();
    model.shutdown();
    return centre;
}

std::string contentOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace tollenvane::test
