#include "core/localisation/Localization.h"
#include "core/platform/XdgFolders.h"
#include "model/AppModel.h"
#include "model/support/ModelHarness.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <filesystem>
#include <limits>
#include <optional>

namespace tollenvane {
namespace {

using namespace std::chrono_literals;
using test::ModelHarness;

namespace fs = std::filesystem;

// The write just seen was the only one: removed, the file does not come back.
void expectNoFurtherWrite(ModelHarness& harness)
{
    fs::remove(harness.statePath());
    harness.advance(10s);
    EXPECT_FALSE(fs::exists(harness.statePath()));
}

auto environmentWith(std::string value)
{
    return [value](const char* name) {
        return std::string(name) == "TollenvaneTestStatePath" ? value : std::string();
    };
}

TEST(AppModelLaunchStore, TheFirstStatePairWinsThenTheEnvironmentThenTheDefault)
{
    const auto environment = environmentWith("/env/state.json");
    EXPECT_EQ(AppModel::launchStore({"/bin/tv", "--state", "/a/s.json"}, environment).path(),
              "/a/s.json");
    EXPECT_EQ(AppModel::launchStore(
                  {"/bin/tv", "--state", "/first.json", "--state", "/second.json"}, environment)
                  .path(),
              "/first.json");
    // A trailing "--state" has no path: the environment decides.
    EXPECT_EQ(AppModel::launchStore({"/bin/tv", "--state"}, environment).path(), "/env/state.json");
    EXPECT_EQ(AppModel::launchStore({"/bin/tv", "--state", ""}, environment).path(),
              "/env/state.json");
    EXPECT_EQ(AppModel::launchStore({"/bin/tv"}, environmentWith("")).path(),
              XdgFolders::dataHome() + "/Tollenvane/state.json");
    EXPECT_EQ(AppModel::launchStore({"/bin/tv", "--state", "mine.json"}, environment).path(),
              fs::current_path().string() + "/mine.json");
}

TEST(AppModelLoad, AMissingStateFileIsWrittenOnceAfterTheDelayAndSoIsEachRunOfSaves)
{
    ModelHarness harness;
    AppModel& model = harness.start();
    const QSignalSpy loadingChanged(&model, &AppModel::loadingChanged);
    EXPECT_TRUE(model.loading());
    harness.settle();
    EXPECT_FALSE(model.loading());
    EXPECT_EQ(loadingChanged.count(), 1);
    EXPECT_FALSE(model.alert());

    harness.advance(249ms);
    EXPECT_FALSE(fs::exists(harness.statePath()));
    harness.advance(1ms);
    ASSERT_TRUE(fs::exists(harness.statePath()));
    EXPECT_EQ(harness.stateOnDisk(), SavedState{});
    expectNoFurtherWrite(harness);

    // Saves within the delay of each other: one write, of the last state.
    Preferences preferences = model.state().preferences;
    for (const std::int64_t size : {1, 2, 3}) {
        if (size > 1) {
            harness.advance(100ms);
        }
        preferences.minimumSize = size;
        model.setPreferences(preferences);
        model.save();
    }
    harness.advance(249ms);
    EXPECT_FALSE(fs::exists(harness.statePath()));
    harness.advance(1ms);
    ASSERT_TRUE(fs::exists(harness.statePath()));
    EXPECT_EQ(harness.stateOnDisk().preferences.minimumSize, 3);
    expectNoFurtherWrite(harness);
}

TEST(AppModelLoad, TheLoadedStateAndLanguageAreApplied)
{
    ModelHarness harness;
    SavedState saved;
    saved.preferences.minimumSize = 5'000'000;
    saved.preferences.language = AppLanguage::de;
    saved.history.push_back({"0A1B2C3D-4E5F-6789-ABCD-EF0123456789", 1, 1, 2, 0, 0,
                             std::numeric_limits<std::int64_t>::max() - 5});
    saved.history.push_back({"11111111-2222-3333-4444-555555555555", 2, 0, 1, 0, 0, 10});
    StateStore(harness.statePath()).save(saved);

    // The language is in force before the change is told, so whatever redraws at once reads
    // its texts in it.
    std::optional<AppLanguage> told;
    AppModel& model = harness.start();
    QObject::connect(&model, &AppModel::stateChanged, [&] {
        if (!told) {
            told = Localization::language();
        }
    });
    harness.settle();
    EXPECT_EQ(told, AppLanguage::de);
    EXPECT_EQ(model.state(), saved);
    EXPECT_EQ(Localization::language(), AppLanguage::de);
    EXPECT_EQ(model.trashedTotal(), std::numeric_limits<std::int64_t>::max());

    Preferences preferences = model.state().preferences;
    preferences.language = AppLanguage::fr;
    told.reset();
    model.setPreferences(preferences);
    EXPECT_EQ(told, AppLanguage::fr);
    EXPECT_EQ(Localization::language(), AppLanguage::fr);
}

TEST(AppModelLoad, AnUnreadableStateFileIsNeverWrittenDuringTheRun)
{
    ModelHarness harness;
    harness.folder.write("data/state.json", "{\"preferences\": [");
    AppModel& model = harness.load();

    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Préférences illisibles");
    EXPECT_TRUE(model.alert()->message.starts_with(
        "Les données existantes sont conservées. Le tri reste disponible, mais les nouvelles "
        "préférences ne seront pas enregistrées. "));
    EXPECT_TRUE(model.alert()->message.ends_with("Le contenu du fichier est illisible."))
        << model.alert()->message; // the reason, not the parser's words
    EXPECT_EQ(model.state(), SavedState{});

    Preferences preferences = model.state().preferences;
    preferences.sounds = true;
    model.setPreferences(preferences);
    model.save();
    harness.advance(5s);
    const QFuture<void> flushed = model.flushState();
    harness.settle();
    EXPECT_TRUE(flushed.isFinished());
    EXPECT_EQ(test::readFile(harness.statePath()), "{\"preferences\": [");
}

TEST(AppModelLoad, WhenStateAndJournalBothFailTheJournalAlertIsShown)
{
    ModelHarness harness;
    harness.folder.write("data/state.json", "not json");
    harness.folder.write("data/state.reviews.jsonl", "{\"path\": 3}\n");
    const AppModel& model = harness.load();

    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Décisions précédentes illisibles");
    EXPECT_TRUE(model.alert()->message.ends_with("(ligne 1).")) << model.alert()->message;
    EXPECT_FALSE(model.loading());
}

TEST(AppModelLoad, NothingIsWrittenBeforeTheStateFileWasRead)
{
    ModelHarness harness;
    SavedState saved;
    saved.preferences.onboardingComplete = true;
    StateStore(harness.statePath()).save(saved);
    const std::string before = test::readFile(harness.statePath());

    AppModel& model = harness.start(); // the read has not run yet
    model.save();
    harness.time->advance(1s);
    const QFuture<void> flushed = model.flushState();
    EXPECT_TRUE(flushed.isFinished());
    model.shutdown();
    harness.time->advance(1s);
    EXPECT_EQ(test::readFile(harness.statePath()), before);

    harness.settle(); // the read now finds the user's state
    EXPECT_TRUE(model.state().preferences.onboardingComplete);
}

TEST(AppModelSave, FlushAfterSaveWritesTheCurrentStateOnceAndAFailedWriteOnlyRaisesAnAlert)
{
    ModelHarness harness;
    AppModel& model = harness.load();
    harness.advance(AppModel::saveDelay);
    fs::remove(harness.statePath());

    Preferences preferences = model.state().preferences;
    preferences.confirmTrash = true;
    model.setPreferences(preferences);
    model.save();
    preferences.showHidden = true;
    model.setPreferences(preferences); // changed after the save, before the flush
    const QFuture<void> flushed = model.flushState();
    EXPECT_FALSE(flushed.isFinished());
    harness.settle();
    EXPECT_TRUE(flushed.isFinished());
    ASSERT_TRUE(fs::exists(harness.statePath()));
    EXPECT_EQ(harness.stateOnDisk().preferences, preferences);
    expectNoFurtherWrite(harness);

    // A file where the state's folder should be.
    fs::remove_all(harness.folder / "data");
    harness.folder.write("data", "in the way");
    model.save();
    harness.advance(AppModel::saveDelay);
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Enregistrement impossible");
    EXPECT_FALSE(model.alert()->message.empty());

    fs::remove(harness.folder / "data");
    model.dismissAlert();
    const QFuture<void> again = model.flushState();
    harness.settle();
    EXPECT_TRUE(again.isFinished());
    EXPECT_FALSE(model.alert());
    EXPECT_EQ(harness.stateOnDisk().preferences, preferences);
}

TEST(AppModelFields, EveryWriteIsSignalledAndRunningApplicationsAreStandardisedBundles)
{
    ModelHarness harness;
    harness.runningApplications = {"/opt/Tool.app/", "/opt//Tool.app",
                                   "/home/a/Applications/B.app"};
    AppModel& model = harness.load();
    EXPECT_EQ(model.runningApplicationPaths(),
              (std::set<std::string>{"/home/a/Applications/B.app", "/opt/Tool.app"}));

    const QSignalSpy tutorial(&model, &AppModel::showTutorialChanged);
    const QSignalSpy filter(&model, &AppModel::filterChanged);
    const QSignalSpy alert(&model, &AppModel::alertChanged);
    model.setShowTutorial(false);
    model.setShowTutorial(false);
    model.setFilter(model.filter());
    model.dismissAlert();
    EXPECT_EQ(tutorial.count(), 2);
    EXPECT_EQ(filter.count(), 1);
    EXPECT_EQ(alert.count(), 1);
}

TEST(AppModelFields, PagesKeepTheirOrderRawValuesAndTitles)
{
    ASSERT_EQ(allPages.size(), 10U);
    EXPECT_EQ(allPages.front(), Page::dashboard);
    EXPECT_EQ(allPages.back(), Page::applications);
    EXPECT_EQ(rawValue(Page::setup), "setup");
    EXPECT_EQ(pageFromRaw("duplicates"), Page::duplicates);
    EXPECT_EQ(pageFromRaw("Duplicates"), std::nullopt);
    EXPECT_EQ(label(Page::summary), "Bien joué");
}

} // namespace
} // namespace tollenvane
