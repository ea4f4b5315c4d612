// Each page walked with Tab only: its controls in the order the page shows them, each one marked
// by the focus ring while it holds the focus, each with a name read out for it.
#include "app/deck/DeckView.h"
#include "app/deck/SwipeMotionCard.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/FocusRing.h"
#include "app/shell/RootContent.h"
#include "app/shell/RootView.h"
#include "core/localisation/Localization.h"
#include "design/SchemeScope.h"
#include "model/support/SortingHarness.h"
#include "screens/storage/ScannedDesk.h"
#include "shell/ShownWindow.h"
#include "support/DeliverEvents.h"
#include "support/FocusRingPixels.h"
#include "support/ScopedLanguage.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

// The name a screen reader reads out for `widget`.
QString readName(QWidget& widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

QString nameOf(QWidget& widget)
{
    return widget.objectName().isEmpty() ? readName(widget) : widget.objectName();
}

// Stock widgets take their look, focus included, from the application's style.
bool paintsItself(const QWidget& widget)
{
    return qobject_cast<const QComboBox*>(&widget) == nullptr &&
           qobject_cast<const QLineEdit*>(&widget) == nullptr &&
           qobject_cast<const QPushButton*>(&widget) == nullptr &&
           qobject_cast<const QAbstractSlider*>(&widget) == nullptr &&
           qobject_cast<const QAbstractScrollArea*>(&widget) == nullptr;
}

// As the window system delivers it: to the focused control, so that a page scrolls to the next.
void pressTab(QWidget& window)
{
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused != nullptr ? focused : &window, Qt::Key_Tab);
}

// The window at the size it opens at, shown, active and settled.
void showActive(RootView& view, test::ScannedDesk& desk)
{
    view.resize(1200, 840);
    view.show();
    QApplication::setActiveWindow(&view);
    desk.settle();
}

// Presses Tab until the control named `name` holds the focus; none when Tab never reaches it.
QWidget* tabTo(QWidget& window, const QString& name)
{
    for (int press = 0; press < 120; ++press) {
        pressTab(window);
        QWidget* focused = QApplication::focusWidget();
        if (focused != nullptr && nameOf(*focused) == name) {
            return focused;
        }
    }
    ADD_FAILURE() << "Tab never reaches " << name.toStdString();
    return nullptr;
}

using test::ShownWindow;

struct Walk {
    Page page;
    // The tutorial over the page, which then takes no focus.
    bool tutorial = false;
    // Controls that must come in this order; others may come between them.
    std::vector<QString> order;
    // The control whose focus the saved picture shows.
    QString shown;
};

// The names of the focus stops, from the first Tab until the focus comes back round.
std::vector<QString> walkWithTab(QWidget& window, const QString& picture, const QString& shown)
{
    std::vector<QString> names;
    QWidget* first = nullptr;
    for (int press = 0; press < 120; ++press) {
        pressTab(window);
        // The page scrolls to the focus once the events already queued are done.
        test::deliverEvents();
        QWidget* focused = QApplication::focusWidget();
        if (focused == nullptr || focused == first) {
            break;
        }
        if (first == nullptr) {
            first = focused;
        }
        names.push_back(nameOf(*focused));
        const std::string where = picture.toStdString() + ": " + names.back().toStdString();
        EXPECT_FALSE(readName(*focused).isEmpty()) << where << " has no name";
        if (paintsItself(*focused)) {
            EXPECT_GE(test::ringPixels(window, *focused), 20) << where << " shows no ring";
        }
        if (names.back() == shown) {
            EXPECT_TRUE(window.grab().save(picture));
        }
    }
    return names;
}

