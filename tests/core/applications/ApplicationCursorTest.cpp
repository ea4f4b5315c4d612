#include "core/applications/ApplicationCursor.h"

#include "core/base/Cancellation.h"
#include "core/base/FileError.h"
#include "core/localisation/ErrorText.h"
#include "support/Bundles.h"
#include "support/ScanOutcome.h"
#include "support/ScopedLanguage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stop_token>
#include <thread>

namespace tollenvane {
namespace {

using test::drain;
using test::writeBundle;

ApplicationScanOptions unpaused()
{
    ApplicationScanOptions options;
    options.pause = std::chrono::nanoseconds::zero();
    return options;
}

// Reads records as the system does, but fails for bundles whose name begins with "Broken".
ApplicationScanOptions failingBroken()
{
    ApplicationScanOptions options = unpaused();
    options.recordReader = [](const std::string& path, std::stop_token stop) {
        if (path.ends_with("/Broken.app")) {
            throw FileError(FileError::changed);
        }
        return ApplicationScanOptions::readRecord(path, std::move(stop));
    };
    return options;
}

class ApplicationCursorTest : public ::testing::Test {
protected:
    const test::ScopedLanguage french{AppLanguage::fr};
    const test::TempDir dir;
};

TEST_F(ApplicationCursorTest, GivesEachBundleOfTheRootsOnceInWalkOrder)
{
    const std::string opt = dir.makeFolder("opt");
    writeBundle(opt + "/Editor.app", "org.example.editor", "2.1");
    writeBundle(opt + "/Utilities/Tool.app", "org.example.tool");
    writeBundle(opt + "/SHOUT.APP", "org.example.shout");
    writeBundle(opt + "/Suite.app/Contents/Helpers/Inner.app", "org.example.inner");
    writeBundle(opt + "/.Hidden.app", "org.example.hidden");
    writeBundle(opt + "/.cache/Cached.app", "org.example.cached");
    writeBundle(opt + "/Broken.app", "org.example.broken");
    dir.write("opt/notes.app", "twelve bytes");
    dir.write("opt/readme.txt", "not an application");
    dir.link("Editor.app", "opt/Link.app");
    dir.link("../elsewhere", "opt/Other");
    writeBundle(dir / "elsewhere/Far.app", "org.example.far");
    const std::string mine = dir.makeFolder("home/Applications");
    writeBundle(mine + "/Mine.app", "org.example.mine");
    dir.link("home/Applications", "mine-link");

    ApplicationCursor cursor(
        {opt, opt + "/", dir / "missing", mine, dir / "mine-link", dir / "opt/notes.app"},
        failingBroken());
    const auto outcome = drain(cursor);

    EXPECT_EQ(outcome.paths,
              (std::vector<std::string>{opt + "/Editor.app", opt + "/SHOUT.APP", opt + "/Suite.app",
                                        opt + "/Utilities/Tool.app", opt + "/notes.app",
                                        mine + "/Mine.app",
                                        // another path to the same bundle is another entry
                                        dir / "mine-link/Mine.app"}));
    ASSERT_EQ(outcome.issues.size(), 1U);
    EXPECT_EQ(outcome.issues[0],
              (ScanEvent::Issue{"Broken.app : " + errorDescription(FileError::changed), 1}));
    EXPECT_EQ(outcome.finishedCount, 1);
    EXPECT_TRUE(outcome.endsWithFinished);
    for (const auto& batch : outcome.batches) {
        EXPECT_EQ(batch.size(), 1U);
    }

    const FileRecord& editor = outcome.batches[0][0];
    EXPECT_EQ(editor.bundleIdentifier(), "org.example.editor");
    EXPECT_EQ(editor.applicationVersion(), "2.1");
    EXPECT_GT(editor.size(), 0);
    const FileRecord& notes = outcome.batches[4][0];
    EXPECT_EQ(notes.size(), 12);
    EXPECT_EQ(notes.bundleIdentifier(), std::nullopt);

    EXPECT_EQ(cursor.next(), std::nullopt);
}

TEST_F(ApplicationCursorTest, WithoutAnyRootTheScanFinishesAtOnceAndCancelledItJustEnds)
{
    ApplicationCursor none({dir / "missing", dir.write("file.txt")}, unpaused());
    const auto first = none.next();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isFinished());
    EXPECT_EQ(none.next(), std::nullopt);

    ApplicationCursor empty({}, unpaused());
    EXPECT_TRUE(empty.next()->isFinished());
    EXPECT_EQ(empty.next(), std::nullopt);

    // Cancellation ends the stream without a problem.
    writeBundle(dir / "apps/A.app", "org.example.a");
    writeBundle(dir / "apps/B.app", "org.example.b");
    std::stop_source source;
    ApplicationScanOptions options = unpaused();
    options.recordReader = [&source](const std::string& path, std::stop_token stop) {
        if (path.ends_with("/B.app")) {
            source.request_stop();
            throwIfCancelled(stop);
        }
        return ApplicationScanOptions::readRecord(path, std::move(stop));
    };
    ApplicationCursor cursor({dir / "apps"}, options);
    const auto outcome = drain(cursor, source.get_token());
    EXPECT_EQ(outcome.paths, std::vector<std::string>{dir / "apps/A.app"});
    EXPECT_TRUE(outcome.issues.empty());
    EXPECT_EQ(outcome.finishedCount, 0);
    // Pulling again, even without a stop request, does not resume a walk that lost a bundle.
    EXPECT_EQ(cursor.next(), std::nullopt);

    std::stop_source stopped;
    stopped.request_stop();
    ApplicationCursor never({dir / "apps"}, unpaused());
    EXPECT_EQ(never.next(stopped.get_token()), std::nullopt);
}

TEST_F(ApplicationCursorTest, TheWalkRestsOnlyOnceItHasReadForAWhileAndAStopEndsTheRest)
{
    writeBundle(dir / "apps/A.app", "org.example.a");
    writeBundle(dir / "apps/B.app", "org.example.b");
    // Light bundles read in no time: a rest of an hour, due after an hour of reading, never
    // comes.
    ApplicationScanOptions patient;
    patient.pause = std::chrono::hours(1);
    patient.work = std::chrono::hours(1);
    ApplicationCursor light({dir / "apps"}, patient);
    EXPECT_EQ(drain(light).paths,
              (std::vector<std::string>{dir / "apps/A.app", dir / "apps/B.app"}));

    // Due at once, the rest is ended by a stop request, and the walk with it.
    ApplicationScanOptions tired = patient;
    tired.work = std::chrono::nanoseconds::zero();
    ApplicationCursor resting({dir / "apps"}, tired);
    std::stop_source source;
    std::jthread stopper([&source] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        source.request_stop();
    });
    EXPECT_EQ(resting.next(source.get_token()), std::nullopt);
    EXPECT_EQ(resting.next(), std::nullopt);
}

} // namespace
} // namespace tollenvane
