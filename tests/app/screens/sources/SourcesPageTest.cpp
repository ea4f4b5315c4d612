#include "app/screens/sources/SourcesPage.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/EmptyState.h"
#include "app/design/PlainButton.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SecondaryButton.h"
#include "app/design/ShownName.h"
#include "app/design/SuggestedFolders.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/kit/AddedFolders.h"
#include "app/kit/VirtualList.h"
#include "app/screens/sources/SourcePanel.h"
#include "core/persistence/StateStore.h"
#include "design/SchemeScope.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "support/DeliverEvents.h"
#include "support/FocusRingPixels.h"
#include "support/ListKeys.h"
#include "support/RecordingServices.h"
#include "support/Screenshots.h"
#include "support/ToldNotices.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

// Four sources over real folders: the scanned "Pictures", one chosen through a symbolic link,
// one whose name looks like markup (a name holds no slash, so no closing tag) and one that can
// no longer be read.
struct SourcesScreen {
    test::SortingHarness harness;
    test::RecordingLinks links;
    std::string real = harness.folder.makeFolder("home/Real");
    std::string linked = harness.folder / "home/Linked";
    std::string markup = harness.folder.makeFolder("home/<b>x&amp;");
    std::string locked = harness.folder.makeFolder("home/Locked");
    AppModel& model;
    SourcesPage page;

    SourcesScreen()
        : model(prepare())
        , page(model, links)
    {
        page.resize(900, 1100);
        page.show();
        test::deliverEvents();
    }

    AppModel& prepare()
    {
        harness.file("a.png", 300);
        harness.folder.write("home/Real/one.txt", "1");
        harness.folder.write("home/Real/two.txt", "22");
        fs::create_directory_symlink(real, linked);
        harness.grants->unreadable.insert(locked);
        AppModel& loaded = harness.loadScanned();
        for (const std::string& folder : {linked, markup, locked}) {
            loaded.addFolder(folder, false);
        }
        harness.settle();
        loaded.scan();
        harness.settle();
        return loaded;
    }

