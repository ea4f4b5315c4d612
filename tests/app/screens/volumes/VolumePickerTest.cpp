#include "app/screens/volumes/VolumePicker.h"

#include "app/design/ElidedLabel.h"
#include "app/design/PlainButton.h"
#include "app/design/SecondaryButton.h"
#include "app/design/ShownName.h"
#include "app/design/Spinner.h"
#include "app/design/TextBlock.h"
#include "app/screens/volumes/VolumeRow.h"
#include "app/screens/volumes/VolumeRules.h"
#include "app/screens/volumes/VolumeUsageBar.h"
#include "screens/storage/ScannedDesk.h"

#include <gtest/gtest.h>

#include <QTest>

namespace tollenvane {
namespace {

using test::ScannedDesk;

TEST(VolumeRules, UsageSelectionAndTheExternalHint)
{
    EXPECT_EQ(VolumeRules::usageFraction(0, 0), 0);
    EXPECT_EQ(VolumeRules::usageFraction(-5, 0), 0);
    EXPECT_EQ(VolumeRules::usageFraction(1000, 2000), 0); // more free than capacity
    EXPECT_EQ(VolumeRules::usageFraction(1000, -1), 1);
    EXPECT_DOUBLE_EQ(VolumeRules::usageFraction(1000, 571), 0.429);

    StorageVolume home;
    home.name = "home";
    home.device = 1;
    StorageVolume disk;
    disk.name = "Disk";
    disk.device = 2;
    disk.external = true;
    EXPECT_TRUE(VolumeRules::showsExternalHint({}));
    EXPECT_TRUE(VolumeRules::showsExternalHint({home}));
    EXPECT_FALSE(VolumeRules::showsExternalHint({home, disk}));
    EXPECT_EQ(VolumeRules::title(disk), shownName("Disk"));
    EXPECT_EQ(VolumeRules::title(home), QStringLiteral("Votre ordinateur"));

    // A picked device that is no longer listed marks no row.
    EXPECT_TRUE(VolumeRules::isSelected(disk, 2));
    EXPECT_FALSE(VolumeRules::isSelected(disk, 3));
    EXPECT_FALSE(VolumeRules::isSelected(disk, std::nullopt));

    EXPECT_TRUE(VolumeRules::canChooseFolders(disk, false, false));
    EXPECT_FALSE(VolumeRules::canChooseFolders(disk, true, false));
    EXPECT_FALSE(VolumeRules::canChooseFolders(disk, false, true));
    disk.readOnly = true;
    EXPECT_FALSE(VolumeRules::canChooseFolders(disk, false, false));
}

std::vector<VolumeRow*> rows(const QWidget& picker)
{
    std::vector<VolumeRow*> shown;
    for (VolumeRow* row : picker.findChildren<VolumeRow*>()) {
        shown.push_back(row);
    }
    std::sort(shown.begin(), shown.end(),
              [](const VolumeRow* a, const VolumeRow* b) { return a->y() < b->y(); });
    return shown;
}

TEST(VolumePicker, PicksAVolumeAndFollowsOneThatWasUnmounted)
{
    ScannedDesk desk;
    AppModel& model = desk.model();
    VolumePicker picker(model);
    picker.resize(700, 400);
    picker.show();
    desk.settle();
    auto shown = rows(picker);
    ASSERT_EQ(shown.size(), 2U);
    EXPECT_TRUE(shown[0]->isSelected());
    EXPECT_TRUE(picker.findChild<TextBlock*>("externalHint")->isHidden());
    EXPECT_EQ(shown[1]->findChild<ElidedLabel*>("volumeTitle")->text(), shownName("Rushes"));

    // Picking is accepted during a session too and shows the volume's figures.
    QTest::mouseClick(shown[1]->findChild<QAbstractButton*>("selectVolume"), Qt::LeftButton);
    desk.settle();
    EXPECT_EQ(model.selectedVolumeID(), ScannedDesk::diskDevice);
    EXPECT_EQ(model.diskTotal(), 2'000'000'000'000);
    EXPECT_FALSE(shown[0]->isSelected());
    EXPECT_TRUE(shown[1]->findChild<QWidget*>("selectedMark")->isVisibleTo(&picker));
    EXPECT_FALSE(shown[0]->findChild<QWidget*>("selectedMark")->isVisibleTo(&picker));

    QTest::mouseClick(shown[1]->findChild<SecondaryButton*>("chooseFolders"), Qt::LeftButton);
    desk.settle();
    ASSERT_EQ(desk.harness.panel->requests.size(), 1U);
    EXPECT_EQ(desk.harness.panel->requests[0].startFolder, "/media/alice/Rushes");

    // The disk is unplugged: after the refresh the computer's volume is picked again.
    desk.harness.volumes->disks.pop_back();
    QTest::mouseClick(picker.findChild<PlainButton*>("refreshVolumes"), Qt::LeftButton);
    test::deliverEvents();
    EXPECT_TRUE(picker.findChild<Spinner*>("refreshingVolumes")->isVisibleTo(&picker));
    desk.settle();
    EXPECT_FALSE(picker.findChild<Spinner*>("refreshingVolumes")->isVisibleTo(&picker));
    shown = rows(picker);
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_TRUE(shown[0]->isSelected());
    EXPECT_EQ(model.selectedVolumeID(), ScannedDesk::homeDevice);
    EXPECT_FALSE(picker.findChild<TextBlock*>("externalHint")->isHidden());
}

TEST(VolumeRow, AReadOnlyDiskCanBePickedButNotChosenFromAndItsNameIsShownLiterally)
{
    std::vector<std::string> picked;
    std::vector<std::string> chosen;
    VolumeRow row({[&](const StorageVolume& volume) { picked.push_back(volume.name); },
                   [&](const StorageVolume& volume) { chosen.push_back(volume.name); }});
    StorageVolume disk;
    disk.name = "<b>Rushes<br>";
    disk.device = 9;
    disk.external = true;
    disk.readOnly = true;
    disk.free = 10;
    row.setVolume(disk, false, VolumeRules::canChooseFolders(disk, false, false));
    row.resize(600, 90);
    row.show();
    EXPECT_EQ(row.findChild<ElidedLabel*>("volumeTitle")->text(), shownName("<b>Rushes<br>"));
    EXPECT_TRUE(row.findChild<QWidget*>("readOnlyMark")->isVisible());
    EXPECT_EQ(row.findChild<VolumeUsageBar*>()->fraction(), 0);
    auto* choose = row.findChild<SecondaryButton*>("chooseFolders");
    EXPECT_FALSE(choose->isEnabled());
    QTest::mouseClick(choose, Qt::LeftButton);
    QTest::mouseClick(row.findChild<QAbstractButton*>("selectVolume"), Qt::LeftButton);
    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(picked, std::vector<std::string>{"<b>Rushes<br>"});
}

} // namespace
} // namespace tollenvane
