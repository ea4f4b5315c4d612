// The folder map as a blind person hears it, through the screen reader itself.
#include "support/DesktopHome.h"
#include "support/OrcaSession.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::OrcaSession;

TEST(OrcaHearsTheMap, EachBlockTheArrowsReachAndEachFolderOpened)
{
    if (const auto why = OrcaSession::missing()) {
        GTEST_SKIP() << *why;
    }
    OrcaSession session;
    const fs::path source(session.source());
    for (const auto& [name, size] : {std::pair{"Films/rush.mov", 600'000},
                                     {"Films/cut.mp4", 200'000},
                                     {"Notes/plan.txt", 90'000},
                                     {"sea.jpg", 120'000}}) {
        fs::create_directories((source / name).parent_path());
        std::ofstream(source / name, std::ios::binary) << std::string(size, 'x');
    }
    const SavedState state = test::stateWithSource(session.source());
    session.write(state);
    const test::TempDir probe;
    const std::string probePath = probe / "state.json";
    test::writeState(state, {probePath});
    const QPoint entry = test::placeOf(probePath, QStringLiteral("nav-space"));
    ASSERT_FALSE(entry.isNull());
    const QString steps = QString(R"(
xdotool mousemove --sync --window "$win" %1 %2 click 1
quiet
for i in $(seq 40); do
    press tab$i Tab
    sleep 0.4
    from=$(tail -n 1 "$MARKS" | cut -d' ' -f1)
    tail -c +$((from + 1)) "$ORCA_LOG" | grep -a "SPEECH OUTPUT" | grep -aqF -- "Tri ·" && break
done
quiet
press open Return
hear "Films ·"
quiet
press next Right
hear "sea.jpg ·"
quiet
press back Left
hear "Films ·"
quiet
press films Return
hear "rush.mov ·"
quiet
)")
                              .arg(entry.x())
                              .arg(entry.y());
    const test::Speech speech = session.run(steps, "orca-map.png");
    EXPECT_EQ(session.exitCode(), 0);
    std::cerr << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("open", "Tri ·")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("open", "Films ·")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("next", "sea.jpg ·")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("films", "Films ·")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("films", "rush.mov ·")) << speech.transcript();
}

} // namespace
} // namespace tollenvane
