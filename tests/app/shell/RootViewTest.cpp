#include "app/shell/RootView.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/kit/AddedFolders.h"
#include "app/preview/QuickLookSheet.h"
#include "app/shell/DiskCard.h"
#include "app/shell/NavRow.h"
#include "app/shell/RootContent.h"
#include "app/shell/RootRules.h"
#include "app/shell/SessionEntry.h"
#include "core/localisation/Localization.h"
#include "design/SchemeScope.h"
#include "model/support/ModelHarness.h"
#include "model/support/SortingHarness.h"
#include "screens/storage/ScannedDesk.h"
#include "support/DeliverEvents.h"
#include "support/FocusRingPixels.h"
#include "support/RecordingServices.h"
#include "support/Screenshots.h"
#include "support/ToldNotices.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <algorithm>
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

// Shown at the size of a laptop's window, with the keyboard.
void showActive(RootView& view)
{
    view.resize(1200, 840);
    view.show();
    QApplication::setActiveWindow(&view);
    test::deliverEvents();
}

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
    EXPECT_EQ(card.freeSpace, "120\u00A0Go disponibles");
    // Read as drawn, though it takes no focus.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(view.findChild<DiskCard*>("diskCard"))
                  ->text(QAccessible::Name),
              "Votre ordinateur, 120 Go disponibles");
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

// Revealing a file from its card, opening a source's folder or a guide: when no file manager or
// browser answers, an alert says so in the chosen language, naming what could not be shown.
TEST(RootView, AFileManagerOrBrowserThatNeverAnswersIsToldInTheChosenLanguage)
{
    test::SortingHarness harness;
    harness.startSortingTwo();
    AppModel& model = *harness.model;
    test::UnansweredRevealer revealer;
    test::UnansweredLinks links;
    RootView view(model, revealer, links);
    view.resize(1200, 840);
    view.show();
    // The deck holds the next card's buttons too, hidden.
    const auto shownButton = [&view](const char* name) {
        for (auto* button : view.findChildren<QAbstractButton*>(QString::fromLatin1(name))) {
            if (button->isVisible()) {
                return button;
            }
        }
        ADD_FAILURE() << "no " << name;
        return static_cast<QAbstractButton*>(nullptr);
    };
    const auto alertShows = [&view](const std::string& title, const std::string& path) {
        test::deliverEvents();
        const auto* box = view.findChild<QMessageBox*>("alert");
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->text().toStdString(), title);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Tollenvane"));
        EXPECT_TRUE(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->font().bold());
        // The joiners that keep the name on one line draw nothing.
        const QString message = QString(box->informativeText()).remove(QChar(0x2060));
        EXPECT_TRUE(message.contains(QString::fromStdString(path))) << message.toStdString();
    };

    model.setPage(Page::swipe);
    test::deliverEvents();
    QTest::mouseClick(shownButton("revealButton"), Qt::LeftButton);
    ASSERT_EQ(revealer.revealed.size(), 1U);
    const std::string card = revealer.revealed.front();
    alertShows("Gestionnaire de fichiers indisponible", card);
    ASSERT_TRUE(model.alert());
    EXPECT_EQ(model.alert()->message,
              Localization::text("Aucun gestionnaire de fichiers n’a pu afficher {0}."));
    EXPECT_EQ(model.alert()->name, card);
    // Copied, the path is the one to paste, without the marks that show it.
    QApplication::clipboard()->clear();
    auto* box = view.findChild<QMessageBox*>("alert");
    QTest::keyClick(box->buttons().front(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Gestionnaire de fichiers indisponible\n\nAucun gestionnaire de "
                             "fichiers n’a pu afficher ") +
                  QString::fromStdString(card) + QStringLiteral("."));
    model.dismissAlert();

    Preferences preferences = model.state().preferences;
    preferences.language = AppLanguage::de;
    model.setPreferences(preferences);
    test::deliverEvents();
    model.navigate(Page::sources);
    test::deliverEvents();
    QTest::mouseClick(shownButton("openButton"), Qt::LeftButton);
    ASSERT_EQ(links.folders.size(), 1U);
    alertShows("Dateimanager nicht verfügbar", links.folders.front());
    model.dismissAlert();

    // A guide's address that no browser opens is told the same way.
    model.navigate(Page::space);
    test::deliverEvents();
    QTest::mouseClick(shownButton("firstGuide"), Qt::LeftButton);
    ASSERT_EQ(links.urls.size(), 1U);
    const std::string address = links.urls.front().toDisplayString().toStdString();
    alertShows("Browser nicht verfügbar", address);
    EXPECT_EQ(model.alert()->message, "Kein Browser konnte " + address + " öffnen.");
    preferences.language = AppLanguage::system;
    model.setPreferences(preferences);
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
    EXPECT_EQ(QAccessible::queryAccessibleInterface(issues)->text(QAccessible::Name),
              "3 problèmes d’analyse");
    QTest::mouseClick(issues, Qt::LeftButton);
    const QPointer<QDialog> sheet = view.findChild<QDialog*>("scanIssuesSheet");
    ASSERT_FALSE(sheet.isNull());
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(sheet)->text(QAccessible::Name),
              "Fichiers non analysés");
    const auto lines = sheet->findChild<QWidget*>("issueList")->findChildren<QLabel*>();
    ASSERT_EQ(lines.size(), 3);
    // The keyboard starts on the first problem and goes from one to the next, then to Close.
    QApplication::setActiveWindow(sheet);
    QWidget* reached = sheet->focusWidget();
    for (const QLabel* line : lines) {
        ASSERT_EQ(reached, line);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(reached)->text(QAccessible::Name),
                  spokenText(line->text()));
        QTest::keyClick(reached, Qt::Key_Tab);
        reached = sheet->focusWidget();
    }
    EXPECT_EQ(reached, sheet->findChild<QWidget*>("closeIssues"));
    EXPECT_FALSE(sheet->findChild<QWidget*>("truncatedCaption")->isVisibleTo(sheet));
    test::deliverEvents();
    EXPECT_TRUE(sheet->grab().save(test::screenshotFolder() + "/scan-issues-sheet.png"));

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

