// The folder map as a blind person hears it, through the screen reader itself.
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

#include <QPoint>

namespace tollenvane {
namespace {

using test::OrcaSession;

// From the sidebar's entry to the map, whose one block is the sorted folder; into it, along its
// blocks and back, then into the largest, and on to the list beside the map.
constexpr const char* mapSteps = R"(
click space $X $Y
reach tab "Tri ·" Tab max 30
press open Return
hear "Films ·"
press next Right
hear "sea.jpg ·"
press back Left
hear "Films ·"
press films Return
hear "rush.mov ·"
press row Tab
hear "rush.mov, 600 KB"
)";

TEST(OrcaHearsTheMap, EachBlockTheArrowsReachAndEachFolderOpened)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    session.putFiles({{"Films/rush.mov", std::string(600'000, 'x')},
                      {"Films/cut.mp4", std::string(200'000, 'x')},
                      {"Notes/plan.txt", std::string(90'000, 'x')},
                      {"sea.jpg", std::string(120'000, 'x')}});
    if (const auto refused = session.writeWithSource()) {
        FAIL() << *refused;
    }
    const QPoint entry = session.placeOf(QStringLiteral("nav-space"));
    ASSERT_FALSE(entry.isNull()) << "the sidebar's entry never showed";
    const test::Speech speech = session.run(QString(mapSteps)
                                                .replace("$X", QString::number(entry.x()))
                                                .replace("$Y", QString::number(entry.y())),
                                            "orca-map.png");
    EXPECT_EQ(session.exitCode(), 0);
    const auto heard = [&speech](const char* mark, const char* text) {
        EXPECT_TRUE(speech.heardAfter(mark, QString::fromUtf8(text)))
            << mark << ": " << text << '\n'
            << speech.transcript();
    };
    // The map is a list of blocks by its title, each heard with its name and size as the arrows
    // reach it.
    for (const char* said : {"Map of your folders.", "List with 1 item."}) {
        EXPECT_NE(speech.transcript().find(said), std::string::npos) << speech.transcript();
    }
    // A folder opened is heard, then its largest block.
    heard("open", "Tri ·");
    heard("open", "Films ·");
    heard("next", "sea.jpg ·");
    heard("films", "Films ·");
    heard("films", "rush.mov ·");
    // The list beside the map says the same figures.
    heard("row", "rush.mov, 600 KB");
}

} // namespace
} // namespace tollenvane