TEST(Keyboard, EveryPageTabsInItsOrderAndRingsTheFocus)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    const QString folder = test::screenshotFolder();
    test::ScannedDesk desk;
    AppModel& model = desk.model();

    // The sidebar and the status bar come first on every page; then the page, top to bottom.
    const std::vector<Walk> walks = {
        // The dashboard opens on its call to action: the walk starts after it.
        {Page::dashboard,
         false,
         {"open-disks", "category-screenshots", "category-images", "category-videos",
          "category-pdf", "category-audio", "category-archives", "category-documents",
          "category-all", "manage-sources", "nav-settings", "refresh-index", "start-sorting"},
         "open-disks"},
        {Page::space,
         false,
         {"nav-settings",     "refreshVolumes",   "selectVolume",     "chooseFolders",
          "selectVolume",     "chooseFolders",    "allSourcesButton", "treemap",
          "rowButton",        "sortButton",       "revealButton",     "preset-large",
          "preset-oldVideos", "preset-downloads", "preset-archives",  "preset-screenshots",
          "preset-creator",   "duplicatesCard",   "firstGuide",       "secondGuide"},
         "selectVolume"},
        {Page::setup,
         false,
         {"nav-settings", "volumePicker", "searchField", "typeTile-all", "typeTile-screenshots",
          "typeTile-images", "typeTile-videos", "typeTile-pdf", "typeTile-audio",
          "typeTile-archives", "typeTile-documents", "sizePicker", "agePicker",
          "includeReviewedSwitch", "largestFirstSwitch", "downloadsOnlySwitch"},
         "typeTile-images"},
        {Page::sources,
         false,
         {"nav-settings", "addButton", "rescanButton", "openButton", "removeButton",
          "suggestedFolder.Bureau", "suggestedFolder.Documents", "suggestedFolder.Téléchargements",
          "suggestedFolder.Images"},
         "removeButton"},
        {Page::settings,
         false,
         {"nav-settings", "languagePicker", "replayTutorial", "appearance-dark", "appearance-light",
          "appearance-system", "soundsSwitch", "volumeSlider", "soundPreview", "animationsSwitch",
          "confirmTrashSwitch", "showHiddenSwitch", "minimumSizePicker", "rescan",
          "forgetDecisions"},
         "appearance-light"},
        // The tutorial opens on its way on: Tab goes from there round to it.
        {Page::dashboard,
         true,
         {"languagePicker", "closeTutorial", "continueButton"},
         "continueButton"},
        {Page::applications,
         false,
         {"nav-settings", "search", "age", "order", "refresh", "disclosure"},
         "disclosure"},
    };
    for (const auto& [appearance, suffix] :
         {std::pair{AppAppearance::dark, "dark"}, std::pair{AppAppearance::light, "light"}}) {
        applier.apply(appearance);
        for (const Walk& walk : walks) {
            model.navigate(walk.page);
            model.setShowTutorial(walk.tutorial);
            RootView view(model);
            view.resize(1200, 840);
            view.show();
            QApplication::setActiveWindow(&view);
            desk.settle();
            const std::string file = "keyboard-" +
                                     std::string(walk.tutorial ? "tutorial" : rawValue(walk.page)) +
                                     "-" + suffix + ".png";
            const std::vector<QString> names =
                walkWithTab(view, folder + "/" + QString::fromStdString(file), walk.shown);
            std::string seen;
            for (const QString& name : names) {
                seen += name.toStdString() + " | ";
            }
            auto next = names.begin();
            for (const QString& expected : walk.order) {
                next = std::find(next, names.end(), expected);
                EXPECT_NE(next, names.end()) << file << ": " << expected.toStdString()
                                             << " missing or out of order in " << seen;
            }
        }
    }
}

// On every step of the tutorial Tab goes round the header, the step and the way on; a control
// that hands its focus to one of its own (the appearance picker) takes no other place in the
// chain.
TEST(Keyboard, EveryStepOfTheTutorialTabsRoundItsHeaderAndItsWayOn)
{
    test::ScannedDesk desk;
    AppModel& model = desk.model();
    Preferences preferences = model.state().preferences;
    // Each step shows at once, its rings drawn without a fade over them.
    preferences.animations = false;
    model.setPreferences(preferences);
    model.setShowTutorial(true);
    RootView view(model);
    showActive(view, desk);
    for (const char* way : {"continueButton", "continueButton", "continueButton", "finishButton"}) {
        SCOPED_TRACE(way);
        const std::vector<QString> names = walkWithTab(view, QString(), QString());
        for (const char* stop : {"languagePicker", "closeTutorial", way}) {
            EXPECT_NE(std::find(names.begin(), names.end(), stop), names.end()) << stop;
        }
        QTest::mouseClick(view.findChild<QWidget*>(QStringLiteral("continueButton")),
                          Qt::LeftButton);
        desk.settle();
    }
}

