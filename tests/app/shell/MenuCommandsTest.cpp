#include "app/shell/MenuCommands.h"

#include "app/shell/CommandActions.h"
#include "app/shell/MainWindow.h"
#include "app/shell/RootContent.h"
#include "app/shell/RootView.h"
#include "core/localisation/Localization.h"
#include "model/support/ModelHarness.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <set>

namespace tollenvane {
namespace {

using test::ModelHarness;

// Everything allows every command: onboarding done, one decision to undo, nothing open.
CommandInputs allowingAll()
{
    return {.onboardingComplete = true, .undoCount = 1};
}

template <class Change>
CommandInputs with(Change change)
{
    CommandInputs inputs = allowingAll();
    change(inputs);
    return inputs;
}

TEST(MenuCommands, EachConditionDisablesExactlyItsCommands)
{
    struct Case {
        const char* condition;
        CommandInputs inputs;
        bool newSession, addFolder, undo, settings;
    };
    const Case cases[] = {
        {"nothing", allowingAll(), true, true, true, true},
        {"loading", with([](auto& i) { i.loading = true; }), false, false, true, true},
        {"busy", with([](auto& i) { i.busy = true; }), false, false, false, true},
        {"flying", with([](auto& i) { i.animatingSwipe = true; }), false, false, false, false},
        {"tutorial", with([](auto& i) { i.showTutorial = true; }), false, true, false, true},
        {"onboarding", with([](auto& i) { i.onboardingComplete = false; }), false, true, false,
         true},
        {"session", with([](auto& i) { i.sessionActive = true; }), true, false, true, true},
        {"move sheet", with([](auto& i) { i.showMove = true; }), true, true, false, true},
        {"preview", with([](auto& i) { i.showPreview = true; }), true, true, false, true},
        {"no undo", with([](auto& i) { i.undoCount = 0; }), true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.condition);
        EXPECT_EQ(canStartNewSession(c.inputs), c.newSession);
        EXPECT_EQ(canAddFolder(c.inputs), c.addFolder);
        EXPECT_EQ(canUndo(c.inputs), c.undo);
        EXPECT_EQ(canOpenSettings(c.inputs), c.settings);
    }
}

TEST(MenuCommands, ActionsFollowTheModelWithTheirMenusClosed)
{
    ModelHarness harness;
    AppModel& model = harness.start();
    MainWindow window(model, [] {});
    const CommandActions& commands = window.commands();
    EXPECT_FALSE(commands.addFolder()->isEnabled()); // still loading
    EXPECT_TRUE(commands.settings()->isEnabled());

    harness.settle();
    EXPECT_TRUE(commands.addFolder()->isEnabled());
    EXPECT_FALSE(commands.newSession()->isEnabled()); // onboarding not done

    Preferences preferences = model.state().preferences;
    preferences.onboardingComplete = true;
    model.setPreferences(preferences);
    EXPECT_TRUE(commands.newSession()->isEnabled());
    model.setShowTutorial(true);
    EXPECT_FALSE(commands.newSession()->isEnabled());
    model.setShowTutorial(false);
    EXPECT_TRUE(commands.newSession()->isEnabled());
    EXPECT_FALSE(commands.undo()->isEnabled()); // nothing to undo

    // Shortcuts belong to the window, so they work without opening a menu.
    EXPECT_TRUE(window.actions().contains(commands.newSession()));
    EXPECT_EQ(commands.settings()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    EXPECT_EQ(commands.addFolder()->text(), QString("&Ajouter un dossier…"));
}

TEST(MenuCommands, ClosingTheWindowAndQuittingTakeTheOneWayOut)
{
    ModelHarness harness;
    AppModel& model = harness.start(); // loading: the way out waits
    int quits = 0;
    MainWindow window(model, [&quits] { ++quits; });
    window.show();

    EXPECT_FALSE(window.close()); // held until the state is written
    EXPECT_TRUE(window.termination().terminating());
    window.commands().quit()->trigger();
    EXPECT_TRUE(window.termination().waiting());

    ASSERT_TRUE(QTest::qWaitFor([&] {
        harness.settle();
        return quits > 0;
    }));
    harness.settle();
    EXPECT_EQ(quits, 1);
}

TEST(MenuCommands, TheMenuBarComesOnTopOfTheContentsMinimumSize)
{
    ModelHarness harness;
    AppModel& model = harness.load();
    MainWindow window(model, [] {});
    window.show();
    window.resize(1, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.centralWidget()->size(), MainWindow::minimumContentSize);
    EXPECT_GT(window.height(), MainWindow::minimumContentSize.height());
}

// The test screen, 800 x 600, is smaller than the window's default size and even its minimum:
// the window opens at its minimum rather than reaching past the screen's bottom.
TEST(MenuCommands, TheWindowOpensNoLargerThanTheScreenLeavesRoomFor)
{
    ModelHarness harness;
    AppModel& model = harness.load();
    MainWindow window(model, [] {});
    const QSize available = window.screen()->availableGeometry().size();
    const QSize minimum = window.minimumSizeHint();
    EXPECT_LE(window.width(), std::max(available.width(), minimum.width()));
    EXPECT_LE(window.height(), std::max(available.height(), minimum.height()));
    EXPECT_GE(window.width(), minimum.width());
    EXPECT_GE(window.height(), minimum.height());
    window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.centralWidget()->size().expandedTo(MainWindow::minimumContentSize),
              window.centralWidget()->size());
}

TEST(MenuCommands, ANewLanguageRetitlesTheMenusAndBuildsTheContentAnew)
{
    ModelHarness harness;
    AppModel& model = harness.load();
    MainWindow window(model, [] {});
    const QPointer<QWidget> firstContent =
        window.centralWidget()->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_FALSE(firstContent.isNull());

    Preferences preferences = model.state().preferences;
    preferences.language = AppLanguage::de;
    model.setPreferences(preferences);
    ASSERT_TRUE(QTest::qWaitFor([&] { return firstContent.isNull(); }));
    EXPECT_NE(window.centralWidget(), nullptr);
    EXPECT_EQ(window.commands().quit()->text(), QString("&Beenden"));

    preferences.language = AppLanguage::system;
    model.setPreferences(preferences);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.commands().quit()->text() == "&Quitter"; }));
}

