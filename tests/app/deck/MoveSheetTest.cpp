#include "app/deck/MoveSheet.h"

#include "app/deck/DestinationButton.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/EmptyState.h"
#include "app/design/ShownName.h"
#include "app/design/Theme.h"
#include "design/SchemeScope.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

// Rows are rebuilt as the model changes; only the shown ones count.
template <class T>
std::vector<T*> shown(const QWidget& sheet, const QString& name = {})
{
    // New rows are shown by a posted event.
    QCoreApplication::sendPostedEvents();
    std::vector<T*> found;
    for (T* child : sheet.findChildren<T*>(name)) {
        if (child->isVisible()) {
            found.push_back(child);
        }
    }
    return found;
}

// A session of two cards with the move sheet open over one destination, "elsewhere".
struct OpenSheet {
    test::SortingHarness harness;
    std::string card = harness.startSortingTwo();
    std::string destination = harness.addDestination(harness.outside);
    AppModel& model = *harness.model;
    QWidget window;
    MoveSheet* sheet;

    OpenSheet()
    {
        window.resize(900, 800);
        window.show();
        model.request(Decision::move);
        sheet = new MoveSheet(model, &window);
        sheet->open();
    }

    DestinationButton& row() const
    {
        const auto rows = shown<DestinationButton>(*sheet);
        EXPECT_EQ(rows.size(), 1U);
        return *rows.at(0);
    }
};

TEST(MoveSheet, ADestinationMovesTheCardAndClosesButNotWhileBusy)
{
    OpenSheet open;
    ASSERT_TRUE(open.model.showMove());
    ASSERT_TRUE(open.sheet->isVisible());
    EXPECT_EQ(shown<QLabel>(*open.sheet, QStringLiteral("subtitle")).at(0)->text(),
              shownName("a.png"));
    EXPECT_EQ(open.row().locationLabel().text(), shownName(open.destination));

    QTest::mouseClick(&open.row(), Qt::LeftButton);
    ASSERT_TRUE(open.model.busy());
    QTest::keyClick(open.sheet, Qt::Key_Escape);
    EXPECT_TRUE(open.sheet->isVisible());
    EXPECT_TRUE(open.model.showMove());
    EXPECT_FALSE(open.row().isEnabled());
    EXPECT_FALSE(shown<QPushButton>(*open.sheet, QStringLiteral("closeButton")).at(0)->isEnabled());

    open.harness.settle();
    EXPECT_TRUE(fs::exists(fs::path(open.destination) / "a.png"));
    EXPECT_FALSE(fs::exists(open.card));
    EXPECT_FALSE(open.model.showMove());
    EXPECT_FALSE(open.sheet->isVisible());
}

TEST(MoveSheet, AFailedMoveKeepsTheSheetOpenAndEscapeClosesItAfterwards)
{
    OpenSheet open;
    const std::string blocker = open.harness.folder.write("elsewhere/a.png", "other");
    QTest::mouseClick(&open.row(), Qt::LeftButton);
    open.harness.settle();
    ASSERT_TRUE(open.model.alert());
    EXPECT_EQ(open.model.alert()->title, "Action impossible");
    EXPECT_TRUE(fs::exists(open.card));
    EXPECT_TRUE(open.model.showMove());
    EXPECT_TRUE(open.sheet->isVisible());
    EXPECT_TRUE(open.row().isEnabled());

    open.model.dismissAlert();
    QTest::keyClick(open.sheet, Qt::Key_Escape);
    EXPECT_FALSE(open.model.showMove());
    EXPECT_FALSE(open.sheet->isVisible());
}