// Left and Right on a tile go from tile to tile and stop at the ends of their grid, mirrored
// right to left: Qt's buttons would pass the focus on along the window's chain, to the sidebar.
// Up and Down are the page's, which scrolls, rather than a move to the next tile.
TEST(Keyboard, TheArrowsOnATileStayInItsGrid)
{
    test::ScannedDesk desk;
    AppModel& model = desk.model();
    model.navigate(Page::sources);
    RootView view(model);
    showActive(view, desk);
    const auto press = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        test::deliverEvents();
        return QApplication::focusWidget()->objectName().toStdString();
    };
    // Short enough that the page scrolls, and scrolled to its end.
    view.resize(1200, 400);
    test::deliverEvents();
    view.findChild<QWidget*>(QStringLiteral("suggestedFolder.Vidéos"))
        ->setFocus(Qt::TabFocusReason);
    auto* page = qobject_cast<QAbstractScrollArea*>(view.findChild<QWidget*>("page-sources"));
    ASSERT_NE(page, nullptr);
    page->verticalScrollBar()->setValue(page->verticalScrollBar()->maximum());
    test::deliverEvents();
    const int scrolled = page->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    EXPECT_EQ(press(Qt::Key_Up), "suggestedFolder.Vidéos");
    EXPECT_LT(page->verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(press(Qt::Key_Right), "suggestedFolder.Vidéos");
    EXPECT_EQ(press(Qt::Key_Left), "suggestedFolder.Images");
    view.findChild<QWidget*>(QStringLiteral("suggestedFolder.Bureau"))
        ->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(press(Qt::Key_Left), "suggestedFolder.Bureau");
    EXPECT_EQ(press(Qt::Key_Down), "suggestedFolder.Bureau");
    EXPECT_EQ(press(Qt::Key_Right), "suggestedFolder.Documents");
    view.setLayoutDirection(Qt::RightToLeft);
    EXPECT_EQ(press(Qt::Key_Left), "suggestedFolder.Téléchargements");
    EXPECT_EQ(press(Qt::Key_Right), "suggestedFolder.Documents");
}

TEST(Keyboard, EnterAndSpacePressTheFocusedControl)
{
    test::ScannedDesk desk;
    AppModel& model = desk.model();
    model.navigate(Page::space);
    RootView view(model);
    showActive(view, desk);
    const auto press = [&](const QString& name, Qt::Key key) {
        if (QWidget* focused = tabTo(view, name)) {
            QTest::keyClick(focused, key);
            desk.settle();
        }
    };

    // The map's first block is the largest: the source at the top, then its folder of films.
    press(QStringLiteral("treemap"), Qt::Key_Return);
    EXPECT_EQ(model.storagePath(), std::optional<std::string>(desk.source));
    press(QStringLiteral("treemap"), Qt::Key_Space);
    EXPECT_EQ(model.storagePath(), std::optional<std::string>(desk.path("Films")));
    press(QStringLiteral("parentButton"), Qt::Key_Enter);
    EXPECT_EQ(model.storagePath(), std::optional<std::string>(desk.source));
    press(QStringLiteral("nav-history"), Qt::Key_Space);
    EXPECT_EQ(model.page(), Page::history);
}

// A session of three cards, "a.png", "b.png", then "c.png", on the review page of the window.
struct ReviewWindow {
    test::SortingHarness harness;
    std::string c = harness.file("c.png", 300);
    std::string a = harness.startSortingTwo();
    std::string b = harness.source + "/b.png";
    AppModel& model = *harness.model;
    std::unique_ptr<ShownWindow> window;