    std::vector<SourcePanel*> panels() const
    {
        test::deliverEvents();
        std::vector<SourcePanel*> shown;
        for (SourcePanel* panel : page.findChildren<SourcePanel*>()) {
            if (panel->isVisible()) {
                shown.push_back(panel);
            }
        }
        std::sort(shown.begin(), shown.end(),
                  [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
        return shown;
    }

    template <class T>
    static T& in(const QWidget& parent, const char* name)
    {
        T* found = parent.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
};

TEST(SourcesPage, EachGrantShowsItsStateAndALinkedSourceFindsItsCount)
{
    SourcesScreen screen;
    const auto panels = screen.panels();
    ASSERT_EQ(panels.size(), 4U);
    const auto countOf = [](const SourcePanel* panel) {
        return SourcesScreen::in<ElidedLabel>(*panel, "sourceCount").text();
    };
    EXPECT_EQ(countOf(panels[0]), QStringLiteral("1 fichier détecté"));
    // Chosen through the link, resolved and counted under the real folder.
    EXPECT_EQ(SourcesScreen::in<QLabel>(*panels[1], "sourceStatus").text(),
              shownName(fs::canonical(screen.real).string()));
    EXPECT_EQ(countOf(panels[1]), QStringLiteral("2 fichiers détectés"));

    // Names and paths are data: markup shows as written.
    EXPECT_EQ(SourcesScreen::in<ElidedLabel>(*panels[2], "sourceName").text(),
              shownName("<b>x&amp;"));
    const auto& status = SourcesScreen::in<QLabel>(*panels[2], "sourceStatus");
    EXPECT_EQ(status.textFormat(), Qt::PlainText);
    EXPECT_TRUE(status.text().endsWith(QStringLiteral("/<b>x&amp;\u2069")));
    EXPECT_TRUE(status.textInteractionFlags() & Qt::TextSelectableByMouse);

    const auto& lockedStatus = SourcesScreen::in<QLabel>(*panels[3], "sourceStatus");
    EXPECT_FALSE(lockedStatus.text().isEmpty());
    EXPECT_FALSE(SourcesScreen::in<ElidedLabel>(*panels[3], "sourceCount").isVisible());
    EXPECT_TRUE(SourcesScreen::in<SecondaryButton>(*panels[3], "renewButton").isVisible());
    EXPECT_FALSE(SourcesScreen::in<PlainButton>(*panels[3], "openButton").isVisible());
    EXPECT_FALSE(SourcesScreen::in<EmptyState>(screen.page, "emptySources").isVisible());
}

// Selected and copied from the keyboard, a status line gives the path itself, ready to paste.
TEST(SourcesPage, ACopiedStatusLineIsThePathItself)
{
    SourcesScreen screen;
    QApplication::setActiveWindow(&screen.page);
    auto& status = SourcesScreen::in<QLabel>(*screen.panels()[1], "sourceStatus");
    status.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(status.hasFocus());
    QTest::keyClick(&status, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&status, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromStdString(fs::canonical(screen.real).string()));
}

// The chooser gives the keyboard back to the page: the folders it added are told, by name; a
// source renewed in place is no folder added.
TEST(SourcesPage, TheFoldersAddedAreToldByName)
{
    SourcesScreen screen;
    QApplication::setActiveWindow(&screen.page);
    const test::AccessibleEvents told;
    const auto added = [](std::vector<std::string> names) {
        return spokenText(foldersAddedNotice(names)).toStdString();
    };
    auto& add = SourcesScreen::in<PrimaryButton>(screen.page, "addButton");
    screen.harness.panel->answer = std::vector{screen.harness.folder.makeFolder("home/Music")};
    QTest::mouseClick(&add, Qt::LeftButton);
    screen.harness.settle();
    ASSERT_TRUE(test::waitForNotice(told, added({"Music"}))) << told.transcript();

    screen.harness.grants->unreadable.clear();
    screen.harness.panel->answer = std::vector{screen.locked};
    QTest::mouseClick(&SourcesScreen::in<SecondaryButton>(*screen.panels()[3], "renewButton"),
                      Qt::LeftButton);
    screen.harness.settle();
    screen.harness.panel->answer = std::vector{screen.harness.folder.makeFolder("home/Films"),
                                               screen.harness.folder.makeFolder("home/Books")};
    QTest::mouseClick(&add, Qt::LeftButton);
    screen.harness.settle();
    ASSERT_TRUE(test::waitForNotice(told, added({"Films", "Books"})));
    EXPECT_EQ(test::noticesSaid(told),
              (std::vector<std::string>{added({"Music"}), added({"Films", "Books"})}));
}

TEST(SourcesPage, ControlsCallTheModelAndRemovingKeepsTheOtherPanels)
{
    SourcesScreen screen;
    auto panels = screen.panels();
    QTest::mouseClick(&SourcesScreen::in<PlainButton>(*panels[1], "openButton"), Qt::LeftButton);
    EXPECT_EQ(screen.links.folders, std::vector<std::string>{fs::canonical(screen.real).string()});

    QTest::mouseClick(&SourcesScreen::in<PrimaryButton>(screen.page, "addButton"), Qt::LeftButton);
    ASSERT_EQ(screen.harness.panel->requests.size(), 1U);
    EXPECT_TRUE(screen.harness.panel->requests.back().multipleSelection);

    // Renewing replaces the grant in place.
    const std::string lockedID = screen.model.state().sources.at(3).id;
    screen.harness.grants->unreadable.clear();
    screen.harness.panel->answer = std::vector{screen.locked};
    QTest::mouseClick(&SourcesScreen::in<SecondaryButton>(*panels[3], "renewButton"),
                      Qt::LeftButton);
    screen.harness.settle();
    EXPECT_FALSE(screen.harness.panel->requests.back().multipleSelection);
    ASSERT_EQ(screen.model.state().sources.size(), 4U);
    EXPECT_EQ(screen.model.state().sources.at(3).id, lockedID);
    EXPECT_TRUE(screen.model.statuses().at(lockedID).location);

    QTest::mouseClick(&SourcesScreen::in<PlainButton>(*panels[2], "removeButton"), Qt::LeftButton);
    screen.harness.settle();
    ASSERT_EQ(screen.model.state().sources.size(), 3U);
    EXPECT_TRUE(fs::exists(screen.markup));
    const auto left = screen.panels();
    EXPECT_EQ(left, (std::vector{panels[0], panels[1], panels[3]}));
}

TEST(SourcesPage, ASessionLocksEverythingButOpening)
{
    SourcesScreen screen;
    auto& add = SourcesScreen::in<PrimaryButton>(screen.page, "addButton");
    auto& rescan = SourcesScreen::in<SecondaryButton>(screen.page, "rescanButton");
    auto& suggestions = SourcesScreen::in<SuggestedFolders>(screen.page, "suggestedFolders");
    auto& notice = SourcesScreen::in<TextBlock>(screen.page, "sessionNotice");
    auto panels = screen.panels();
    EXPECT_TRUE(add.isEnabled());
    EXPECT_TRUE(rescan.isEnabled());
    EXPECT_FALSE(notice.isVisible());

    screen.model.scan();
    ASSERT_TRUE(screen.model.scanning());
    test::deliverEvents();
    EXPECT_FALSE(rescan.isEnabled());
    EXPECT_TRUE(add.isEnabled());
    EXPECT_TRUE(SourcesScreen::in<PlainButton>(*panels[0], "removeButton").isEnabled());
    screen.harness.settle();

    screen.harness.startSortingAll();
    ASSERT_TRUE(screen.model.sessionActive());
    test::deliverEvents();
    EXPECT_TRUE(notice.isVisible());
    EXPECT_FALSE(add.isEnabled());
    EXPECT_FALSE(rescan.isEnabled());
    EXPECT_FALSE(suggestions.isEnabled());
    EXPECT_FALSE(SourcesScreen::in<PlainButton>(*panels[0], "removeButton").isEnabled());
    EXPECT_FALSE(SourcesScreen::in<SecondaryButton>(*panels[3], "renewButton").isEnabled());
    EXPECT_TRUE(SourcesScreen::in<PlainButton>(*panels[0], "openButton").isEnabled());

    // An undo after the session leaves renewing to the model.
    screen.harness.decide(Decision::keep);
    screen.model.finishSession();
    screen.model.undo();
    ASSERT_TRUE(screen.model.busy());
    ASSERT_FALSE(screen.model.sessionActive());
    test::deliverEvents();
    EXPECT_TRUE(SourcesScreen::in<SecondaryButton>(*panels[3], "renewButton").isEnabled());
    EXPECT_FALSE(SourcesScreen::in<PlainButton>(*panels[0], "removeButton").isEnabled());
    EXPECT_FALSE(add.isEnabled());
    EXPECT_FALSE(notice.isVisible());
    screen.harness.settle();
}

// A suggestion is a way to the chooser, not a mark of what is authorised: the tile of a folder
// already a source looks the same and opens the chooser there again.
TEST(SourcesPage, ASuggestedFolderAlreadyASourceKeepsItsTile)
{
    SourcesScreen screen;
    screen.harness.standardFolders->folders[StandardFolder::pictures] = screen.harness.source;
    const FolderGrant pictures = screen.model.state().sources.front();
    ASSERT_EQ(pictures.lastKnownPath, screen.harness.source);
    auto& tile = SourcesScreen::in<QAbstractButton>(screen.page, "suggestedFolder.Images");
    const QImage added = tile.grab().toImage();
    QTest::mouseClick(&tile, Qt::LeftButton);
    ASSERT_EQ(screen.harness.panel->requests.size(), 1U);
    EXPECT_EQ(screen.harness.panel->requests.back().startFolder, screen.harness.source);

    screen.model.removeSource(pictures);
    screen.harness.settle();
    test::deliverEvents();
    EXPECT_EQ(tile.grab().toImage(), added);
}

// During a session a folder that can no longer be read offers nothing to act on: its panel takes
// the focus itself, comes into view, ringed, and is read as the folder's name and its state.
TEST(SourcesPage, AFolderLostDuringASessionIsReachedAndHeard)
{
    SourcesScreen screen;
    screen.page.resize(900, 500);
    screen.page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen.page));
    screen.harness.startSortingAll();
    ASSERT_TRUE(screen.model.sessionActive());
    const auto& list = SourcesScreen::in<VirtualList>(screen.page, "sourcePanels");
    ASSERT_EQ(list.rowAt(3), nullptr);
    SourcesScreen::in<PlainButton>(*list.rowAt(0), "openButton").setFocus(Qt::TabFocusReason);
    for (int press = 0; press < 3; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        test::deliverEvents();
    }
    ASSERT_NE(list.rowAt(3), nullptr);
    QWidget& lost = *list.rowAt(3);
    ASSERT_EQ(QApplication::focusWidget(), &lost);
    const QRect shown(lost.mapTo(screen.page.viewport(), QPoint()), lost.size());
    EXPECT_TRUE(screen.page.viewport()->rect().contains(shown));
    EXPECT_GE(test::ringPixels(screen.page, lost), 20);
    QAccessibleInterface& heard = *QAccessible::queryAccessibleInterface(&lost);
    EXPECT_EQ(spokenText(heard.text(QAccessible::Name)),
              spokenText(shownName(fs::path(screen.locked).filename().string())));
    const QString status = SourcesScreen::in<QLabel>(lost, "sourceStatus").text();
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(heard.text(QAccessible::Description), spokenText(status));
    EXPECT_TRUE(heard.state().focused);
    EXPECT_TRUE(screen.page.grab().save(test::screenshotFolder() + "/sources-lost-folder.png"));
}

TEST(SourcesPage, WithoutSourcesTheEmptyStateShows)
{
    test::SortingHarness harness;
    test::RecordingLinks links;
    AppModel& model = harness.load();
    SourcesPage page(model, links);
    page.resize(900, 900);
    page.show();
    test::deliverEvents();
    EXPECT_TRUE(SourcesScreen::in<EmptyState>(page, "emptySources").isVisible());
    for (const SourcePanel* panel : page.findChildren<SourcePanel*>()) {
        EXPECT_FALSE(panel->isVisible());
    }
    EXPECT_TRUE(SourcesScreen::in<SuggestedFolders>(page, "suggestedFolders").isVisible());
}

TEST(SourcesPage, RemovingTheLastSourceFromTheKeyboardLeavesTheFocusOnThePage)
{
    SourcesScreen screen;
    const std::vector<FolderGrant> sources = screen.model.state().sources;
    for (std::size_t index = 1; index < sources.size(); ++index) {
        screen.model.removeSource(sources[index]);
    }
    screen.harness.settle();
    const auto panels = screen.panels();
    ASSERT_EQ(panels.size(), 1U);
    screen.page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen.page));
    auto& remove = SourcesScreen::in<PlainButton>(*panels[0], "removeButton");
    remove.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&remove, Qt::Key_Space);
    screen.harness.settle();
    test::deliverEvents();
    ASSERT_TRUE(screen.model.state().sources.empty());
    // The control after the list: the suggested folders.
    const QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    EXPECT_TRUE(focus->isVisible());
    EXPECT_TRUE(
        SourcesScreen::in<SuggestedFolders>(screen.page, "suggestedFolders").isAncestorOf(focus))
        << focus->objectName().toStdString();
}