TEST(MoveSheet, ASubFolderIsCreatedTrimmedAndItsParentForgottenWhenRemoved)
{
    OpenSheet open;
    auto* name = open.sheet->findChild<QLineEdit*>(QStringLiteral("newFolder"));
    auto* parents = open.sheet->findChild<QComboBox*>(QStringLiteral("parentPicker"));
    auto* create = open.sheet->findChild<QPushButton*>(QStringLiteral("createButton"));
    ASSERT_EQ(parents->count(), 2);
    QTest::keyClicks(name, QStringLiteral("\tCaptures "));
    EXPECT_FALSE(create->isEnabled());
    parents->setCurrentIndex(1);
    emit parents->activated(1);
    ASSERT_TRUE(create->isEnabled());

    // Return ends the edit, nothing more.
    QTest::keyClick(name, Qt::Key_Return);
    open.harness.settle();
    EXPECT_FALSE(fs::exists(fs::path(open.destination) / "Captures"));
    EXPECT_TRUE(open.sheet->isVisible());

    QTest::mouseClick(create, Qt::LeftButton);
    EXPECT_FALSE(create->isEnabled());
    open.harness.settle();
    EXPECT_TRUE(fs::is_directory(fs::path(open.destination) / "Captures"));
    EXPECT_TRUE(name->text().isEmpty());
    ASSERT_EQ(open.model.state().destinations.size(), 2U);
    EXPECT_EQ(open.model.state().destinations.front().name, "Captures");

    // The parent is kept until its grant goes.
    QTest::keyClicks(name, QStringLiteral("Encore"));
    EXPECT_TRUE(create->isEnabled());
    auto removes = shown<QToolButton>(*open.sheet, QStringLiteral("removeButton"));
    ASSERT_EQ(removes.size(), 2U);
    QTest::mouseClick(removes.back(), Qt::LeftButton);
    EXPECT_FALSE(create->isEnabled());
    EXPECT_EQ(parents->currentIndex(), 0);
}

TEST(MoveSheet, FavouriteTogglesInPlaceAndRemovingTheLastShowsThePlaceholder)
{
    OpenSheet open;
    const bool favorite = open.model.state().destinations.front().favorite;
    QTest::mouseClick(shown<QToolButton>(*open.sheet, QStringLiteral("favoriteButton")).at(0),
                      Qt::LeftButton);
    EXPECT_NE(open.model.state().destinations.front().favorite, favorite);
    open.harness.flush();
    EXPECT_EQ(open.harness.stateOnDisk().destinations, open.model.state().destinations);

    EXPECT_TRUE(shown<EmptyState>(*open.sheet).empty());
    QTest::mouseClick(shown<QToolButton>(*open.sheet, QStringLiteral("removeButton")).at(0),
                      Qt::LeftButton);
    EXPECT_TRUE(open.model.state().destinations.empty());
    EXPECT_EQ(shown<EmptyState>(*open.sheet).size(), 1U);
    EXPECT_TRUE(shown<DestinationButton>(*open.sheet).empty());
}

TEST(MoveSheet, AnUnreachableDestinationAsksForRenewal)
{
    OpenSheet open;
    fs::remove(open.destination);
    open.model.resolveGrants();
    open.harness.settle();
    EXPECT_EQ(open.row().locationLabel().text(), QStringLiteral("Accès à renouveler"));
    EXPECT_FALSE(open.row().isEnabled());
    EXPECT_EQ(open.sheet->findChild<QComboBox*>(QStringLiteral("parentPicker"))->count(), 1);
    const auto renew = shown<QToolButton>(*open.sheet, QStringLiteral("renewButton"));
    ASSERT_EQ(renew.size(), 1U);
    QTest::mouseClick(renew.at(0), Qt::LeftButton);
    ASSERT_FALSE(open.harness.panel->requests.empty());
    EXPECT_EQ(open.harness.panel->requests.back().prompt, "Choisir la destination");
}

TEST(MoveSheet, ScreenshotDark)
{
    const test::SchemeScope restore;
    AppearanceApplier().apply(AppAppearance::dark);
    OpenSheet open;
    open.harness.addDestination(open.harness.folder.makeFolder("home/Documents/Archives 2024"));
    QCoreApplication::processEvents();
    const QImage shot = open.sheet->grab().toImage();
    EXPECT_EQ(shot.width(), MoveSheet::fixedWidth);
    EXPECT_EQ(shot.pixelColor(3, 3), Theme::color(Theme::bg));
    const QString shots = QStringLiteral(TOLLENVANE_SCREENSHOTS);
    ASSERT_TRUE(QDir().mkpath(shots));
    EXPECT_TRUE(shot.save(shots + "/move-sheet-dark.png"));
}

} // namespace
} // namespace tollenvane
