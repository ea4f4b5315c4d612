// Starts the real executable on a virtual X display, as a user would, and quits it with the
// keyboard.
#include "app/shell/DialogFolderPanel.h"
#include "app/shell/MainWindow.h"
#include "core/base/Json.h"
#include "core/persistence/SavedState.h"
#include "model/AppModel.h"
#include "preview/TestMedia.h"
#include "support/DesktopHome.h"
#include "support/SkipOrFail.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::contentOf;
using test::desktopEnvironment;
using test::placeOf;
using test::stateWithSource;
using test::TempDir;
using test::writeState;

// $1 the application, $2 its state file, $3 the screen grabber, $4 the picture. Exit codes
// above 2 say which step failed.
constexpr const char* session = R"(
"$1" --state "$2" & app=$!
# The sanitised build, beside the other tests, can take tens of seconds to show its window.
win=$(timeout 60 xdotool search --sync --class tollenvane | head -n 1)
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

bool canRunADisplay()
{
    return !QStandardPaths::findExecutable("xvfb-run").isEmpty() &&
           !QStandardPaths::findExecutable("xdotool").isEmpty();
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
    if (!run.waitForFinished(150'000) || run.exitStatus() != QProcess::NormalExit) {
        run.kill();
        run.waitForFinished();
        return {-1, {}};
    }
    return {run.exitCode(), QImage(picture)};
}

TEST(EndToEnd, TheWindowOpensOnADisplayAndCtrlQWritesTheState)
{
    if (!canRunADisplay()) {
        SKIP_OR_FAIL("xvfb-run or xdotool is not installed (scripts/setup installs them)");
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
        SKIP_OR_FAIL("xvfb-run or xdotool is not installed (scripts/setup installs them)");
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

// $1 the application, $2 its state file, $3 the screen grabber, $4 the picture, $5 $6 where the
// saved session's entry lies in the window; the steps that follow are each test's own.
constexpr const char* resumedSession = R"(
wait_for() { for i in $(seq 100); do [ -e "$1" ] && return 0; sleep 0.1; done; return 1; }
"$1" --state "$2" & app=$!
win=$(timeout 60 xdotool search --sync --class tollenvane | head -n 1)
[ -n "$win" ] || { kill $app; exit 3; }
# The folder is resolved and scanned before the saved session can resume.
sleep 2.5
xdotool mousemove --sync --window "$win" "$5" "$6" click 1
sleep 1
xdotool windowfocus --sync "$win"
)";

// $7 the Trash's files, $8 the source folder. Each file decision is waited for on disk where it
// shows there.
constexpr const char* sortingSteps = R"(
xdotool key Left
wait_for "$7/un.bin" || { kill $app; exit 6; }
sleep 0.6
xdotool key Right
sleep 0.8
xdotool key Down
sleep 0.8
xdotool key Left
wait_for "$7/quatre.bin" || { kill $app; exit 7; }
sleep 0.6
xdotool key ctrl+z
wait_for "$8/quatre.bin" || { kill $app; exit 8; }
sleep 0.5
"$3" "$4"
xdotool key --clearmodifiers ctrl+q
for i in $(seq 150); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then kill $app; exit 5; fi
wait $app
)";

// Opens the full preview of the first card, then logs out while its decoding is stuck.
constexpr const char* stuckPreviewSteps = R"(
xdotool key space
sleep 2
"$3" "$4"
kill -TERM $app
for i in $(seq 50); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then kill -9 $app; exit 5; fi
wait $app
)";

// Looks at the first cards and the first one's preview for a while, then quits with Ctrl+Q.
constexpr const char* lookAndQuitSteps = R"(
sleep 2
xdotool key space
sleep 1.5
xdotool key Escape
sleep 0.5
"$3" "$4"
# Without a window manager, the closed sheet leaves the keyboard's focus nowhere.
xdotool windowfocus --sync "$win"
xdotool key --clearmodifiers ctrl+q
for i in $(seq 150); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then kill -9 $app; exit 5; fi
wait $app
)";

// Where the entry that resumes the saved session lies in a window over `statePath`.
QPoint savedSessionEntry(const std::string& statePath)
{
    return placeOf(statePath, QStringLiteral("savedSession"),
                   [](const AppModel& model) { return model.resumeReady(); });
}

// A home whose folder Documents/Tri holds `files`, with the tutorial done, the folder
// authorised and a largest-first session over it waiting to resume.
class ResumableSession {
public:
    explicit ResumableSession(const std::vector<std::pair<std::string, std::string>>& files)
        : environment_(desktopEnvironment(folder_))
    {
        fs::create_directories(source);
        for (const auto& [name, content] : files) {
            std::ofstream(fs::path(source) / name, std::ios::binary) << content;
        }
        SavedState state;
        try {
            state = stateWithSource(source);
        } catch (const std::exception& refused) {
            refusal = refused.what();
            return;
        }
        state.pendingSession = test::waitingSession();
        const std::string probePath = folder_ / "probe/state.json";
        writeState(state, {statePath, probePath});
        entry_ = savedSessionEntry(probePath);
    }

