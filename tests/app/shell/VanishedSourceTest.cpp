#include "app/shell/RootView.h"
#include "model/support/ModelHarness.h"
#include "support/DeliverEvents.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

// A source removed while the application was closed: the window still opens, the scan still
// ends, the other source is indexed and the lost one is reported as a problem.
TEST(VanishedSource, WindowOpensAndTheScanEndsWithTheLostFolderAsAProblem)
{
    test::ModelHarness harness;
    harness.volumes->disks = {{harness.folder / "home", 2049, 500'000'000'000, 120'000'000'000}};
    const fs::path lost = harness.folder / "photos";
    const fs::path kept = harness.folder / "papers";
    fs::create_directories(lost);
    fs::create_directories(kept);
    std::ofstream(kept / "invoice.pdf") << "%PDF-1.4";
    {
        AppModel& first = harness.load();
        Preferences preferences = first.state().preferences;
        preferences.onboardingComplete = true;
        first.setPreferences(preferences);
        first.addFolder(lost, false);
        first.addFolder(kept, false);
        harness.settle();
        first.flushState();
        harness.settle();
        first.shutdown();
        harness.model.reset();
    }
    fs::remove_all(lost);

    AppModel& model = harness.start();
    RootView view(model);
    view.resize(1100, 720);
    view.show();
    harness.settle();
    test::deliverEvents();
    ASSERT_FALSE(model.loading());
    ASSERT_EQ(model.state().sources.size(), 2U);
    EXPECT_FALSE(model.statuses().at(model.state().sources[0].id).location);

    model.scan();
    harness.settle();
    test::deliverEvents();
    EXPECT_FALSE(model.scanning());
    EXPECT_EQ(model.indexedCount(), 1);
    ASSERT_EQ(model.issueCount(), 1);
    EXPECT_TRUE(model.scanIssues().front().starts_with("photos"));
    EXPECT_TRUE(view.findChild<QWidget*>("issueButton")->isVisibleTo(&view));
    EXPECT_FALSE(view.findChild<QWidget*>("scanProgress")->isVisibleTo(&view));
    EXPECT_FALSE(view.grab().isNull());
}

} // namespace
} // namespace tollenvane