    ReviewWindow()
    {
        Preferences preferences = model.state().preferences;
        preferences.animations = false;
        model.setPreferences(preferences);
        window = std::make_unique<ShownWindow>(model);
    }
    RootView& view() const { return window->view; }
    DeckView& deck() const { return *view().findChild<DeckView*>(QStringLiteral("deck")); }
    // Runs the decision under way, if any, to its end.
    void settle()
    {
        for (int round = 0; round < 4; ++round) {
            test::deliverEvents();
            harness.settle();
        }
    }
    void press(Qt::Key key)
    {
        QTest::keyClick(QApplication::focusWidget(), key);
        settle();
    }
    static bool trashed(const std::string& path)
    {
        return !std::filesystem::exists(path) &&
               std::filesystem::exists(std::filesystem::path(test::trashFiles()) /
                                       std::filesystem::path(path).filename());
    }
};

TEST(Keyboard, TheDeckKeysDecideOnlyWhileNoOtherControlHoldsTheFocus)
{
    ReviewWindow review;
    ASSERT_EQ(review.model.page(), Page::swipe);
    EXPECT_EQ(QApplication::focusWidget(), review.deck().card(review.a));

    // Space and the arrows belong to the control that shows the focus: the sidebar's entry.
    ASSERT_NE(tabTo(review.view(), QStringLiteral("runningSession")), nullptr);
    review.press(Qt::Key_Space);
    review.press(Qt::Key_Left);
    EXPECT_FALSE(review.model.showPreview());
    EXPECT_EQ(review.model.summary().total(), 0);
    EXPECT_TRUE(std::filesystem::exists(review.a));

    // Escape gives the keys back to the deck.
    review.press(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), review.deck().card(review.a));
    // A click on the sidebar's entry leaves them there.
    QTest::mouseClick(review.view().findChild<QWidget*>(QStringLiteral("runningSession")),
                      Qt::LeftButton);
    review.settle();
    EXPECT_EQ(QApplication::focusWidget(), review.deck().card(review.a));
    review.press(Qt::Key_Left);
    EXPECT_TRUE(ReviewWindow::trashed(review.a));

    // So does a click on the card.
    ASSERT_NE(tabTo(review.view(), QStringLiteral("nav-history")), nullptr);
    QWidget* face = review.deck().card(review.b)->findChild<QWidget*>(QStringLiteral("nameLabel"));
    QTest::mouseClick(face, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), review.deck().card(review.b));
    review.press(Qt::Key_Left);
    EXPECT_TRUE(ReviewWindow::trashed(review.b));

    // The card holding the focus goes with the last decision, which ends the session: the
    // summary's way out has the focus, never the undo that would open the session again.
    ASSERT_NE(tabTo(review.view(), QStringLiteral("revealButton")), nullptr);
    QTest::mouseClick(review.view().findChild<QWidget*>(QStringLiteral("decision-keep")),
                      Qt::LeftButton);
    review.settle();
    ASSERT_EQ(review.model.page(), Page::summary);
    EXPECT_EQ(review.model.summary().kept, 1);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("finish"));
    review.press(Qt::Key_Return);
    EXPECT_EQ(review.model.page(), Page::dashboard);
    EXPECT_FALSE(review.model.sessionActive());
    EXPECT_TRUE(std::filesystem::exists(review.c));
    EXPECT_TRUE(ReviewWindow::trashed(review.b));
}

TEST(Keyboard, TabReachesOnlyTheCardOnTopAndRingsItsButtons)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    ReviewWindow review;
    for (const auto& [appearance, suffix] :
         {std::pair{AppAppearance::dark, "dark"}, std::pair{AppAppearance::light, "light"}}) {
        applier.apply(appearance);
        review.press(Qt::Key_Escape);
        test::deliverEvents();
        const SwipeMotionCard& top = *review.deck().card(review.a);
        for (const char* name : {"fullPreviewButton", "revealButton"}) {
            pressTab(review.view());
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            EXPECT_EQ(focused->objectName(), QString::fromLatin1(name));
            EXPECT_TRUE(top.isAncestorOf(focused)) << name;
            EXPECT_GE(test::ringPixels(review.view(), *focused), 20) << name;
        }
        EXPECT_TRUE(review.view().grab().save(test::screenshotFolder() + "/keyboard-review-" +
                                              suffix + ".png"));
        // Round the whole window: the card behind is never a stop.
        for (int press = 0; press < 40; ++press) {
            pressTab(review.view());
            EXPECT_FALSE(review.deck().card(review.b)->isAncestorOf(QApplication::focusWidget()));
        }
    }
}

