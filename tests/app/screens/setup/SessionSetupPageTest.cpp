#include "app/screens/setup/SessionSetupPage.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/PrimaryButton.h"
#include "app/design/ShownName.h"
#include "app/design/Switch.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/screens/setup/SetupRules.h"
#include "app/screens/setup/TypeTile.h"
#include "design/SchemeScope.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "support/DeliverEvents.h"
#include "support/HeardGroup.h"
#include "support/Screenshots.h"
#include "support/ToldNotices.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cstdlib>

namespace tollenvane {
namespace {

constexpr std::uint64_t homeDevice = 2049;
constexpr std::uint64_t photosDevice = 2065;

// The set-up page over a scanned folder of three files, shown as the model's setup() shows it.
struct SetupScreen {
    test::SortingHarness harness;
    AppModel& model;
    SessionSetupPage page;

    SetupScreen()
        : model(prepare(harness))
        , page(model)
    {
        page.resize(900, 1000);
        page.show();
        model.setup(SessionFilter{});
        settle();
    }

    static AppModel& prepare(test::SortingHarness& harness)
    {
        harness.volumes->disks = {{harness.folder / "home", homeDevice, 1000, 500},
                                  {"/media/alice/Photos", photosDevice, 4000, 3000}};
        harness.file("beach.png", 3000);
        harness.file("report.pdf", 2000);
        harness.file("notes.txt", 1000);
        return harness.loadScanned();
    }

    void settle()
    {
        harness.advance(std::chrono::milliseconds(400));
        test::deliverEvents();
    }

