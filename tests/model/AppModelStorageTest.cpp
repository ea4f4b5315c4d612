#include "core/base/FileError.h"
#include "core/localisation/ErrorText.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "support/Bundles.h"
#include "support/RecordSample.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <filesystem>

namespace tollenvane {
namespace {

std::vector<std::string> names(const std::vector<StorageNode>& nodes)
{
    std::vector<std::string> found;
    for (const StorageNode& node : nodes) {
        found.push_back(node.name);
    }
    return found;
}

// An indexed source folder with a sub-folder.
struct WithFiles : test::SortingHarness {
    std::string report = folder.write("home/Pictures/report.pdf", std::string(3000, 'r'));
    std::string letter = folder.write("home/Pictures/letter.txt", std::string(100, 'l'));
    std::string invoice = folder.write("home/Pictures/2024/invoice.pdf", std::string(900, 'i'));

    // A session over these files, its first card shown.
    AppModel& sorting(const std::vector<std::string>& files)
    {
        AppModel& started = loadScanned();
        std::vector<FileRecord> cards;
        for (const std::string& file : files) {
            cards.push_back(FileRecord::read(file));
        }
        started.startSession(cards);
        settle();
        return started;
    }

    static std::string missingText() { return errorDescription(FileError::missing); }
};

TEST(AppModelStorage, TheNewestFolderAskedForIsTheOneShown)
{
    WithFiles harness;
    AppModel& model = harness.loadScanned();

    model.openStorageFolder(std::nullopt);
    harness.settle();
    EXPECT_EQ(model.storagePath(), std::nullopt);
    ASSERT_EQ(names(model.storageNodes()), std::vector<std::string>{"Pictures"});
    EXPECT_EQ(model.storageNodes().front().bytes, 4000);

    // The first answer is ready only once the second folder was asked for.
    QSignalSpy shown(&model, &AppModel::storageNodesChanged);
    model.openStorageFolder(harness.source);
    ASSERT_TRUE(harness.executor->runNext());
    model.openStorageFolder(harness.source + "/2024");
    harness.settle();
    EXPECT_EQ(model.storagePath(), harness.source + "/2024");
    EXPECT_EQ(names(model.storageNodes()), std::vector<std::string>{"invoice.pdf"});
    EXPECT_EQ(shown.count(), 1);

    model.openStorageFolder(harness.source);
    harness.settle();
    EXPECT_EQ(names(model.storageNodes()),
              (std::vector<std::string>{"report.pdf", "2024", "letter.txt"}));
}

TEST(AppModelStorage, SourcesWhoseNamesShareABeginningCountEachFileOnce)
{
    test::ModelHarness harness;
    const std::string b = harness.folder.makeFolder("x/b");
    const std::string bc = harness.folder.makeFolder("x/bc");
    harness.folder.write("x/b/one.png", std::string(100, 'o'));
    harness.folder.write("x/bc/two.png", std::string(200, 't'));
    AppModel& model = harness.load();
    model.addFolder(b, false);
    model.addFolder(bc, false);
    harness.settle();
    model.finishOnboarding();
    harness.settle();

    EXPECT_EQ(model.indexedCount(), 2);
    EXPECT_EQ(model.insights().tally(FileFilter::all).bytes, 300);
    EXPECT_EQ(model.insights().sources,
              (std::map<std::string, FileTally>{{b, {1, 100}}, {bc, {1, 200}}}));
    model.openStorageFolder(std::nullopt);
    harness.settle();
    ASSERT_EQ(names(model.storageNodes()), (std::vector<std::string>{"bc", "b"}));
    EXPECT_EQ(model.storageNodes()[0].bytes, 200);
    EXPECT_EQ(model.storageNodes()[1].bytes, 100);
}

TEST(AppModelPreviews, ACardMarkedUnavailableOpensNothing)
{
    WithFiles harness;
    AppModel& model = harness.loadScanned();
    test::RecordSample sample;
    sample.path = harness.report;
    sample.available = false;
    model.startSession(std::vector<FileRecord>{sample.record()});
    harness.settle();
    ASSERT_EQ(model.queueCount(), 1);

    model.openPreview();
    EXPECT_EQ(harness.executor->pending(), 0U);
    harness.settle();
    EXPECT_FALSE(model.showPreview());
    EXPECT_FALSE(model.alert());
}

TEST(AppModelPreviews, TheCardsPreviewOpensOnlyForTheCardStillShownAndAFileStillThere)
{
    WithFiles harness;
    AppModel& model = harness.sorting({harness.report, harness.letter});
    model.openPreview();
    harness.settle();
    EXPECT_TRUE(model.showPreview());
    model.setShowPreview(false);

    // Decided before its check returns.
    model.openPreview();
    model.act(Decision::keep, std::nullopt, false);
    harness.settle();
    EXPECT_EQ(model.queueCount(), 1);
    EXPECT_FALSE(model.showPreview());

    // Nor does a second request overtaken by a third.
    model.openPreview();
    model.openPreview();
    ASSERT_TRUE(harness.executor->runNext());
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(model.showPreview());
    harness.settle();
    EXPECT_TRUE(model.showPreview());
    model.setShowPreview(false);

    std::filesystem::remove(harness.cardPaths().front());
    model.openPreview();
    harness.settle();
    EXPECT_FALSE(model.showPreview());
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->title, "Action impossible");
    EXPECT_EQ(model.alert()->message, WithFiles::missingText());
}

TEST(AppModelPreviews, AListedFileOrApplicationOpensUnlessThePageChangedMeanwhile)
{
    WithFiles harness;
    const std::string apps = harness.folder.makeFolder("opt");
    const std::string tool = test::writeBundle(apps + "/Tool.app", "org.example.tool");
    harness.applicationRoots = {apps};
    AppModel& model = harness.loadScanned();
    model.navigate(Page::space);

    model.inspectFile(harness.invoice);
    harness.settle();
    ASSERT_TRUE(model.inspectedFile());
    EXPECT_EQ(model.inspectedFile()->path(), harness.invoice);
    model.clearInspectedFile();

    model.inspectFile(harness.invoice);
    model.navigate(Page::dashboard);
    harness.settle();
    EXPECT_FALSE(model.inspectedFile());
    EXPECT_FALSE(model.alert());

    model.inspectFile(harness.folder / "home/Pictures/never indexed.pdf");
    harness.settle();
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->message, WithFiles::missingText());
    EXPECT_FALSE(model.inspectedFile());
    model.dismissAlert();

    // An application is found in the list, which the index does not hold.
    model.scanApplications();
    harness.settle();
    model.inspectFile(tool);
    harness.settle();
    ASSERT_TRUE(model.inspectedFile());
    EXPECT_EQ(model.inspectedFile()->bundleIdentifier(), "org.example.tool");

    std::filesystem::remove_all(tool);
    model.inspectFile(tool);
    harness.settle();
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->message, WithFiles::missingText());
}

} // namespace
} // namespace tollenvane
