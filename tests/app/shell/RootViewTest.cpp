#include "app/shell/RootView.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/preview/QuickLookSheet.h"
#include "app/shell/DiskCard.h"
#include "app/shell/NavRow.h"
#include "app/shell/RootContent.h"
#include "app/shell/SessionEntry.h"
#include "core/localisation/Localization.h"
#include "design/SchemeScope.h"
#include "model/support/ModelHarness.h"
#include "model/support/SortingHarness.h"
#include "support/DeliverEvents.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <filesystem>

namespace tollenvane {
namespace {

struct ShellHarness : test::ModelHarness {
    ShellHarness() { volumes->disks = {{folder / "home", 2049, 500'000'000'000, 120'000'000'000}}; }

    // Loaded, with the tutorial done.
    AppModel& ready()
    {
        load();
        Preferences preferences = model->state().preferences;
        preferences.onboardingComplete = true;
        model->setPreferences(preferences);
        test::deliverEvents();
        return *model;
    }
};

NavRow& row(const RootView& view, Page page)
{
    auto* found =
        view.findChild<NavRow*>(QStringLiteral("nav-") + QString::fromUtf8(rawValue(page)));
    EXPECT_NE(found, nullptr);
    return *found;
}

std::vector<Page> selectedRows(const RootView& view)
{
    std::vector<Page> selected;
    for (const NavRow* navRow : view.findChildren<NavRow*>()) {
        if (navRow->isSelected()) {
            selected.push_back(navRow->page());
        }
    }
    return selected;
}

TEST(RootView, LaunchScreenThenTutorialThenNothingCovers)
{
    ShellHarness harness;
    AppModel& model = harness.start();
    const RootView view(model);
    EXPECT_EQ(view.content().overlay(), RootOverlay::launch);
    EXPECT_NE(view.findChild<QWidget*>("launchScreen"), nullptr);
    EXPECT_EQ(view.findChild<QWidget*>("tutorialOverlay"), nullptr);

    harness.settle();
    test::deliverEvents();
    ASSERT_FALSE(model.loading());
    EXPECT_EQ(view.content().overlay(), RootOverlay::tutorial);
    EXPECT_EQ(view.findChild<QWidget*>("launchScreen"), nullptr);
    EXPECT_FALSE(view.findChild<QWidget*>("sidebar")->isEnabled());

    QTest::mouseClick(view.findChild<QWidget*>("closeTutorial"), Qt::LeftButton);
    test::deliverEvents();
    EXPECT_EQ(view.content().overlay(), RootOverlay::none);
    EXPECT_TRUE(view.findChild<QWidget*>("sidebar")->isEnabled());

    model.setShowTutorial(true);
    test::deliverEvents();
    EXPECT_EQ(view.content().overlay(), RootOverlay::tutorial);
}

TEST(RootView, EachPageChangeBuildsANewPageAndMovesTheHighlight)
{
    ShellHarness harness;
    AppModel& model = harness.ready();
    const RootView view(model);
    const QPointer<QWidget> first = view.content().currentPage();
    EXPECT_EQ(selectedRows(view), std::vector{Page::dashboard});

    QTest::mouseClick(&row(view, Page::history), Qt::LeftButton);
    test::deliverEvents();
    EXPECT_EQ(model.page(), Page::history);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(view.content().currentPage()->objectName(), "page-history");
    EXPECT_EQ(selectedRows(view), std::vector{Page::history});
    EXPECT_EQ(view.findChild<ElidedLabel*>("pageTitle")->text(), "Historique");

    model.setPage(Page::summary);
    test::deliverEvents();
    EXPECT_TRUE(selectedRows(view).empty());
    EXPECT_EQ(view.content().currentPage()->objectName(), "page-summary");
}

TEST(RootView, SidebarShowsNoResumeEntryWithoutASessionAndTheSelectedDisk)
{
    ShellHarness harness;
    AppModel& model = harness.ready();
    const RootView view(model);
    EXPECT_FALSE(view.findChild<QWidget*>("runningSession")->isVisibleTo(&view));
    EXPECT_FALSE(view.findChild<QWidget*>("savedSession")->isVisibleTo(&view));
    const DiskCardContent& card = view.findChild<DiskCard*>("diskCard")->content();
    EXPECT_EQ(card.title, "Votre ordinateur");
    EXPECT_DOUBLE_EQ(card.fill, 0.76);
    EXPECT_EQ(card.freeSpace, "120 Go disponibles");
    // Not scanning: the privacy badge, and no problem to show.
    EXPECT_TRUE(view.findChild<QWidget*>("privacyBadge")->isVisibleTo(&view));
    EXPECT_FALSE(view.findChild<QWidget*>("scanProgress")->isVisibleTo(&view));
    EXPECT_FALSE(view.findChild<QWidget*>("issueButton")->isVisibleTo(&view));
}

TEST(RootView, SessionEntriesFollowTheRunningAndTheSavedSession)
{
    test::SortingHarness harness;
    const std::string first = harness.startSortingTwo();
    {
        AppModel& model = *harness.model;
        const RootView view(model);
        auto* running = view.findChild<SessionEntry*>("runningSession");
        EXPECT_TRUE(running->isVisibleTo(&view));
        EXPECT_EQ(running->count(), 2);
        EXPECT_FALSE(view.findChild<QWidget*>("savedSession")->isVisibleTo(&view));

        // While a card flies out only the way back into the session still works.
        model.navigate(Page::dashboard);
        ASSERT_TRUE(model.beginSwipe(Decision::keep, first));
        test::deliverEvents();
        EXPECT_FALSE(row(view, Page::history).isEnabled());
        EXPECT_FALSE(row(view, Page::settings).isEnabled());
        QTest::mouseClick(running, Qt::LeftButton);
        EXPECT_EQ(model.page(), Page::swipe);
        model.finishPendingSwipe();
        harness.settle();
        test::deliverEvents();
        EXPECT_EQ(running->count(), 1);
        EXPECT_TRUE(row(view, Page::history).isEnabled());
    }

    AppModel& model = harness.restart();
    harness.settle();
    const RootView view(model);
    ASSERT_TRUE(model.canResume());
    auto* saved = view.findChild<QAbstractButton*>("savedSession");
    EXPECT_TRUE(saved->isVisibleTo(&view));
    EXPECT_FALSE(view.findChild<QWidget*>("runningSession")->isVisibleTo(&view));
    EXPECT_EQ(saved->isEnabled(), model.resumeReady());
    QTest::mouseClick(saved, Qt::LeftButton);
    harness.settle();
    test::deliverEvents();
    EXPECT_TRUE(model.sessionActive());
    EXPECT_FALSE(saved->isVisibleTo(&view));
    EXPECT_TRUE(view.findChild<QWidget*>("runningSession")->isVisibleTo(&view));
}

TEST(RootView, LanguageChangeRebuildsEverythingInTheNewLanguage)
{
    ShellHarness harness;
    AppModel& model = harness.ready();
    const RootView view(model);
    const QPointer<RootContent> before = &view.content();
    const QPointer<QWidget> page = view.content().currentPage();

    Preferences preferences = model.state().preferences;
    preferences.language = AppLanguage::en;
    model.setPreferences(preferences);
    EXPECT_FALSE(before.isNull()); // not while the control that asked may still be running
    test::deliverEvents();

    EXPECT_TRUE(before.isNull());
    EXPECT_TRUE(page.isNull());
    EXPECT_NE(view.content().currentPage(), nullptr);
    EXPECT_EQ(view.findChild<ElidedLabel*>("pageTitle")->text(), "Home");
    EXPECT_EQ(row(view, Page::history).accessibleName(), "History");
    EXPECT_EQ(view.findChild<DiskCard*>("diskCard")->content().title, "Your computer");

    preferences.language = AppLanguage::system;
    model.setPreferences(preferences);
    test::deliverEvents();
    EXPECT_EQ(view.findChild<ElidedLabel*>("pageTitle")->text(), "Accueil");
}

TEST(RootView, ScanProgressStopAndProblemsSheet)
{
    ShellHarness harness;
    AppModel& model = harness.ready();
    for (int index = 0; index < 3; ++index) {
        model.addFolder(harness.folder.makeFolder("lost/" + std::to_string(index)), false);
    }
    harness.settle();
    std::filesystem::remove_all(harness.folder / "lost");
    const RootView view(model);

    model.scan();
    test::deliverEvents();
    ASSERT_TRUE(model.scanning());
    EXPECT_TRUE(view.findChild<QWidget*>("scanProgress")->isVisibleTo(&view));
    EXPECT_FALSE(view.findChild<QWidget*>("privacyBadge")->isVisibleTo(&view));
    EXPECT_EQ(view.findChild<ElidedLabel*>("scanProgressText")->text(), "Analyse · 0 fichier");
    harness.settle();
    test::deliverEvents();
    ASSERT_FALSE(model.scanning());
    ASSERT_EQ(model.issueCount(), 3);

    auto* issues = view.findChild<QAbstractButton*>("issueButton");
    ASSERT_TRUE(issues->isVisibleTo(&view));
    EXPECT_EQ(issues->text(), "3");
    QTest::mouseClick(issues, Qt::LeftButton);
    const QPointer<QDialog> sheet = view.findChild<QDialog*>("scanIssuesSheet");
    ASSERT_FALSE(sheet.isNull());
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->findChild<QWidget*>("issueList")->findChildren<QLabel*>().size(), 3);
    EXPECT_FALSE(sheet->findChild<QWidget*>("truncatedCaption")->isVisibleTo(sheet));

