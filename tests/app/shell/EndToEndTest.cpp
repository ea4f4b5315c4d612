// Starts the real executable on a virtual X display, as a user would, and quits it with the
// keyboard.
#include "core/base/Json.h"
#include "core/persistence/SavedState.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// $1 the application, $2 its state file, $3 the screen grabber, $4 the picture. Exit codes
// above 2 say which step failed.
constexpr const char* session = R"(
"$1" --state "$2" & app=$!
win=$(timeout 30 xdotool search --sync --class tollenvane | head -n 1)
[ -n "$win" ] || { kill $app; exit 3; }
sleep 1.5
"$3" "$4" || { kill $app; exit 4; }
# An alert may stand over the window and take the keys: the newest window gets them.
top=$(xdotool search --onlyvisible --class tollenvane | tail -n 1)
xdotool windowfocus --sync "${top:-$win}"
xdotool key --clearmodifiers ctrl+q
for i in $(seq 150); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then kill $app; exit 5; fi
wait $app
)";

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
    return environment;
}

bool canRunADisplay()
{
    return !QStandardPaths::findExecutable("xvfb-run").isEmpty() &&
           !QStandardPaths::findExecutable("xdotool").isEmpty();
}

std::string contentOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Starts the application on its own display, takes the picture `pictureName` of the screen and
// quits with Ctrl+Q; returns the session's exit code and the picture.
std::pair<int, QImage> runSession(const TempDir& folder, const std::string& statePath,
                                  const QString& pictureName)
{
    const QString picture = QString(TOLLENVANE_SCREENSHOTS) + "/" + pictureName;
    QDir().mkpath(TOLLENVANE_SCREENSHOTS);
    QFile::remove(picture);
    QProcess run;
    run.setProcessEnvironment(desktopEnvironment(folder));
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start("xvfb-run", {"-a", "-s", "-screen 0 1440x960x24", "sh", "-c", session, "sh",
                           TOLLENVANE_EXECUTABLE, QString::fromStdString(statePath),
                           TOLLENVANE_SCREEN_GRAB, picture});
    if (!run.waitForFinished(90'000) || run.exitStatus() != QProcess::NormalExit) {
        run.kill();
        run.waitForFinished();
        return {-1, {}};
    }
    return {run.exitCode(), QImage(picture)};
}

TEST(EndToEnd, TheWindowOpensOnADisplayAndCtrlQWritesTheState)
{
    if (!canRunADisplay()) {
        GTEST_SKIP() << "xvfb-run or xdotool is not installed (scripts/setup installs them)";
    }
    const TempDir folder;
    const std::string statePath = folder / "state/state.json";

    const auto [exitCode, shot] = runSession(folder, statePath, "shell-window-xvfb.png");
    EXPECT_EQ(exitCode, 0);
    ASSERT_FALSE(shot.isNull());
    // The window covers the top left of a screen that Xvfb leaves black.
    EXPECT_NE(shot.pixelColor(600, 400), QColor(Qt::black));
    ASSERT_TRUE(fs::exists(statePath));
    EXPECT_NO_THROW(SavedState::fromJson(json::parse(contentOf(statePath))));
}

TEST(EndToEnd, ACorruptStateFileOpensTheWindowAndStaysAsItWas)
{
    if (!canRunADisplay()) {
        GTEST_SKIP() << "xvfb-run or xdotool is not installed (scripts/setup installs them)";
    }
    const TempDir folder;
    const std::string statePath = folder / "state/state.json";
    const std::string corrupt = "{\"sources\": [ cut short";
    fs::create_directories(fs::path(statePath).parent_path());
    std::ofstream(statePath, std::ios::binary) << corrupt;

    const auto [exitCode, shot] =
        runSession(folder, statePath, "shell-window-corrupt-state-xvfb.png");
    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(shot.isNull());
    EXPECT_EQ(contentOf(statePath), corrupt);
}

} // namespace
} // namespace tollenvane
