#include "core/persistence/StateStore.h"

#include "core/base/PlatformError.h"
#include "core/duplicates/FifoWatchdog.h"
#include "core/persistence/StateWriter.h"
#include "support/EnvironmentVariable.h"
#include "support/Errors.h"
#include "support/RecordSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

const std::string goldenPath = TOLLENVANE_TEST_DATA "/state/state.json";

FileRecord sampleRecord(const std::string& path)
{
    return test::RecordSample{.inode = 18446744073709551000ULL,
                              .size = 5000,
                              .modified = 700000000.123456789,
                              .changeNanoseconds = 42,
                              .path = path,
                              .kind = "video"}
        .record();
}

// Every record and every optional field, so that the golden file shows the whole format.
SavedState fullState()
{
    SavedState state;
    state.sources.push_back({"0A1B2C3D-4E5F-6789-ABCD-EF0123456789", "Pictures",
                             std::string("TVBM1\0\xff", 7), false, "/home/a/Pictures"});
    state.destinations.push_back(
        {"11111111-2222-3333-4444-555555555555", "Archive", "token", true, std::nullopt});
    state.history.push_back(
        {"22222222-3333-4444-5555-666666666666", 780000000.5, 3, 2, 1, 0, 123456789});
    state.preferences.sounds = true;
    state.preferences.confirmTrash = true;
    state.preferences.minimumSize = 1'000'000;
    state.preferences.language = AppLanguage::de;
    state.preferences.appearance = AppAppearance::light;
    state.preferences.soundVolume = 0.8;
    SessionCheckpoint pending;
    pending.filter.type = FileFilter::videos;
    pending.filter.olderThanDays = 30;
    pending.filter.folderPath = "/home/a/Movies";
    pending.summary = state.history.front();
    pending.started = 780000000.25;
    pending.selectedPaths = std::vector<std::string>{"/home/a/Movies/a b.mov"};
    OperationReceipt receipt{sampleRecord("/home/a/Movies/a b.mov"), Decision::trash,
                             "/home/a/.local/share/Trash/files/a b.mov",
                             sampleRecord("/home/a/.local/share/Trash/files/a b.mov"),
                             std::string(64, 'e')};
    pending.receipts = {receipt,
                        {sampleRecord("/home/a/Movies/c.mov"), Decision::keep, std::nullopt,
                         std::nullopt, std::nullopt}};
    pending.volumeUUID = "33333333-4444-5555-6666-777777777777";
    pending.volumePath = "/";
    state.pendingSession = pending;
    state.removedApplications.push_back({"org.example.tool", "Tool.app", "/opt/Tool.app"});
    return state;
}

TEST(StateStore, WritesTheGoldenFileAndReadsItBackEqual)
{
    const test::TempDir dir;
    const StateStore store(dir / "state.json");
    const SavedState state = fullState();
    if (std::getenv("TOLLENVANE_UPDATE_GOLDEN") != nullptr) {
        StateStore(goldenPath).save(state);
    }
    dir.write("state.json", "{}");
    ASSERT_EQ(::chmod((dir / "state.json").c_str(), 0644), 0);

    store.save(state);
    EXPECT_EQ(test::readFile(store.path()), test::readFile(goldenPath));
    EXPECT_EQ(test::permissions(store.path()), 0600u);
    EXPECT_EQ(store.load(), state);
    EXPECT_EQ(StateStore(goldenPath).load(), state);
}

