#include "core/base/FileError.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "support/RecordPaths.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSignalSpy>
#include <filesystem>

namespace tollenvane {
namespace {

using test::pathsOf;

// A source folder holding three copies of one photo and a file of its own, indexed.
struct WithCopies : test::SortingHarness {
    std::string photo = std::string(40'000, 'p');
    std::string first = folder.write("home/Pictures/beach.jpg", photo);
    std::string second = folder.write("home/Pictures/beach copy.jpg", photo);
    std::string third = folder.write("home/Pictures/2024/beach.jpg", photo);
    std::string single = folder.write("home/Pictures/dune.jpg", std::string(40'000, 'd'));

    // Runs a whole search and returns its groups.
    const std::vector<DuplicateGroup>& searched()
    {
        model->findDuplicates();
        settle();
        return model->duplicateGroups();
    }
};

TEST(AppModelDuplicates, ASearchShowsItsProgressAndTheCopiesItFound)
{
    WithCopies harness;
    AppModel& model = harness.loadScanned();
    QSignalSpy progress(&model, &AppModel::duplicateProgressChanged);

    model.findDuplicates();
    EXPECT_TRUE(model.findingDuplicates());
    EXPECT_EQ(model.page(), Page::duplicates);
    EXPECT_EQ(model.duplicateProgress(), "Préparation…");
    harness.settle();

    EXPECT_FALSE(model.findingDuplicates());
    ASSERT_EQ(model.duplicateGroups().size(), 1U);
    EXPECT_EQ(pathsOf(model.duplicateGroups().front().files),
              (std::vector<std::string>{harness.third, harness.second, harness.first}));
    EXPECT_EQ(model.duplicateGroups().front().reclaimable(), 80'000);
    // The last report stays: everything there was to read was read.
    const std::string& last = model.duplicateProgress();
    const std::size_t slash = last.find(" / ");
    ASSERT_NE(slash, std::string::npos);
    EXPECT_EQ(last.substr(slash + 3), last.substr(0, slash) + " fichiers vérifiés");
    EXPECT_GE(progress.count(), 2);
}

TEST(AppModelDuplicates, NoSecondSearchStartsWhileOneOrAScanRuns)
{
    WithCopies harness;
    AppModel& model = harness.loadScanned();

    model.scan();
    QSignalSpy progress(&model, &AppModel::duplicateProgressChanged);
    QSignalSpy page(&model, &AppModel::pageChanged);
    model.findDuplicates();
    EXPECT_FALSE(model.findingDuplicates());
    EXPECT_EQ(progress.count(), 0);
    EXPECT_EQ(page.count(), 0);
    harness.settle();

    model.findDuplicates();
    const std::size_t jobs = harness.executor->pending();
    model.findDuplicates();
    EXPECT_EQ(harness.executor->pending(), jobs);
    EXPECT_EQ(progress.count(), 1);
    harness.settle();
    EXPECT_EQ(model.duplicateGroups().size(), 1U);
}

TEST(AppModelDuplicates, AStoppedSearchChangesNothingMoreAndAFinishedOneReplacesTheGroups)
{
    WithCopies harness;
    AppModel& model = harness.loadScanned();
    const std::vector<DuplicateGroup> before = harness.searched();
    ASSERT_EQ(before.size(), 1U);

    std::filesystem::remove(harness.third);
    model.findDuplicates();
    ASSERT_TRUE(harness.executor->runNext()); // the search ends; its reports are on their way
    model.cancelDuplicates();
    EXPECT_FALSE(model.findingDuplicates());
    EXPECT_EQ(model.duplicateProgress(), "Analyse interrompue");
    QSignalSpy groups(&model, &AppModel::duplicateGroupsChanged);
    harness.settle();

    EXPECT_EQ(model.duplicateProgress(), "Analyse interrompue");
    EXPECT_FALSE(model.findingDuplicates());
    EXPECT_EQ(groups.count(), 0);
    EXPECT_EQ(model.duplicateGroups(), before);
    EXPECT_FALSE(model.alert());

    // Stopped before it ran: it ends without a word.
    model.findDuplicates();
    model.cancelDuplicates();
    harness.settle();
    EXPECT_FALSE(model.alert());
    EXPECT_EQ(model.duplicateGroups(), before);

    // One that runs to its end and finds nothing shows no group.
    std::filesystem::remove(harness.second);
    EXPECT_TRUE(harness.searched().empty());
    EXPECT_FALSE(model.findingDuplicates());
}

TEST(AppModelDuplicates, SortingCopiesKeepsTheChosenOneAndDealsTheOthers)
{
    WithCopies harness;
    AppModel& model = harness.loadScanned();
    ASSERT_EQ(harness.searched().size(), 1U);
    const DuplicateGroup group = model.duplicateGroups().front();
    SessionFilter narrow;
    narrow.minimumSize = 1'000'000;
    model.setFilter(narrow);

    model.sortCopies(group, group.files[1]);
    harness.settle();

    EXPECT_TRUE(model.sessionActive());
    EXPECT_EQ(model.page(), Page::swipe);
    EXPECT_EQ(model.filter(), SessionFilter());
    EXPECT_EQ(pathsOf(model.pending().remaining()),
              (std::vector<std::string>{harness.third, harness.first}));
    EXPECT_NE(test::readFile(harness.journalPath()).find(harness.second), std::string::npos);

    // Nothing while a session runs.
    model.sortCopies(group, group.files[0]);
    harness.settle();
    EXPECT_EQ(pathsOf(model.pending().remaining()),
              (std::vector<std::string>{harness.third, harness.first}));
}

} // namespace
} // namespace tollenvane