// The window opens on the dashboard with the keyboard on its call to action, which stays there
// when the first folder turns choosing folders into starting to sort.
TEST(Keyboard, TheDashboardOpensOnItsCallToAction)
{
    test::ScannedDesk desk;
    AppModel& model = desk.model();
    model.navigate(Page::dashboard);
    {
        RootView view(model);
        showActive(view, desk);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("start-sorting"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        desk.settle();
        EXPECT_EQ(model.page(), Page::setup);
    }

    test::SortingHarness first;
    first.file("a.png", 300);
    AppModel& fresh = first.load();
    fresh.finishOnboarding();
    first.settle();
    ShownWindow window(fresh);
    first.settle();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("choose-folders"));
    // The folders come while the chooser, a window of its own, holds the keyboard.
    QWidget chooser;
    chooser.show();
    QApplication::setActiveWindow(&chooser);
    fresh.addFolder(first.source, false);
    first.settle();
    fresh.scan();
    for (int round = 0; round < 4; ++round) {
        first.settle();
        test::deliverEvents();
    }
    chooser.close();
    QApplication::setActiveWindow(&window.view);
    test::deliverEvents();
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("start-sorting"));
}

// After a restart with a session waiting, the keyboard starts on the action that resumes it, and
// the ring shows where it is.
TEST(Keyboard, WithASessionWaitingTheDashboardOpensOnResumingItRinged)
{
    test::SortingHarness harness;
    harness.startSortingTwo();
    harness.model->flushState();
    harness.settle();
    harness.model.reset();
    ASSERT_TRUE(harness.stateOnDisk().pendingSession);
    AppModel& model = harness.start();
    ShownWindow window(model);
    harness.settle();
    test::deliverEvents();
    ASSERT_TRUE(model.canResume());
    ASSERT_TRUE(model.resumeReady());
    ASSERT_EQ(model.page(), Page::dashboard);
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_EQ(focus->objectName(), QStringLiteral("resume-session"));
    EXPECT_GE(test::ringPixels(window.view, *focus), 20);
}

// The four decisions are stops of their own, in the row's order, each read out with its key and
// ringed; Space and Enter press the focused one, which keeps the focus for the next card, and the
// arrows decide from there as from the card's own buttons.
TEST(Keyboard, TheFourDecisionsAreStopsThatReadTheirKeysAndPress)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    ReviewWindow review;
    const std::vector<QString> row{"decision-trash", "decision-later", "decision-move",
                                   "decision-keep"};
    for (const auto& [appearance, suffix] :
         {std::pair{AppAppearance::dark, "dark"}, std::pair{AppAppearance::light, "light"}}) {
        applier.apply(appearance);
        review.press(Qt::Key_Escape);
        std::vector<QString> reached;
        for (int press = 0; press < 30 && reached.size() < row.size(); ++press) {
            pressTab(review.view());
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            if (focused->objectName().startsWith(QStringLiteral("decision-"))) {
                reached.push_back(focused->objectName());
                EXPECT_GE(test::ringPixels(review.view(), *focused), 20) << suffix;
            }
        }
        EXPECT_EQ(reached, row) << suffix;
        EXPECT_TRUE(review.view().grab().save(test::screenshotFolder() +
                                              "/keyboard-review-decisions-" + suffix + ".png"));
    }
    // Each is named by its title and described by its key.
    const auto heard = [&](const char* name) {
        QAccessibleInterface& read = *QAccessible::queryAccessibleInterface(
            review.view().findChild<QWidget*>(QString::fromLatin1(name)));
        return read.text(QAccessible::Name) + " | " + read.text(QAccessible::Description);
    };
    EXPECT_EQ(heard("decision-trash"), QStringLiteral("Corbeille | ←"));
    EXPECT_EQ(heard("decision-later"), QStringLiteral("Plus tard | ↓"));
    EXPECT_EQ(heard("decision-move"), QStringLiteral("Ranger | ↑"));
    EXPECT_EQ(heard("decision-keep"), QStringLiteral("Garder | →"));

    // Space on "Garder" keeps the card on top, not a preview; the focus stays on the button.
    review.press(Qt::Key_Space);
    EXPECT_FALSE(review.model.showPreview());
    EXPECT_EQ(review.model.summary().kept, 1);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("decision-keep"));
    // Back to "Plus tard", which Enter presses.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("decision-later"));
    review.press(Qt::Key_Return);
    EXPECT_EQ(review.model.summary().deferred, 1);
    // From a button of the card itself, Left puts the last card in the Trash.
    ASSERT_NE(tabTo(review.view(), QStringLiteral("revealButton")), nullptr);
    review.press(Qt::Key_Left);
    EXPECT_EQ(review.model.summary().trashed, 1);
    EXPECT_TRUE(ReviewWindow::trashed(review.c));
}