TEST(StateStore, ToleratesMissingTopLevelKeysButNoBrokenRecord)
{
    const test::TempDir dir;
    const StateStore store(dir / "Tollenvane/state.json");
    EXPECT_EQ(store.load(), SavedState{}); // a first run

    const auto loadText = [&](const std::string& text) {
        dir.write("Tollenvane/state.json", text);
        return store.load();
    };
    EXPECT_EQ(loadText("{}"), SavedState{});
    EXPECT_EQ(loadText(R"({"sources": null, "history": null, "pendingSession": null,
                           "future": {"x": 1}})"),
              SavedState{});
    const SavedState onlyPreferences = loadText(R"({"preferences": {"sounds": true}})");
    EXPECT_TRUE(onlyPreferences.preferences.sounds);
    EXPECT_TRUE(onlyPreferences.sources.empty());
    EXPECT_FALSE(onlyPreferences.pendingSession);

    Json full = fullState().toJson();
    const auto failsWith = [&](const std::function<void(Json&)>& change) {
        Json broken = full;
        change(broken);
        dir.write("Tollenvane/state.json", json::dump(broken));
        EXPECT_THROW(store.load(), DecodeError) << json::dump(broken);
    };
    failsWith([](Json& j) { j["sources"][0].erase("bookmark"); });
    failsWith([](Json& j) { j["sources"][0]["bookmark"] = "not base64!"; });
    failsWith([](Json& j) { j["preferences"]["language"] = "pt"; });
    failsWith([](Json& j) { j["pendingSession"].erase("receipts"); });
    failsWith([](Json& j) { j["pendingSession"]["receipts"][0]["decision"] = "Keep"; });
    failsWith([](Json& j) { j["history"][0].erase("trashBytes"); });
    failsWith([](Json& j) { j["removedApplications"][0].erase("originalPath"); });
    failsWith([](Json& j) { j["sources"] = "Pictures"; });
    EXPECT_THROW(loadText(R"({"sources": [)"), DecodeError);
    EXPECT_THROW(loadText(R"({"preferences": {"soundVolume": 1e400}})"), DecodeError);
    EXPECT_THROW(loadText(""), DecodeError);

    Json noPaths = full;
    noPaths["pendingSession"].erase("selectedPaths");
    dir.write("Tollenvane/state.json", json::dump(noPaths));
    EXPECT_FALSE(store.load().pendingSession->selectedPaths);
}

TEST(StateStore, DefaultsUnderTheUserDataFolderAndCreatesItPrivately)
{
    const test::TempDir dir;
    {
        const test::EnvironmentVariable dataHome("XDG_DATA_HOME", dir / "data");
        const StateStore store;
        EXPECT_EQ(store.path(), dir / "data/Tollenvane/state.json");
        store.save(SavedState{});
        EXPECT_EQ(test::permissions(dir / "data/Tollenvane"), 0700u);
        EXPECT_EQ(store.load(), SavedState{});
    }
    const test::EnvironmentVariable relative("XDG_DATA_HOME", "relative/path");
    EXPECT_EQ(StateStore::defaultPath(),
              std::string(std::getenv("HOME")) + "/.local/share/Tollenvane/state.json");
}

TEST(StateStore, RefusesAFifoOrADeviceWithoutWaitingOnIt)
{
    const test::TempDir dir;
    const std::string fifo = dir / "state.json";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    test::expectNoHangOn(
        fifo, [&] { EXPECT_EQ(test::platformErrorOf([&] { StateStore(fifo).load(); }), EINVAL); });
    struct stat status {};
    ASSERT_EQ(::lstat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));

    // An endless file.
    EXPECT_EQ(test::platformErrorOf([] { StateStore("/dev/zero").load(); }), EINVAL);
}

TEST(StateWriter, DropsOvertakenSnapshotsAndKeepsItsRevisionOnFailure)
{
    const test::TempDir dir;
    StateWriter writer(StateStore(dir / "state.json"));
    SavedState newer;
    newer.preferences.sounds = true;
    writer.write(newer, 3);
    writer.write(SavedState{}, 2);
    EXPECT_EQ(writer.store().load(), newer);
    EXPECT_EQ(writer.latest(), 3u);

    SavedState again = newer;
    again.preferences.minimumSize = 5;
    writer.write(again, 3);
    EXPECT_EQ(writer.store().load(), again);

    // A folder where the file should be makes the final rename fail.
    StateWriter blocked(StateStore(dir / "blocked/state.json"));
    blocked.write(newer, 1);
    std::filesystem::remove(dir / "blocked/state.json");
    dir.write("blocked/state.json/child", "x");
    EXPECT_THROW(blocked.write(again, 5), PlatformError);
    EXPECT_EQ(blocked.latest(), 1u);
    std::filesystem::remove_all(dir / "blocked/state.json");
    blocked.write(again, 2);
    EXPECT_EQ(blocked.store().load(), again);

    StateWriter noFolder(StateStore(dir / "blocker/state.json"));
    dir.write("blocker", "a file where a folder should be");
    EXPECT_THROW(noFolder.write(newer, 1), PlatformError);
    EXPECT_EQ(noFolder.latest(), 0u);
}

} // namespace
} // namespace tollenvane