// Wherever the keyboard is, a scan that ends is heard once, with its problems; one stopped is not.
TEST(RootView, AScanThatEndsIsToldOnceWithItsProblems)
{
    ShellHarness harness;
    AppModel& model = harness.ready();
    model.addFolder(harness.folder.makeFolder("lost"), false);
    harness.folder.write("home/a.txt", "1");
    model.addFolder(harness.folder / "home", false);
    harness.settle();
    std::filesystem::remove_all(harness.folder / "lost");
    RootView view(model);
    showActive(view);
    const test::AccessibleEvents told;

    model.scan();
    test::deliverEvents();
    model.stopScan();
    test::deliverEvents();
    model.scan();
    harness.settle();
    const QString ended = spokenText(scanEndNotice(1, 1));
    ASSERT_TRUE(test::waitForNotice(told, ended)) << told.transcript();
    model.scan();
    harness.settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return test::noticesSaid(told).size() == 2; }, 10'000));
    EXPECT_EQ(test::noticesSaid(told),
              (std::vector<std::string>{ended.toStdString(), ended.toStdString()}));
}

// A folder added from the menu is told by name on whichever page shows, once: on the sources
// page, by the page. The folders the window opens with are not told.
TEST(RootView, AFolderAddedFromTheMenuIsToldOnceWhereverItIsAdded)
{
    ShellHarness harness;
    AppModel& model = harness.ready();
    model.addFolder(harness.folder.makeFolder("home/Documents"), false);
    harness.settle();
    RootView view(model);
    showActive(view);
    const test::AccessibleEvents told;
    const auto added = [&](const char* name) {
        harness.panel->answer = std::vector{harness.folder.makeFolder(std::string("home/") + name)};
        model.chooseFolders(false);
        harness.settle();
        const std::string notice = spokenText(foldersAddedNotice({name})).toStdString();
        EXPECT_TRUE(test::waitForNotice(told, notice)) << told.transcript();
        return notice;
    };
    const std::string music = added("Music");
    model.setPage(Page::sources);
    test::deliverEvents();
    const std::string films = added("Films");
    // Past the scans the folders started, each told once.
    harness.settle();
    test::deliverEvents();
    const std::vector<std::string> said = test::noticesSaid(told);
    EXPECT_EQ(std::count(said.begin(), said.end(), music), 1) << told.transcript();
    EXPECT_EQ(std::count(said.begin(), said.end(), films), 1) << told.transcript();
    EXPECT_EQ(std::count_if(said.begin(), said.end(),
                            [](const std::string& notice) {
                                return notice.find("Documents") != std::string::npos;
                            }),
              0);
}