    template <class T>
    T& find(const char* name) const
    {
        T* found = page.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
};

TEST(SessionSetupPage, EachKeystrokeWritesTheSearchAndTheCursorStays)
{
    SetupScreen screen;
    auto& search = screen.find<QLineEdit>("searchField");
    search.setFocus();
    QTest::keyClicks(&search, QStringLiteral("rt"));
    EXPECT_EQ(screen.model.filter().search, "rt");
    EXPECT_TRUE(screen.model.preparingSelection());
    test::deliverEvents();
    EXPECT_FALSE(screen.find<PrimaryButton>("startButton").isEnabled());
    EXPECT_TRUE(screen.find<QWidget>("estimateProgress").isVisible());

    QTest::keyClick(&search, Qt::Key_Left);
    QTest::keyClicks(&search, QStringLiteral("epor"));
    EXPECT_EQ(screen.model.filter().search, "report");
    screen.settle();
    EXPECT_EQ(search.text(), QStringLiteral("report"));
    EXPECT_EQ(search.cursorPosition(), 5);
    EXPECT_EQ(screen.model.matchingCount(), 1);
    EXPECT_FALSE(screen.find<QWidget>("estimateProgress").isVisible());
    EXPECT_TRUE(screen.find<PrimaryButton>("startButton").isEnabled());

    // The field's own undo history survives the refreshes.
    QTest::keyClick(&search, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(search.text(), QStringLiteral("report"));
}

TEST(SessionSetupPage, PickersWriteTheirValueAndLeaveAValueOutsideTheirEntries)
{
    SetupScreen screen;
    auto& sizes = screen.find<QComboBox>("sizePicker");
    auto& ages = screen.find<QComboBox>("agePicker");
    auto& volumes = screen.find<QComboBox>("volumePicker");
    ASSERT_EQ(volumes.count(), 3);
    EXPECT_EQ(volumes.itemText(0), QStringLiteral("Toutes les sources"));
    EXPECT_EQ(volumes.currentIndex(), 0);

    SessionFilter stored;
    stored.minimumSize = 250'000'000;
    stored.olderThanDays = 90;
    stored.volumeDevice = 77;
    screen.model.setup(stored);
    screen.settle();
    EXPECT_EQ(sizes.currentIndex(), -1);
    EXPECT_EQ(ages.currentIndex(), -1);
    EXPECT_EQ(volumes.currentIndex(), -1);
    EXPECT_EQ(screen.model.filter(), stored);

    sizes.setCurrentIndex(2);
    emit sizes.activated(2);
    ages.setCurrentIndex(3);
    emit ages.activated(3);
    volumes.setCurrentIndex(2);
    emit volumes.activated(2);
    EXPECT_EQ(screen.model.filter().minimumSize, 500'000'000);
    EXPECT_EQ(screen.model.filter().olderThanDays, 365);
    EXPECT_EQ(screen.model.filter().volumeDevice, photosDevice);
    emit volumes.activated(0);
    EXPECT_EQ(screen.model.filter().volumeDevice, std::nullopt);
}

TEST(SessionSetupPage, TheWheelOverAPickerScrollsThePageAndLeavesTheFilter)
{
    SetupScreen screen;
    screen.page.resize(900, 400);
    screen.settle();
    QScrollBar& bar = *screen.page.verticalScrollBar();
    ASSERT_GT(bar.maximum(), 0);
    const SessionFilter before = screen.model.filter();
    for (const char* name : {"volumePicker", "sizePicker", "agePicker"}) {
        auto& picker = screen.find<QComboBox>(name);
        const int index = picker.currentIndex();
        bar.setValue(0);
        QWheelEvent wheel(QPointF(5, 5), picker.mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&picker, &wheel);
        EXPECT_EQ(picker.currentIndex(), index) << name;
        EXPECT_GT(bar.value(), 0) << name << " keeps the page from scrolling";
        EXPECT_EQ(picker.focusPolicy(), Qt::StrongFocus) << name;
    }
    screen.settle();
    EXPECT_EQ(screen.model.filter(), before);
}

TEST(SessionSetupPage, TilesSwitchesAndTheFolderRowEachWriteOneField)
{
    SetupScreen screen;
    SessionFilter stored;
    stored.folderPath = screen.harness.source;
    stored.search = "be";
    stored.minimumSize = 100'000'000;
    screen.model.setup(stored);
    screen.settle();

    auto& folderRow = screen.find<QWidget>("folderRow");
    EXPECT_TRUE(folderRow.isVisible());
    EXPECT_EQ(screen.find<ElidedLabel>("folderName").text(), shownName("Pictures"));
    QTest::mouseClick(&screen.find<QAbstractButton>("allFoldersButton"), Qt::LeftButton);
    SessionFilter expected = stored;
    expected.folderPath.reset();
    EXPECT_EQ(screen.model.filter(), expected);
    screen.settle();
    EXPECT_FALSE(folderRow.isVisible());

    auto& images = screen.find<TypeTile>("typeTile-images");
    auto& all = screen.find<TypeTile>("typeTile-all");
    EXPECT_TRUE(all.isSelected());
    EXPECT_EQ(test::heardGroup(all), "Type de fichiers");
    QTest::mouseClick(&images, Qt::LeftButton);
    EXPECT_EQ(screen.model.filter().type, FileFilter::images);
    screen.settle();
    EXPECT_TRUE(images.isSelected());
    EXPECT_FALSE(all.isSelected());

    auto& largest = screen.find<Switch>("largestFirstSwitch");
    QTest::mouseClick(&largest, Qt::LeftButton, {},
                      QPoint(largest.width() - 10, largest.height() / 2));
    EXPECT_TRUE(screen.model.filter().largestFirst);
    EXPECT_FALSE(screen.model.filter().includeReviewed);

    // Applications have no tile, so none is marked.
    SessionFilter applications;
    applications.type = FileFilter::applications;
    screen.model.setup(applications);
    screen.settle();
    for (const TypeTile* tile : screen.page.findChildren<TypeTile*>()) {
        EXPECT_FALSE(tile->isSelected());
    }
    EXPECT_FALSE(largest.isChecked());
}

// The figures a change of the user's brings are heard once they are in; those that change
// otherwise, or as a search is typed, are not.
TEST(SessionSetupPage, TheFiguresAUsersChangeBringsAreToldOnce)
{
    SetupScreen screen;
    QApplication::setActiveWindow(&screen.page);
    const test::AccessibleEvents told;
    const auto figures = [](std::int64_t count, std::int64_t bytes) {
        return spokenText(QString::fromStdString(estimateNotice(count, bytes))).toStdString();
    };

    QTest::mouseClick(&screen.find<TypeTile>("typeTile-images"), Qt::LeftButton);
    screen.settle();
    ASSERT_TRUE(test::waitForNotice(told, figures(1, 3000))) << told.transcript();

    screen.model.setup(SessionFilter{});
    screen.settle();
    EXPECT_EQ(screen.find<ElidedLabel>("matchingCount").text(), QStringLiteral("3 fichiers"));
    QTest::keyClicks(&screen.find<QLineEdit>("searchField"), QStringLiteral("notes"));
    screen.settle();
    EXPECT_EQ(screen.find<ElidedLabel>("matchingCount").text(), QStringLiteral("1 fichier"));
    // The same filter again brings the same figures.
    QTest::mouseClick(&screen.find<TypeTile>("typeTile-all"), Qt::LeftButton);
    screen.settle();
    auto& sizes = screen.find<QComboBox>("sizePicker");
    sizes.setCurrentIndex(1);
    emit sizes.activated(1);
    screen.settle();
    ASSERT_TRUE(test::waitForNotice(told, figures(0, 0)));
    EXPECT_EQ(test::noticesSaid(told), (std::vector<std::string>{figures(1, 3000), figures(0, 0)}));
}

TEST(SessionSetupPage, AtTheDefaultSizeTypeNamesFitSwitchesStandApartAndTheFolderRowIsOrange)
{
    SetupScreen screen;
    // The window's default width less the sidebar's.
    screen.page.resize(980, 840);
    SessionFilter stored;
    stored.folderPath = screen.harness.source;
    screen.model.setup(stored);
    screen.settle();
    for (const TypeTile* tile : screen.page.findChildren<TypeTile*>()) {
        EXPECT_GE(tile->width(), tile->sizeHint().width()) << tile->text().toStdString();
    }
    const auto& include = screen.find<Switch>("includeReviewedSwitch");
    EXPECT_EQ(screen.find<Switch>("largestFirstSwitch").y() - include.geometry().bottom() - 1, 24);

    const QImage shot = screen.page.grab().toImage();
    auto& clear = screen.find<QAbstractButton>("allFoldersButton");
    const QColor orange = Theme::color(Theme::orange);
    const QRect area(clear.mapTo(&screen.page, QPoint()), clear.size());
    bool tinted = false;
    for (int x = area.left(); x <= area.right() && !tinted; ++x) {
        for (int y = area.top(); y <= area.bottom() && !tinted; ++y) {
            const QColor pixel = shot.pixelColor(x, y);
            tinted = std::abs(pixel.red() - orange.red()) +
                         std::abs(pixel.green() - orange.green()) +
                         std::abs(pixel.blue() - orange.blue()) <
                     30;
        }
    }
    EXPECT_TRUE(tinted);
}

TEST(SessionSetupPage, StartFollowsTheEstimateAndTheSession)
{
    SetupScreen screen;
    auto& start = screen.find<PrimaryButton>("startButton");
    auto& note = screen.find<TextBlock>("sessionNote");
    EXPECT_EQ(screen.find<ElidedLabel>("matchingCount").text(), QStringLiteral("3 fichiers"));
    EXPECT_TRUE(start.isEnabled());
    EXPECT_FALSE(note.isVisible());

    SessionFilter none;
    none.search = "nothing matches this";
    screen.model.setup(none);
    screen.settle();
    EXPECT_EQ(screen.model.matchingCount(), 0);
    EXPECT_FALSE(start.isEnabled());

    screen.model.setup(SessionFilter{});
    screen.settle();
    QTest::mouseClick(&start, Qt::LeftButton);
    screen.harness.settle();
    ASSERT_TRUE(screen.model.sessionActive());
    screen.model.act(Decision::keep, std::nullopt, false);
    ASSERT_TRUE(screen.model.busy());
    test::deliverEvents();
    EXPECT_FALSE(start.isEnabled());
    EXPECT_TRUE(screen.find<QWidget>("estimateProgress").isVisible());
    EXPECT_EQ(start.text(), QStringLiteral("Démarrer une autre session"));
    EXPECT_TRUE(note.isVisible());
}

// Disabled while it holds the focus, the start button never lets it wander out of the page.
TEST(SessionSetupPage, TheStartButtonKeepsTheFocusInThePage)
{
    SetupScreen screen;
    auto& start = screen.find<PrimaryButton>("startButton");
    QApplication::setActiveWindow(&screen.page);
    start.setFocus(Qt::TabFocusReason);
    SessionFilter none;
    none.search = "nothing matches this";
    screen.model.setup(none);
    screen.settle();
    ASSERT_FALSE(start.isEnabled());
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_TRUE(screen.page.isAncestorOf(QApplication::focusWidget()));

    // The session it starts keeps the focus on it until its first card takes it, the button off
    // meanwhile, as drawn and as told.
    screen.model.setup(SessionFilter{});
    screen.settle();
    start.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&start, Qt::Key_Space);
    test::deliverEvents();
    ASSERT_TRUE(screen.model.busy());
    EXPECT_EQ(QApplication::focusWidget(), &start);
    EXPECT_FALSE(start.isEnabled());
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(&start)->state().disabled);
}

TEST(SessionSetupPage, Pictures)
{
    const test::SchemeScope restore;
    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        AppearanceApplier().apply(appearance);
        SetupScreen screen;
        SessionFilter shown;
        shown.type = FileFilter::images;
        shown.folderPath = screen.harness.source;
        screen.model.setup(shown);
        screen.settle();
        const QImage shot = screen.page.grab().toImage();
        // The page shows the window behind it; the selected tile is washed in orange.
        auto& tile = screen.find<TypeTile>("typeTile-images");
        const QPoint inside = tile.mapTo(&screen.page, QPoint(tile.width() - 4, 4));
        const QColor wash = shot.pixelColor(inside);
        const QColor soft = Theme::color(Theme::soft);
        EXPECT_NE(wash, soft);
        auto& other = screen.find<TypeTile>("typeTile-pdf");
        EXPECT_EQ(shot.pixelColor(other.mapTo(&screen.page, QPoint(other.width() - 4, 4))), soft);
        const QString shots = test::screenshotFolder();
        const char* name = appearance == AppAppearance::dark ? "dark" : "light";
        EXPECT_TRUE(shot.save(shots + "/setup-page-" + name + ".png"));
    }
}

} // namespace
} // namespace tollenvane
