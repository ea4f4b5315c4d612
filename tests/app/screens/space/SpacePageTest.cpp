#include "app/screens/space/SpacePage.h"

#include "app/design/PlainButton.h"
#include "app/design/PrimaryButton.h"
#include "app/screens/creator/CreatorGuidance.h"
#include "app/screens/space/DuplicatesCard.h"
#include "app/screens/space/SpaceRules.h"
#include "app/screens/tiles/RecommendationTile.h"
#include "screens/storage/ScannedDesk.h"

#include <gtest/gtest.h>

#include <QGridLayout>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

namespace tollenvane {
namespace {

using test::ScannedDesk;

TEST(SpaceRules, PresetsCarryThePickedVolumeAndDuplicatesWaitForAnIndex)
{
    EXPECT_EQ(SpaceRules::presetFilter(SpacePreset::large, std::nullopt),
              filter(SpacePreset::large));
    EXPECT_EQ(SpaceRules::presetFilter(SpacePreset::archives, 7).volumeDevice, 7U);
    EXPECT_TRUE(SpaceRules::canFindDuplicates(false, false, 1, false));
    EXPECT_FALSE(SpaceRules::canFindDuplicates(true, false, 1, false));
    EXPECT_FALSE(SpaceRules::canFindDuplicates(false, true, 1, false));
    EXPECT_FALSE(SpaceRules::canFindDuplicates(false, false, 0, false));
    EXPECT_FALSE(SpaceRules::canFindDuplicates(false, false, 1, true));
    EXPECT_FALSE(CreatorGuidance::canReview(false, {0, 0}));
    EXPECT_FALSE(CreatorGuidance::canReview(true, {1, 600'000'000}));
    EXPECT_TRUE(CreatorGuidance::canReview(false, {1, 600'000'000}));
}

struct OpenPage {
    ScannedDesk desk;
    SpacePage page{{desk.model(), desk.revealer, desk.links}};

    OpenPage()
    {
        page.resize(980, 900);
        page.show();
        desk.settle();
    }

    template <class T>
    T& find(const QString& name) const
    {
        T* found = page.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return *found;
    }
};

TEST(SpacePage, CardsStartTheirSelectionOnThePickedVolume)
{
    OpenPage open;
    AppModel& model = open.desk.model();
    auto& grid = *open.find<QWidget>("presetGrid").findChild<QGridLayout*>();
    int row = -1;
    int column = -1;
    int span = 0;
    grid.getItemPosition(grid.indexOf(&open.find<DuplicatesCard>("duplicatesCard")), &row, &column,
                         &span, &span);
    EXPECT_EQ(std::pair(row, column), std::pair(3, 0));
    EXPECT_EQ(open.page.findChildren<RecommendationTile*>().size(), 6U);

    // The tallies follow the picked volume: nothing was indexed on the external disk.
    auto& screenshots = open.find<RecommendationTile>("preset-large");
    EXPECT_EQ(screenshots.tally(),
              model.insights().tally(SpacePreset::large, model.selectedVolumeID()));
    model.setSelectedVolumeID(ScannedDesk::diskDevice);
    open.desk.settle();
    EXPECT_EQ(open.find<RecommendationTile>("preset-archives").tally(), (FileTally{0, 0}));

    QTest::mouseClick(&open.find<RecommendationTile>("preset-downloads"), Qt::LeftButton);
    open.desk.settle();
    EXPECT_EQ(model.page(), Page::setup);
    EXPECT_EQ(model.filter(),
              SpaceRules::presetFilter(SpacePreset::downloads, ScannedDesk::diskDevice));
}

TEST(SpacePage, DuplicatesAndLargeVideosNeedWhatTheyLookFor)
{
    OpenPage open;
    AppModel& model = open.desk.model();
    auto& duplicates = open.find<DuplicatesCard>("duplicatesCard");
    auto& review = open.find<PrimaryButton>("reviewLargeVideos");
    EXPECT_TRUE(duplicates.isEnabled());
    EXPECT_EQ(duplicates.actionText(), QStringLiteral("Rechercher les doublons"));
    EXPECT_FALSE(review.isEnabled()); // no video over 500 MB

    // A sparse master of 600 MB takes no room on the test machine.
    const std::string master = open.desk.harness.folder.write("home/Projects/Films/master.mov");
    std::filesystem::resize_file(master, 600'000'000);
    model.scan();
    test::deliverEvents();
    EXPECT_FALSE(duplicates.isEnabled());
    EXPECT_EQ(duplicates.actionText(), QStringLiteral("Disponible après l’analyse"));
    open.desk.settle();
    ASSERT_TRUE(review.isEnabled());

    QTest::mouseClick(&open.find<PlainButton>("secondGuide"), Qt::LeftButton);
    QTest::mouseClick(&open.find<PlainButton>("firstGuide"), Qt::LeftButton);
    ASSERT_EQ(open.desk.links.urls.size(), 2U);
    EXPECT_EQ(open.desk.links.urls[0], CreatorGuidance::secondGuide());
    EXPECT_EQ(open.desk.links.urls[1].scheme(), QStringLiteral("https"));

    QTest::mouseClick(&review, Qt::LeftButton);
    open.desk.harness.advance(std::chrono::milliseconds(100)); // the estimate's pause
    open.desk.settle();
    EXPECT_EQ(model.page(), Page::setup);
    EXPECT_EQ(model.filter(), filter(SpacePreset::creator));
    EXPECT_EQ(model.matchingCount(), 1);

    QTest::mouseClick(&duplicates, Qt::LeftButton);
    EXPECT_EQ(model.page(), Page::duplicates);
    open.desk.settle();
}

} // namespace
} // namespace tollenvane