// The letter after a text's one '&', in lower case; none without exactly one.
std::optional<QString> mnemonic(const QString& text)
{
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at < 0 || at + 1 >= text.size() || text.indexOf(QLatin1Char('&'), at + 1) >= 0) {
        return std::nullopt;
    }
    return text.mid(at + 1, 1).toLower();
}

// No two entries side by side share their letter: the menu bar's titles, and each menu's items.
void expectDistinctMnemonics(const QList<QAction*>& actions, const std::string& where)
{
    std::set<QString> letters;
    for (const QAction* action : actions) {
        if (action->isSeparator()) {
            continue;
        }
        const std::optional<QString> letter = mnemonic(action->text());
        ASSERT_TRUE(letter) << where << ": " << action->text().toStdString();
        EXPECT_TRUE(letters.insert(*letter).second)
            << where << ": " << action->text().toStdString();
    }
}

TEST(MenuCommands, EveryMenuAndCommandHasItsOwnAltLetterInEveryLanguage)
{
    const test::ScopedLanguage restore(Localization::language());
    ModelHarness harness;
    AppModel& model = harness.load();
    Preferences preferences = model.state().preferences;
    preferences.onboardingComplete = true;
    model.setPreferences(preferences);
    MainWindow window(model, [] {});
    for (const AppLanguage language :
         {AppLanguage::fr, AppLanguage::en, AppLanguage::es, AppLanguage::de, AppLanguage::it}) {
        Localization::setLanguage(language);
        window.commands().retitle();
        const std::string where(rawValue(language));
        const QList<QAction*> menus = window.menuBar()->actions();
        ASSERT_EQ(menus.size(), 2);
        expectDistinctMnemonics(menus, where);
        // Finish, which ends a session, is never heard as a command that quits.
        const QString finish = QString::fromStdString(Localization::text("Terminer"));
        for (const QAction* menu : menus) {
            expectDistinctMnemonics(menu->menu()->actions(),
                                    where + " " + menu->text().toStdString());
            for (const QAction* command : menu->menu()->actions()) {
                EXPECT_NE(QString(command->text()).remove(u'&'), finish) << where;
            }
        }
    }

    // Alt and the letters reach a command from the window, and the page it opens has the focus,
    // not the menu bar that had it meanwhile for want of any other control.
    Localization::setLanguage(AppLanguage::fr);
    window.commands().retitle();
    window.show();
    QApplication::setActiveWindow(&window);
    if (QWidget* focused = QApplication::focusWidget()) {
        focused->clearFocus();
    }
    QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    EXPECT_EQ(QApplication::activePopupWidget(), window.menuBar()->actions().front()->menu());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_N);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.page() == Page::setup; }));
    const RootContent& content = window.findChild<RootView*>()->content();
    // The window the menu came from may be left inactive here: where its focus lies counts.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return content.currentPage()->objectName() == "page-setup" &&
               content.currentPage()->isAncestorOf(window.focusWidget());
    }));
}

} // namespace
} // namespace tollenvane