    // A language change starts every view over: the sheet closes.
    Preferences preferences = model.state().preferences;
    preferences.language = AppLanguage::de;
    model.setPreferences(preferences);
    test::deliverEvents();
    EXPECT_TRUE(sheet.isNull());
    preferences.language = AppLanguage::system;
    model.setPreferences(preferences);
    test::deliverEvents();
}

TEST(RootView, AlertShowsTheModelsTextsAndClearsItWhenDismissed)
{
    ShellHarness harness;
    AppModel& model = harness.ready();
    const RootView view(model);
    model.addFolder("/proc", false);
    ASSERT_TRUE(model.alert());
    test::deliverEvents();

    auto* box = view.findChild<QMessageBox*>("alert");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text().toStdString(), model.alert()->title);
    ASSERT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->buttons().front()->text(), "Compris");
    QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
    test::deliverEvents();
    EXPECT_FALSE(model.alert());
}

TEST(RootView, AFilePickedElsewhereOpensItsPreviewUntilTheSheetCloses)
{
    test::SortingHarness harness;
    harness.loadScanned();
    const std::string path = harness.startSortingTwo();
    AppModel& model = *harness.model;
    const RootView view(model);
    model.inspectFile(path);
    harness.settle();
    test::deliverEvents();

    const QPointer<QuickLookSheet> sheet = view.findChild<QuickLookSheet*>();
    ASSERT_FALSE(sheet.isNull());
    EXPECT_TRUE(sheet->isVisible());
    QTest::keyClick(sheet.data(), Qt::Key_Escape);
    test::deliverEvents();
    EXPECT_FALSE(model.inspectedFile());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(sheet.isNull());
}