TEST(Keyboard, TheFocusStaysWithThePageAfterAFolderAPageOrALanguageChanges)
{
    const test::ScopedLanguage language(Localization::language());
    test::ScannedDesk desk;
    AppModel& model = desk.model();
    model.navigate(Page::space);
    ShownWindow window(model);
    RootView& view = window.view;
    desk.settle();
    const auto onPage = [&] {
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr && view.content().currentPage()->isAncestorOf(focused);
    };

    // A folder opened from its row in the explorer: the row goes, the map of the folder has it.
    QWidget* row = tabTo(view, QStringLiteral("rowButton"));
    ASSERT_NE(row, nullptr);
    QTest::keyClick(row, Qt::Key_Space);
    desk.settle();
    ASSERT_EQ(model.storagePath(), std::optional<std::string>(desk.source));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("treemap"));

    // A search for duplicates started from the space page leaves the focus on its page, also
    // once the search, over at once, hides the button that took it.
    QWidget* duplicates = tabTo(view, QStringLiteral("duplicatesCard"));
    ASSERT_NE(duplicates, nullptr);
    QTest::keyClick(duplicates, Qt::Key_Space);
    desk.settle();
    ASSERT_EQ(model.page(), Page::duplicates);
    EXPECT_TRUE(onPage());

    // A category opens the set-up of a new session: its first control has the focus.
    model.navigate(Page::dashboard);
    desk.settle();
    QWidget* category = tabTo(view, QStringLiteral("category-images"));
    ASSERT_NE(category, nullptr);
    QTest::keyClick(category, Qt::Key_Space);
    desk.settle();
    ASSERT_EQ(model.page(), Page::setup);
    EXPECT_TRUE(onPage());

    // The language picker is built again in the new language, and keeps the focus.
    model.navigate(Page::settings);
    desk.settle();
    QWidget* picker = tabTo(view, QStringLiteral("languagePicker"));
    ASSERT_NE(picker, nullptr);
    const QPointer<QWidget> before = picker;
    QTest::keyClick(picker, Qt::Key_Down);
    desk.settle();
    ASSERT_NE(model.state().preferences.language, AppLanguage::system);
    EXPECT_TRUE(before.isNull());
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("languagePicker"));
    EXPECT_TRUE(onPage());

    // The tutorial closed from the keyboard leaves the focus on the page it covered.
    model.setShowTutorial(true);
    desk.settle();
    QWidget* close = tabTo(view, QStringLiteral("closeTutorial"));
    ASSERT_NE(close, nullptr);
    QTest::keyClick(close, Qt::Key_Space);
    desk.settle();
    ASSERT_FALSE(model.showTutorial());
    EXPECT_TRUE(onPage());
}

} // namespace
} // namespace tollenvane