    // Runs the resumed session followed by `steps` on its own display; false when it did not
    // end by itself.
    bool run(const char* steps, const QString& pictureName, const QStringList& more = {},
             int* exitCode = nullptr) const
    {
        const QString picture = QString(TOLLENVANE_SCREENSHOTS) + "/" + pictureName;
        QDir().mkpath(TOLLENVANE_SCREENSHOTS);
        QProcess run;
        run.setProcessEnvironment(environment_);
        run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        run.start("xvfb-run",
                  QStringList{"-a", "-s", "-screen 0 1440x960x24", "sh", "-c",
                              QString(resumedSession) + steps, "sh", TOLLENVANE_EXECUTABLE,
                              QString::fromStdString(statePath), TOLLENVANE_SCREEN_GRAB, picture,
                              QString::number(entry_.x()), QString::number(entry_.y())} +
                      more);
        const bool ended = run.waitForFinished(150'000);
        if (!ended) {
            run.kill();
            run.waitForFinished();
        }
        if (exitCode != nullptr) {
            *exitCode = run.exitCode();
        }
        return ended;
    }

    QString trash() const { return environment_.value("XDG_DATA_HOME") + "/Trash/files"; }
    bool ready() const { return refusal.empty() && !entry_.isNull(); }

private:
    const TempDir folder_;
    const QProcessEnvironment environment_;
    QPoint entry_;

public:
    const std::string source = folder_ / "home/Documents/Tri";
    const std::string statePath = folder_ / "state/state.json";
    // Why the scratch folder could not be a source: a checkout below /tmp puts it where none may
    // be.
    std::string refusal;
};

TEST(EndToEnd, FilesDecidedWithTheArrowKeysAreInTheTrashOrInPlaceAndCtrlZBringsOneBack)
{
    if (!canRunADisplay()) {
        SKIP_OR_FAIL("xvfb-run or xdotool is not installed (scripts/setup installs them)");
    }
    const ResumableSession resumed({{"un.bin", std::string(4000, 'x')},
                                    {"deux.bin", std::string(3000, 'x')},
                                    {"trois.bin", std::string(2000, 'x')},
                                    {"quatre.bin", std::string(1000, 'x')}});
    if (!resumed.refusal.empty()) {
        FAIL() << "the scratch folder cannot be a source: " << resumed.refusal;
    }
    ASSERT_TRUE(resumed.ready()) << "the saved session's entry never showed";

    int exitCode = -1;
    ASSERT_TRUE(resumed.run(sortingSteps, "review-sorted-xvfb.png",
                            {resumed.trash(), QString::fromStdString(resumed.source)}, &exitCode));
    EXPECT_EQ(exitCode, 0);

    const fs::path trash = resumed.trash().toStdString();
    const fs::path source = resumed.source;
    EXPECT_TRUE(fs::exists(trash / "un.bin"));
    EXPECT_FALSE(fs::exists(source / "un.bin"));
    for (const char* name : {"deux.bin", "trois.bin", "quatre.bin"}) {
        EXPECT_TRUE(fs::exists(source / name)) << name;
    }
    EXPECT_FALSE(fs::exists(trash / "quatre.bin"));
    const SavedState written = SavedState::fromJson(json::parse(contentOf(resumed.statePath)));
    ASSERT_TRUE(written.pendingSession);
    EXPECT_EQ(written.pendingSession->summary.trashed, 1);
    EXPECT_EQ(written.pendingSession->summary.kept, 1);
    EXPECT_EQ(written.pendingSession->summary.deferred, 1);
}

// A picture whose decoding never ends is on the card and in the preview: logging out still ends
// the application at once.
TEST(EndToEnd, LoggingOutWithADecoderStuckOnScreenEndsAtOnce)
{
    if (!canRunADisplay()) {
        SKIP_OR_FAIL("xvfb-run or xdotool is not installed (scripts/setup installs them)");
    }
    const ResumableSession resumed({{"bombe.svg", test::svgBomb()}, {"petit.bin", "x"}});
    if (!resumed.refusal.empty()) {
        FAIL() << "the scratch folder cannot be a source: " << resumed.refusal;
    }
    ASSERT_TRUE(resumed.ready()) << "the saved session's entry never showed";

    int exitCode = -1;
    ASSERT_TRUE(resumed.run(stuckPreviewSteps, "review-stuck-preview-xvfb.png", {}, &exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(SavedState::fromJson(json::parse(contentOf(resumed.statePath))).sources.size(), 1U);
}

// The first two cards are desktop entries whose icons never come: one names a FIFO that no one
// writes to, the other a drawing that references itself exponentially. Quitting still ends in
// its usual time.
TEST(EndToEnd, QuittingNeverWaitsForAnIconThatNeverComes)
{
    if (!canRunADisplay()) {
        SKIP_OR_FAIL("xvfb-run or xdotool is not installed (scripts/setup installs them)");
    }
    const ResumableSession resumed({{"petit.bin", "x"}, {"autre.bin", "yy"}});
    if (!resumed.refusal.empty()) {
        FAIL() << "the scratch folder cannot be a source: " << resumed.refusal;
    }
    ASSERT_TRUE(resumed.ready()) << "the saved session's entry never showed";
    // Beside the sorted folder, not in it.
    const fs::path beside = fs::path(resumed.source).parent_path();
    const std::string fifo = beside / "icone.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string bomb = beside / "dessin.svg";
    std::ofstream(bomb, std::ios::binary) << test::svgBomb();
    const auto entry = [](const std::string& icon, std::size_t padding) {
        return "[Desktop Entry]\nType=Application\nName=Outil\nExec=outil\nIcon=" + icon + "\n# " +
               std::string(padding, 'x') + "\n";
    };
    std::ofstream(fs::path(resumed.source) / "outil.desktop", std::ios::binary)
        << entry(fifo, 3000);
    std::ofstream(fs::path(resumed.source) / "dessin.desktop", std::ios::binary)
        << entry(bomb, 2000);

    int exitCode = -1;
    ASSERT_TRUE(resumed.run(lookAndQuitSteps, "review-icons-never-come-xvfb.png", {}, &exitCode));
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(SavedState::fromJson(json::parse(contentOf(resumed.statePath))).sources.size(), 1U);
}

} // namespace
} // namespace tollenvane