// The orange part of the disk bar ends where the fill fraction says.
void expectDiskFill(const QImage& picture, const QRect& card, double fill)
{
    const int quarter = card.width() / 4;
    const auto orange = [&](int x, int y) {
        const QColor pixel = picture.pixelColor(x, y);
        return pixel.red() - pixel.green() > 60;
    };
    for (int y = card.top(); y < card.bottom(); ++y) {
        if (orange(card.left() + quarter, y)) {
            const int inner = card.width() - 2 * 36;
            EXPECT_TRUE(orange(card.left() + 36 + static_cast<int>(inner * fill) - 3, y));
            EXPECT_FALSE(orange(card.left() + 36 + static_cast<int>(inner * fill) + 3, y));
            return;
        }
    }
    ADD_FAILURE() << "no fill in the disk bar";
}

// `over` at `opacity` on `under`, as the painter blends it, give or take rounding.
void expectBlend(const QColor& seen, const QColor& over, double opacity, const QColor& under)
{
    const auto mix = [&](int top, int bottom) { return top * opacity + bottom * (1 - opacity); };
    EXPECT_NEAR(seen.red(), mix(over.red(), under.red()), 2);
    EXPECT_NEAR(seen.green(), mix(over.green(), under.green()), 2);
    EXPECT_NEAR(seen.blue(), mix(over.blue(), under.blue()), 2);
}

TEST(RootView, PicturesInBothAppearances)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    const QString folder = QStringLiteral(TOLLENVANE_SCREENSHOTS);
    ASSERT_TRUE(QDir().mkpath(folder));
    ShellHarness harness;
    AppModel& model = harness.ready();

    for (const auto& [appearance, file] : {std::pair{AppAppearance::dark, "root-dark.png"},
                                           std::pair{AppAppearance::light, "root-light.png"}}) {
        applier.apply(appearance);
        RootView view(model);
        view.resize(1200, 840);
        test::deliverEvents();
        const QImage picture = view.grab().toImage();
        EXPECT_TRUE(picture.save(folder + "/" + file));

        EXPECT_EQ(picture.pixelColor(10, 420), Theme::color(Theme::sidebar));
        EXPECT_EQ(picture.pixelColor(219, 420), Theme::color(Theme::line));
        EXPECT_EQ(picture.pixelColor(1190, 57), Theme::color(Theme::line));
        // In the page's margin: its scroll bar runs along the right edge.
        EXPECT_EQ(picture.pixelColor(236, 420), Theme::color(Theme::bg));
        // The current page's tile is tinted orange, the others are plain.
        const auto tile = [&](Page page) {
            const NavRow& navRow = row(view, page);
            return picture.pixelColor(navRow.mapTo(&view, QPoint(17, navRow.height() / 2)));
        };
        expectBlend(tile(Page::dashboard), Theme::color(Theme::orange), 0.12,
                    Theme::color(Theme::soft));
        EXPECT_EQ(tile(Page::history), Theme::color(Theme::soft));
        const QWidget* card = view.findChild<QWidget*>("diskCard");
        expectDiskFill(picture, QRect(card->mapTo(&view, QPoint()), card->size()), 0.76);
    }
}

} // namespace
} // namespace tollenvane