// In a window tall enough for the page without sources but not with them, scrolled down to the
// last panel, then every source removed: the page shrinks back to what it shows, its top with
// the buttons in sight, rather than staying as tall as its blocks at their narrowest.
TEST(SourcesPage, RemovingEverySourceBringsThePagesTopBackIntoView)
{
    int emptyHeight = 0;
    {
        test::SortingHarness harness;
        test::RecordingLinks links;
        SourcesPage empty(harness.load(), links);
        empty.resize(900, 400);
        empty.show();
        test::deliverEvents();
        emptyHeight = empty.widget()->heightForWidth(empty.widget()->width());
    }
    SourcesScreen screen;
    screen.page.resize(900, emptyHeight + 40);
    QScrollBar& bar = *screen.page.verticalScrollBar();
    test::deliverEvents();
    bar.setValue(bar.maximum());
    test::deliverEvents();
    ASSERT_GT(bar.value(), 0);
    for (const FolderGrant& grant : std::vector<FolderGrant>(screen.model.state().sources)) {
        screen.model.removeSource(grant);
    }
    screen.harness.settle();
    test::deliverEvents();
    ASSERT_TRUE(screen.model.state().sources.empty());
    EXPECT_EQ(bar.value(), 0);
    const QWidget& add = SourcesScreen::in<PrimaryButton>(screen.page, "addButton");
    const QRect shown(add.mapTo(screen.page.viewport(), QPoint()), add.size());
    EXPECT_TRUE(screen.page.viewport()->rect().contains(shown))
        << shown.top() << " to " << shown.bottom();
}

