#include "app/screens/setup/SetupRules.h"

#include "core/localisation/Formatting.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

TEST(SetupRules, TilesAreEveryTypeButApplicationsInOrder)
{
    EXPECT_EQ(setupTileTypes(),
              (std::vector<FileFilter>{FileFilter::all, FileFilter::screenshots, FileFilter::images,
                                       FileFilter::videos, FileFilter::pdf, FileFilter::audio,
                                       FileFilter::archives, FileFilter::documents}));
}

TEST(SetupRules, AValueOutsideThePickersEntriesMarksNone)
{
    EXPECT_EQ(entryIndex(minimumSizeEntries(), 0), 0);
    EXPECT_EQ(entryIndex(minimumSizeEntries(), 1'000'000'000), 3);
    EXPECT_EQ(entryIndex(minimumSizeEntries(), 250'000'000), std::nullopt);
    EXPECT_EQ(entryIndex(ageEntries(), 180), 2);
    EXPECT_EQ(entryIndex(ageEntries(), 90), std::nullopt);

    StorageVolume home;
    home.device = 7;
    StorageVolume photos;
    photos.device = 9;
    const std::vector volumes{home, photos};
    EXPECT_EQ(volumeEntryIndex(volumes, std::nullopt), 0);
    EXPECT_EQ(volumeEntryIndex(volumes, 9), 2);
    // An unmounted disk is not taken for "every source".
    EXPECT_EQ(volumeEntryIndex(volumes, 8), std::nullopt);
    EXPECT_EQ(volumeEntryIndex({}, 7), std::nullopt);
}

TEST(SetupRules, StartNeedsMatchingFilesAndNothingRunning)
{
    EXPECT_FALSE(canStartSession(0, false, false));
    EXPECT_FALSE(canStartSession(3, true, false));
    EXPECT_FALSE(canStartSession(3, false, true));
    EXPECT_TRUE(canStartSession(3, false, false));
    EXPECT_FALSE(showsEstimateProgress(false, false));
    EXPECT_TRUE(showsEstimateProgress(true, false));
    EXPECT_TRUE(showsEstimateProgress(false, true));

    EXPECT_EQ(startTitle(false), "Commencer à trier");
    EXPECT_EQ(startTitle(true), "Démarrer une autre session");
}

TEST(SetupRules, EstimateLineIsMarkedOnlyWhileScanning)
{
    const std::string bytes = formattedBytes(1'500'000);
    EXPECT_EQ(estimateLine(1'500'000, false), bytes + " à examiner");
    EXPECT_EQ(estimateLine(1'500'000, true), bytes + " à examiner · analyse en cours");
}

TEST(SetupRules, TheEstimateIsReadAsOneLine)
{
    EXPECT_EQ(estimateNotice(0, 0), "0 fichiers, " + formattedBytes(0) + " à examiner");
    EXPECT_EQ(estimateNotice(12, 1'500'000),
              "12 fichiers, " + formattedBytes(1'500'000) + " à examiner");
}

TEST(SetupRules, FolderRowShowsTheFoldersOwnName)
{
    EXPECT_EQ(folderRowName("/home/alice/Vidéos/Rushes"), "Rushes");
    EXPECT_EQ(folderRowName("/home/alice/Rushes/"), "Rushes");
    EXPECT_EQ(folderRowName("/"), "/");
}

} // namespace
} // namespace tollenvane