// The alert opens with its one button focused and ringed, so that Enter or Space dismisses it.
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
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Tollenvane"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name).toStdString(),
              model.alert()->title);
    ASSERT_EQ(box->buttons().size(), 1);
    QAbstractButton* understood = box->buttons().front();
    EXPECT_EQ(understood->text(), "Compris");
    QApplication::setActiveWindow(box);
    test::deliverEvents();
    EXPECT_EQ(QApplication::focusWidget(), understood);
    EXPECT_GE(test::ringPixels(*box, *understood), 20);
    QTest::keyClick(understood, Qt::Key_Space);
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

// Every page with a sidebar row, in both appearances and in French and English, for people to
// look at; each probed where the shell and the page must show their tokens.
TEST(RootView, PicturesOfEveryPageInBothAppearancesAndLanguages)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    const QString folder = test::screenshotFolder();
    test::ScannedDesk desk;
    AppModel& model = desk.model();

    struct Shot {
        Page page;
        // A surface of the page, found by the name of a control on it, and where it shows which
        // token.
        const char* surface = nullptr;
        bool parentOfControl = false;
        QPoint (*at)(QSize) = nullptr;
        ThemeColor token{};
    };
    const auto topMiddle = [](QSize size) { return QPoint(size.width() / 2, 3); };
    const auto topRight = [](QSize size) { return QPoint(size.width() - 4, 4); };
    const std::vector<Shot> shots = {
        {Page::dashboard},
        {Page::space},
        {Page::sources, "sourceName", true, topMiddle, Theme::panel},
        {Page::setup, "typeTile-pdf", false, topRight, Theme::soft},
        {Page::settings},
        {Page::history},
        {Page::applications},
    };
    for (const AppLanguage language : {AppLanguage::fr, AppLanguage::en}) {
        Preferences preferences = model.state().preferences;
        preferences.language = language;
        model.setPreferences(preferences);
        for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
            applier.apply(appearance);
            for (const Shot& shot : shots) {
                model.navigate(shot.page);
                RootView view(model);
                view.resize(1200, 840);
                desk.settle();
                const QImage picture = view.grab().toImage();
                const std::string name = std::string(rawValue(shot.page)) + "-" +
                                         std::string(rawValue(appearance)) + "-" +
                                         std::string(rawValue(language));
                EXPECT_TRUE(picture.save(folder + "/" + QString::fromStdString(name) + ".png"));

                EXPECT_EQ(picture.pixelColor(10, 420), Theme::color(Theme::sidebar)) << name;
                const int rule = view.findChild<QWidget*>("sidebar")->width() - 1;
                EXPECT_EQ(picture.pixelColor(rule, 420), Theme::color(Theme::line)) << name;
                EXPECT_EQ(picture.pixelColor(1190, 57), Theme::color(Theme::line)) << name;
                // The current page's tile, when it has one, is tinted orange; the others are plain.
                const auto tile = [&](Page page) {
                    const NavRow& navRow = row(view, page);
                    return picture.pixelColor(navRow.mapTo(&view, QPoint(17, navRow.height() / 2)));
                };
                if (shot.page != Page::setup) {
                    expectBlend(tile(shot.page), Theme::color(Theme::orange), 0.12,
                                Theme::color(Theme::soft));
                }
                const Page other = shot.page == Page::history ? Page::sources : Page::history;
                EXPECT_EQ(tile(other), Theme::color(Theme::soft)) << name;
                const QWidget* card = view.findChild<QWidget*>("diskCard");
                expectDiskFill(picture, QRect(card->mapTo(&view, QPoint()), card->size()), 0.76);
                if (shot.surface != nullptr) {
                    auto* found = view.findChild<QWidget*>(shot.surface);
                    ASSERT_NE(found, nullptr) << name << ": " << shot.surface;
                    const QWidget& surface = shot.parentOfControl ? *found->parentWidget() : *found;
                    const QPoint inside = surface.mapTo(&view, shot.at(surface.size()));
                    EXPECT_EQ(picture.pixelColor(inside), Theme::color(shot.token))
                        << name << ": " << shot.surface;
                }
            }
        }
    }
    Preferences preferences = model.state().preferences;
    preferences.language = AppLanguage::system;
    model.setPreferences(preferences);
}

} // namespace
} // namespace tollenvane