TEST(SourcesPage, TenThousandSourcesKeepAFewPanelsThatShowTheirOwnGrantAtTheirHeight)
{
    test::SortingHarness harness;
    harness.file("a.png", 300);
    SavedState saved;
    // Half the folders are gone by the time the page shows them; one wraps its long path.
    std::vector<std::string> gone;
    const std::string wrapping =
        harness.folder.makeFolder("home/Many/" + std::string(120, 'w') + " " +
                                  std::string(100, 'v') + "/" + std::string(60, 'u') + " end");
    saved.sources.push_back(harness.grants->grant(wrapping, false));
    for (int index = 0; index < 10'000; ++index) {
        const std::string folder =
            harness.folder.makeFolder("home/Many/Folder " + std::to_string(index));
        saved.sources.push_back(harness.grants->grant(folder, false));
        if (index % 2 == 1) {
            gone.push_back(folder);
        }
    }
    for (const std::string& folder : gone) {
        fs::remove(folder);
    }
    StateStore(harness.statePath()).save(saved);
    AppModel& model = harness.loadScanned();
    ASSERT_EQ(model.state().sources.size(), 10'002U);
    test::RecordingLinks links;
    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    auto owned = std::make_unique<SourcesPage>(model, links);
    SourcesPage& page = *owned;
    page.resize(900, 800);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    test::deliverEvents();
    // The first panels show at once, the others come a batch per turn of the event loop.
    const auto& list = *page.findChild<VirtualList*>("sourcePanels");
    EXPECT_LT(list.count(), 10'002U);
    for (int turn = 0; turn < 20 && list.count() < 10'002; ++turn) {
        test::deliverEvents();
    }
    ASSERT_EQ(list.count(), 10'002U);
    const auto bounded = [&] { return page.findChildren<SourcePanel*>().size() < 40; };
    EXPECT_TRUE(bounded());

    const auto built = [&] {
        std::vector<SourcePanel*> panels;
        for (SourcePanel* panel : page.findChildren<SourcePanel*>()) {
            if (panel->isVisible()) {
                panels.push_back(panel);
            }
        }
        std::sort(panels.begin(), panels.end(),
                  [](const QWidget* one, const QWidget* other) { return one->y() < other->y(); });
        return panels;
    };
    // A panel shows its own grant, whole, as tall as its text needs.
    const auto grantOf = [&](const SourcePanel& panel) {
        const QString name = SourcesScreen::in<ElidedLabel>(panel, "sourceName").text();
        const auto& sources = model.state().sources;
        const auto grant = std::find_if(sources.begin(), sources.end(), [&](const auto& each) {
            return shownName(each.name) == name;
        });
        return grant == sources.end() ? -1 : grant - sources.begin();
    };
    const auto checkShown = [&] {
        ASSERT_FALSE(built().empty());
        for (const SourcePanel* panel : built()) {
            const std::ptrdiff_t index = grantOf(*panel);
            ASSERT_GE(index, 0);
            const FolderGrant& grant = model.state().sources[static_cast<std::size_t>(index)];
            const auto status = model.statuses().find(grant.id);
            const bool resolved =
                status != model.statuses().end() && status->second.location.has_value();
            EXPECT_EQ(SourcesScreen::in<PlainButton>(*panel, "openButton").isVisibleTo(panel),
                      resolved)
                << grant.name;
            EXPECT_EQ(SourcesScreen::in<SecondaryButton>(*panel, "renewButton").isVisibleTo(panel),
                      !resolved)
                << grant.name;
            EXPECT_EQ(panel->height(), panel->heightForWidth(panel->width())) << grant.name;
        }
    };
    checkShown();
    EXPECT_GT(built().front()->height(), built().at(1)->height());
    QScrollBar& bar = *page.verticalScrollBar();
    for (const int at : {bar.maximum(), bar.maximum() / 3, 0}) {
        bar.setValue(at);
        test::deliverEvents();
        EXPECT_TRUE(bounded());
        checkShown();
    }

    // The panels are one stop: the keys reach each, ringed and in sight, then Tab leaves them
    // for the suggestions.
    const auto focusedSource = [&]() -> std::optional<std::size_t> {
        for (const QWidget* at = QApplication::focusWidget(); at != nullptr;
             at = at->parentWidget()) {
            if (at->parentWidget() == &list) {
                return list.indexOf(*at);
            }
        }
        return std::nullopt;
    };
    bar.setValue(bar.maximum() / 2);
    test::deliverEvents();
    QWidget& rescan = SourcesScreen::in<SecondaryButton>(page, "rescanButton");
    QWidget* left = test::walkList(
        {page, page, rescan, list.count(), focusedSource, [] { test::deliverEvents(); },
         [&](std::size_t item) { return shownName(model.state().sources[item].name); }});
    ASSERT_NE(left, nullptr);
    EXPECT_TRUE(SourcesScreen::in<SuggestedFolders>(page, "suggestedFolders").isAncestorOf(left))
        << left->objectName().toStdString();
    EXPECT_TRUE(page.grab().save(test::screenshotFolder() + "/sources-10000-keyboard.png"));
    EXPECT_TRUE(bounded());

    const test::SchemeScope restore;
    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        AppearanceApplier().apply(appearance);
        bar.setValue(0);
        test::deliverEvents();
        EXPECT_TRUE(page.grab().save(test::screenshotFolder() + "/sources-10000-" +
                                     QString::fromStdString(std::string(rawValue(appearance))) +
                                     ".png"));
    }

    // Removing a source far down leaves the page where it was.
    bar.setValue(bar.maximum() / 2);
    test::deliverEvents();
    const int place = bar.value();
    model.removeSource(model.state().sources.at(8'000));
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(list.count(), 10'001U);
    EXPECT_EQ(bar.value(), place);

    // Leaving the page leaves nothing of it behind.
    owned.reset();
    test::deliverEvents();
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

} // namespace
} // namespace tollenvane
