// Starts the real executable on a desktop of its own, as a user would, and quits it with the
// keyboard. Each step waits until the screen reader has been told what it expects, so that no key
// falls on a window not yet shown or on a decision still under way.
#include "core/base/Json.h"
#include "core/persistence/SavedState.h"
#include "preview/TestMedia.h"
#include "support/DesktopHome.h"
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QColor>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::contentOf;
using test::OrcaSession;

// The picture a session took, as the harness saved it.
QImage picture(const QString& name)
{
    return QImage(QString(TOLLENVANE_SCREENSHOTS) + "/" + name);
}

TEST(EndToEnd, TheWindowOpensOnADisplayAndCtrlQWritesTheState)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    session.run({}, "shell-window-xvfb.png");
    EXPECT_EQ(session.exitCode(), 0);
    const QImage shot = picture("shell-window-xvfb.png");
    ASSERT_FALSE(shot.isNull());
    // The window covers the top left of a screen that the display leaves black.
    EXPECT_NE(shot.pixelColor(600, 400), QColor(Qt::black));
    ASSERT_TRUE(fs::exists(session.statePath()));
    EXPECT_NO_THROW(SavedState::fromJson(json::parse(contentOf(session.statePath()))));
}

TEST(EndToEnd, ACorruptStateFileOpensTheWindowAndStaysAsItWas)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    const std::string corrupt = "{\"sources\": [ cut short";
    fs::create_directories(fs::path(session.statePath()).parent_path());
    std::ofstream(session.statePath(), std::ios::binary) << corrupt;
    session.opensOn(QStringLiteral("alert"));
    session.run({}, "shell-window-corrupt-state-xvfb.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_FALSE(picture("shell-window-corrupt-state-xvfb.png").isNull());
    EXPECT_EQ(contentOf(session.statePath()), corrupt);
}

// A home whose sorted folder holds `files`, with a largest-first session over it waiting to be
// resumed; why it cannot be, when the folder cannot be a source.
std::optional<std::string>
waitingOver(const OrcaSession& session,
            const std::vector<std::pair<std::string, std::string>>& files)
{
    session.putFiles(files);
    return session.writeWaitingSession();
}

// Each way a card goes with the arrow keys, then Ctrl+Z; every key once the card before it is
// heard, so that none falls on a decision still under way.
constexpr const char* sortingSteps = R"(
hear "Resume sorting"
press resume Return
hear un.bin
press trash Left
hear deux.bin
press keep Right
hear trois.bin
press later Down
hear quatre.bin
press again Left
moved
press undo ctrl+z
hear quatre.bin
)";

TEST(EndToEnd, FilesDecidedWithTheArrowKeysAreInTheTrashOrInPlaceAndCtrlZBringsOneBack)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    if (const auto refused = waitingOver(session, {{"un.bin", std::string(4000, 'x')},
                                                   {"deux.bin", std::string(3000, 'x')},
                                                   {"trois.bin", std::string(2000, 'x')},
                                                   {"quatre.bin", std::string(1000, 'x')}})) {
        FAIL() << *refused;
    }
    session.run(sortingSteps, "review-sorted-xvfb.png");
    EXPECT_EQ(session.exitCode(), 0);

    const fs::path trash = session.trash();
    const fs::path source = session.source();
    EXPECT_TRUE(fs::exists(trash / "un.bin"));
    EXPECT_FALSE(fs::exists(source / "un.bin"));
    for (const char* name : {"deux.bin", "trois.bin", "quatre.bin"}) {
        EXPECT_TRUE(fs::exists(source / name)) << name;
    }
    EXPECT_FALSE(fs::exists(trash / "quatre.bin"));
    const SavedState written = SavedState::fromJson(json::parse(contentOf(session.statePath())));
    ASSERT_TRUE(written.pendingSession);
    EXPECT_EQ(written.pendingSession->summary.trashed, 1);
    EXPECT_EQ(written.pendingSession->summary.kept, 1);
    EXPECT_EQ(written.pendingSession->summary.deferred, 1);
}

// The first card's full preview, then the desktop's log-out: the application is asked to end
// and does so at once, whatever the preview still waits for.
constexpr const char* loggedOutSteps = R"(
hear "Resume sorting"
press resume Return
hear bombe.svg
press preview space
hear "bombe.svg dialog"
"$GRAB" "$PICTURE"
kill -TERM $app
for i in $(seq 150); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then kill -9 $app; exit 5; fi
wait $app
exit $?
)";

// A picture whose decoding never ends is on the card and in the preview: logging out still ends
// the application at once.
TEST(EndToEnd, LoggingOutWithADecoderStuckOnScreenEndsAtOnce)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    if (const auto refused =
            waitingOver(session, {{"bombe.svg", test::svgBomb()}, {"petit.bin", "x"}})) {
        FAIL() << *refused;
    }
    session.run(loggedOutSteps, "review-stuck-preview-xvfb.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_EQ(SavedState::fromJson(json::parse(contentOf(session.statePath()))).sources.size(), 1U);
}

// The first card and its full preview, closed; then Ctrl+Q.
constexpr const char* lookAndQuitSteps = R"(
hear "Resume sorting"
press resume Return
hear outil.desktop
press preview space
hear "outil.desktop dialog"
press closed Escape
hear outil.desktop
)";

// The first two cards are desktop entries whose icons never come: one names a FIFO that no one
// writes to, the other a drawing that references itself exponentially. Quitting still ends in
// its usual time.
TEST(EndToEnd, QuittingNeverWaitsForAnIconThatNeverComes)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    // Beside the sorted folder, not in it.
    const fs::path beside = fs::path(session.source()).parent_path();
    const std::string fifo = beside / "icone.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string bomb = beside / "dessin.svg";
    std::ofstream(bomb, std::ios::binary) << test::svgBomb();
    const auto entry = [](const std::string& icon, std::size_t padding) {
        return "[Desktop Entry]\nType=Application\nName=Outil\nExec=outil\nIcon=" + icon + "\n# " +
               std::string(padding, 'x') + "\n";
    };
    if (const auto refused = waitingOver(session, {{"petit.bin", "x"},
                                                   {"autre.bin", "yy"},
                                                   {"outil.desktop", entry(fifo, 3000)},
                                                   {"dessin.desktop", entry(bomb, 2000)}})) {
        FAIL() << *refused;
    }
    session.run(lookAndQuitSteps, "review-icons-never-come-xvfb.png");
    EXPECT_EQ(session.exitCode(), 0);
    EXPECT_EQ(SavedState::fromJson(json::parse(contentOf(session.statePath()))).sources.size(), 1U);
}

} // namespace
} // namespace tollenvane
