#include "app/screens/applications/ApplicationsPage.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/kit/VirtualList.h"
#include "app/screens/appdata/AppDataControls.h"
#include "app/screens/appdata/AppDataRow.h"
#include "app/screens/applications/ApplicationRow.h"
#include "design/SchemeScope.h"
#include "screens/applications/ApplicationsHarness.h"
#include "support/DeliverEvents.h"
#include "support/ListKeys.h"
#include "support/RecordPaths.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>

namespace tollenvane {
namespace {

// Remembers `removed`, loads the model and shows the page over it.
std::unique_ptr<ApplicationsPage> showPage(test::ApplicationsHarness& harness,
                                           const std::vector<RemovedApplication>& removed)
{
    harness.remember(removed);
    harness.load();
    auto page = std::make_unique<ApplicationsPage>(harness.pageServices());
    page->resize(900, 1300);
    page->show();
    test::deliverEvents();
    return page;
}

template <class T>
T& findIn(const QWidget& page, const QString& name)
{
    T* found = page.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return *found;
}

// Three applications, one named like markup (a file name cannot hold a slash), and the page
// shown over them.
struct ShownPage {
    test::ApplicationsHarness harness;
    std::string editor =
        harness.bundle(harness.machine + "/Editor.app", "org.example.editor", "2.1", 40'000);
    std::string markup = harness.bundle(harness.own + "/<b>x<br>.app", "org.example.x", {}, 9000);
    std::string viewer =
        harness.bundle(harness.own + "/Viewer.app", "org.example.viewer", "1.0", 2000);
    std::string broken = test::writeBundle(harness.machine + "/Broken.app", "org.example.broken");
    std::unique_ptr<ApplicationsPage> page;

    // `more` plain applications beside the three.
    explicit ShownPage(bool settle = true, const std::vector<RemovedApplication>& removed = {},
                       int more = 0)
    {
        for (int item = 1; item <= more; ++item) {
            harness.bundle(harness.own + "/Tool " + std::to_string(item) + ".app",
                           "org.example.tool" + std::to_string(item), "1." + std::to_string(item),
                           std::size_t(item) * 3000);
        }
        page = showPage(harness, removed);
        if (settle) {
            harness.settle();
            test::deliverEvents();
        }
    }

    template <class T = QWidget>
    T& find(const QString& name) const
    {
        return findIn<T>(*page, name);
    }
    VirtualList& list() const { return find<VirtualList>(QStringLiteral("applicationList")); }
    ApplicationRow* row(std::size_t index) const
    {
        return static_cast<ApplicationRow*>(list().rowAt(index));
    }
    // The names on the rows built, in the list's order.
    std::vector<QString> names() const
    {
        std::vector<QString> shown;
        if (!list().isVisibleTo(page.get())) {
            return shown;
        }
        for (QWidget* built : list().rows()) {
            shown.push_back(built->findChild<ElidedLabel*>(QStringLiteral("name"))->text());
        }
        return shown;
    }
};

TEST(ApplicationsPage, ShowingListsOnceLargestFirstAndShowsNamesLiterally)
{
    ShownPage shown;
    AppModel& model = *shown.harness.model;
    ASSERT_EQ(model.applications().size(), 3U);
    EXPECT_EQ(shown.names(), (std::vector<QString>{shownName("Editor"), shownName("<b>x<br>"),
                                                   shownName("Viewer")})); // rows in layout order
    EXPECT_EQ(shown.find<ElidedLabel>(QStringLiteral("count")).text(), QStringLiteral("3"));
    EXPECT_TRUE(shown.find(QStringLiteral("sortApplications")).isEnabled());
    EXPECT_FALSE(shown.find(QStringLiteral("emptyState")).isVisibleTo(shown.page.get()));
    EXPECT_EQ(shown.find<TextBlock>(QStringLiteral("issueCount")).text(),
              QStringLiteral("1 application inaccessible."));
    EXPECT_EQ(shown.page->findChildren<TextBlock*>(QStringLiteral("applicationIssue")).size(), 1);

    // A search narrows the list; the rows that stay are the same widgets.
    ApplicationRow* editorRow = shown.row(0);
    QTest::keyClicks(&shown.find<QLineEdit>(QStringLiteral("search")), QStringLiteral("EDIT"));
    test::deliverEvents();
    EXPECT_EQ(shown.names(), std::vector<QString>{shownName("Editor")});
    EXPECT_EQ(shown.row(0), editorRow);

    // Nothing is older than 30 days when no last use is known: the empty state says so.
    auto& age = shown.find<QComboBox>(QStringLiteral("age"));
    age.setCurrentIndex(1);
    emit age.activated(1);
    test::deliverEvents();
    EXPECT_TRUE(shown.names().empty());
    EXPECT_TRUE(shown.find(QStringLiteral("emptyState")).isVisibleTo(shown.page.get()));
    EXPECT_FALSE(shown.find(QStringLiteral("sortApplications")).isEnabled());

    // The reveal button hands the bundle to the file manager.
    auto& search = shown.find<QLineEdit>(QStringLiteral("search"));
    QTest::keyClick(&search, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&search, Qt::Key_Backspace);
    emit age.activated(0);
    test::deliverEvents();
    EXPECT_EQ(shown.names().size(), 3U);
    auto* reveal = shown.row(0)->findChild<QWidget*>(QStringLiteral("reveal"));
    QTest::mouseClick(reveal, Qt::LeftButton);
    EXPECT_EQ(shown.harness.revealer.revealed, std::vector<std::string>{shown.editor});
}

// Two bundles of one name in two folders: each row's controls name its own, with its folder.
TEST(ApplicationsPage, TwoApplicationsOfOneNameAreNeverReadAlike)
{
    test::ApplicationsHarness harness;
    harness.bundle(harness.machine + "/Viewer.app", "org.example.viewer", "1.0", 2000);
    harness.bundle(harness.own + "/Viewer.app", "org.example.viewer.own", "1.1", 3000);
    const auto page = showPage(harness, {});
    harness.settle();
    test::deliverEvents();
    QStringList heard;
    for (QWidget* row : findIn<VirtualList>(*page, QStringLiteral("applicationList")).rows()) {
        QWidget& reveal = findIn<QWidget>(*row, QStringLiteral("reveal"));
        heard << QAccessible::queryAccessibleInterface(&reveal)->text(QAccessible::Description);
    }
    heard.sort();
    ASSERT_EQ(heard.size(), 2);
    // Each with its version, its folder and what the row shows after them.
    const QString machine = "Viewer, 1.0, " + QString::fromStdString(harness.machine) + ", ";
    const QString own = "Viewer, 1.1, " + QString::fromStdString(harness.own) + ", ";
    EXPECT_TRUE(heard[0].startsWith(machine) || heard[0].startsWith(own))
        << heard.join(" | ").toStdString();
    EXPECT_TRUE(heard[1].startsWith(machine) || heard[1].startsWith(own))
        << heard.join(" | ").toStdString();
    EXPECT_NE(heard[0].left(machine.size()), heard[1].left(machine.size()));
    EXPECT_TRUE(heard[0].contains(", Dernière ouverture inconnue, ")) << heard[0].toStdString();
}

TEST(ApplicationsPage, StopReturnsTheRefreshButtonAtOnceAndAPageOpenedMeanwhileStartsNothing)
{
    ShownPage shown(false);
    AppModel& model = *shown.harness.model;
    ASSERT_TRUE(model.scanningApplications());
    EXPECT_TRUE(shown.find(QStringLiteral("progress")).isVisibleTo(shown.page.get()));
    EXPECT_FALSE(shown.find(QStringLiteral("refresh")).isVisibleTo(shown.page.get()));
    EXPECT_FALSE(shown.find(QStringLiteral("emptyState")).isVisibleTo(shown.page.get()));

    // A second page while the inventory runs does not start another one; it only has the
    // running applications read again.
    const std::size_t jobs = shown.harness.executor->pending(Priority::utility);
    ApplicationsPage second(shown.harness.pageServices());
    test::deliverEvents();
    EXPECT_EQ(shown.harness.executor->pending(Priority::utility), jobs);

    // Pressed from the keyboard, "Arrêter" hands the focus to "Actualiser" in its place.
    shown.page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shown.page.get()));
    auto& stop = shown.find<QPushButton>(QStringLiteral("stop"));
    stop.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&stop, Qt::Key_Space);
    EXPECT_FALSE(model.scanningApplications());
    test::deliverEvents();
    EXPECT_TRUE(shown.find(QStringLiteral("refresh")).isVisibleTo(shown.page.get()));
    EXPECT_TRUE(shown.find(QStringLiteral("refresh")).hasFocus());
    EXPECT_FALSE(shown.find(QStringLiteral("progress")).isVisibleTo(shown.page.get()));
    shown.harness.settle();
    EXPECT_TRUE(model.applications().empty());
}

TEST(ApplicationsPage, SortingHandsTheModelOnlyWhatTheDeckWouldTakeInTheListsOrder)
{
    ShownPage shown;
    AppModel& model = *shown.harness.model;
    shown.harness.runningApplications = {shown.viewer};
    model.refreshRunningApplications();
    shown.harness.settle();
    test::deliverEvents();
    ApplicationRow* viewerRow = shown.row(2);
    EXPECT_TRUE(viewerRow->findChild<QWidget*>(QStringLiteral("running"))->isVisibleTo(viewerRow));
    EXPECT_FALSE(viewerRow->findChild<QWidget*>(QStringLiteral("examine"))->isVisibleTo(viewerRow));

    QTest::mouseClick(&shown.find(QStringLiteral("sortApplications")), Qt::LeftButton);
    shown.harness.settle();
    ASSERT_TRUE(model.sessionActive());
    EXPECT_EQ(test::pathsOf(model.pending().remaining()),
              (std::vector<std::string>{shown.editor, shown.markup}));
    test::deliverEvents();
    EXPECT_FALSE(shown.find(QStringLiteral("sortApplications")).isEnabled());
    EXPECT_FALSE(shown.row(0)->findChild<QWidget*>(QStringLiteral("examine"))->isEnabled());
}

// Many applications in the machine's folder, all empty but one of the system's; many folders
// left behind by as many removed applications. The page is shown over them.
struct LongLists {
    static constexpr int count = 10'000;
    test::ApplicationsHarness harness;
    std::string locked;
    std::unique_ptr<ApplicationsPage> page;

    LongLists()
    {
        std::vector<RemovedApplication> removed;
        for (int item = 0; item < count - 1; ++item) {
            std::filesystem::create_directory(harness.machine + "/" + numbered("App ", item) +
                                              ".app");
        }
        locked = test::writeBundle(harness.machine + "/Locked.app", "com.apple.locked");
        for (int item = 0; item < count; ++item) {
            const std::string identifier = numbered("org.example.gone", item);
            removed.push_back({identifier, identifier + ".app", "/opt/Gone.app"});
            harness.leftData(".cache", identifier, std::size_t(item) + 1);
        }
        page = showPage(harness, removed);
    }

    // Every job, however many rounds the lists take, then what the page queued.
    void settle()
    {
        do {
            harness.settle();
        } while (harness.executor->pending() > 0);
        test::deliverEvents();
    }
    void waitForCount(int applications)
    {
        const QString wanted = QString::number(applications);
        QElapsedTimer waited;
        waited.start();
        while (find<ElidedLabel>(QStringLiteral("count")).text() != wanted &&
               waited.elapsed() < 10'000) {
            QTest::qWait(5);
        }
        test::deliverEvents(); // and what taking them in queued
        EXPECT_EQ(find<ElidedLabel>(QStringLiteral("count")).text(), wanted);
    }
    // The page as it stands, in dark and in light, for people to look at.
    void pictures(const QString& name) const
    {
        const test::SchemeScope restore;
        for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
            AppearanceApplier().apply(appearance);
            test::deliverEvents();
            const QImage shot = page->grab().toImage();
            EXPECT_EQ(shot.pixelColor(4, 4), Theme::color(Theme::bg));
            EXPECT_TRUE(
                shot.save(test::screenshotFolder() + "/" + name +
                          (appearance == AppAppearance::dark ? "-dark.png" : "-light.png")));
        }
    }
    static std::string numbered(const std::string& prefix, int item)
    {
        std::string digits = std::to_string(item);
        return prefix + std::string(5 - digits.size(), '0') + digits;
    }
    template <class T = QWidget>
    T& find(const QString& name) const
    {
        return findIn<T>(*page, name);
    }
    VirtualList& applications() const
    {
        return find<VirtualList>(QStringLiteral("applicationList"));
    }
    VirtualList& leftovers() const { return find<VirtualList>(QStringLiteral("appDataEntries")); }
    // The item whose row holds the focus in `list`.
    static std::optional<std::size_t> focusedItem(const VirtualList& list)
    {
        for (QWidget* at = QApplication::focusWidget(); at != nullptr; at = at->parentWidget()) {
            if (at->parentWidget() == &list) {
                return list.indexOf(*at);
            }
        }
        return std::nullopt;
    }
    void scrollTo(int value)
    {
        page->verticalScrollBar()->setValue(value);
        test::deliverEvents();
    }
    // What a row shows of its item's standing: "lock", "open" or "examine".
    static std::string marks(const QWidget& row)
    {
        std::string shown;
        for (const auto& [name, mark] :
             {std::pair("protected", "lock"), std::pair("running", "open"),
              std::pair("examine", "examine")}) {
            if (row.findChild<QWidget*>(QString::fromLatin1(name))->isVisibleTo(&row)) {
                shown += mark;
            }
        }
        return shown;
    }
    static QString nameOn(const QWidget& row)
    {
        return row.findChild<ElidedLabel*>(QStringLiteral("name"))->text();
    }
    // How its controls name the row's application: with what the row shows of it, as drawn.
    static QString readOn(const QWidget& row)
    {
        const auto text = [&](const char* name) {
            return row.findChild<ElidedLabel*>(QString::fromLatin1(name))->text();
        };
        QStringList shown{nameOn(row)};
        if (text("version") != QStringLiteral("\u2014")) {
            shown << text("version");
        }
        shown << text("folder") << text("lastUse") << text("size");
        if (row.findChild<QWidget*>(QStringLiteral("protected"))->isVisibleTo(&row)) {
            shown << QStringLiteral("Application protégée");
        }
        if (row.findChild<QWidget*>(QStringLiteral("running"))->isVisibleTo(&row)) {
            shown << text("running");
        }
        return shown.join(", ");
    }
};

TEST(ApplicationsPage, TenThousandApplicationsAndLeftoverFoldersBuildOnlyTheRowsInSight)
{
    LongLists shown;
    AppModel& model = *shown.harness.model;
    shown.settle();
    ASSERT_EQ(model.applications().size(), std::size_t(LongLists::count));
    EXPECT_EQ(shown.find<ElidedLabel>(QStringLiteral("count")).text(), QStringLiteral("10000"));
    VirtualList& applications = shown.applications();
    EXPECT_EQ(applications.count(), std::size_t(LongLists::count));
    EXPECT_LT(shown.page->findChildren<ApplicationRow*>().size(), 40);
    // Largest first, then by path: the system's bundle leads.
    EXPECT_EQ(LongLists::nameOn(*applications.rowAt(0)), shownName("Locked"));
    EXPECT_EQ(LongLists::nameOn(*applications.rowAt(1)), shownName("App 00000"));

    QTest::mouseClick(&shown.find(QStringLiteral("disclosure")), Qt::LeftButton);
    QTest::mouseClick(&shown.find(QStringLiteral("searchAppData")), Qt::LeftButton);
    shown.settle();
    ASSERT_EQ(model.appData().entries.size(), std::size_t(LongLists::count));
    EXPECT_EQ(shown.leftovers().count(), std::size_t(LongLists::count));
    shown.pictures(QStringLiteral("applications-leftovers-10000"));
    EXPECT_LT(shown.page->findChildren<AppDataRow*>().size(), 60);
    EXPECT_LT(shown.page->findChildren<ApplicationRow*>().size(), 40);

    // Open above the applications scrolled to their middle, the leftovers are the stop after
    // the search: the keys reach each, ringed and in sight, and Tab leaves them for the
    // applications, on their first row.
    shown.scrollTo(shown.page->verticalScrollBar()->maximum() / 2);
    QWidget* left = test::walkList(
        {*shown.page, *shown.page, shown.find(QStringLiteral("searchAppData")),
         model.appData().entries.size(), [&] { return LongLists::focusedItem(shown.leftovers()); },
         [] { test::deliverEvents(); },
         [&](std::size_t item) { return appDataTitle(model.appData().entries[item]); }});
    EXPECT_TRUE(left != nullptr && applications.rowAt(0)->isAncestorOf(left));
    EXPECT_LT(shown.page->findChildren<AppDataRow*>().size(), 60);
    EXPECT_TRUE(shown.page->grab().save(test::screenshotFolder() +
                                        "/applications-leftovers-10000-keyboard.png"));

    // The largest leftovers come first; a row scrolled out and back shows its own item.
    const std::vector<AppDataEntry>& found = model.appData().entries;
    const auto titleOn = [&](std::size_t item) {
        return shown.leftovers()
            .rowAt(item)
            ->findChild<ElidedLabel*>(QStringLiteral("title"))
            ->text();
    };
    shown.scrollTo(0);
    EXPECT_EQ(titleOn(0), appDataTitle(found[0]));
    EXPECT_EQ(found[0].size, LongLists::count);
    QTest::mouseClick(&shown.find(QStringLiteral("disclosure")), Qt::LeftButton);
    test::deliverEvents();

    // The applications are the stop after the closed section, the same way.
    left = test::walkList(
        {*shown.page, *shown.page, shown.find(QStringLiteral("disclosure")),
         std::size_t(LongLists::count), [&] { return LongLists::focusedItem(applications); },
         [] { test::deliverEvents(); },
         [&](std::size_t item) { return LongLists::readOn(*applications.rowAt(item)); }});
    EXPECT_NE(left, nullptr);
    EXPECT_LT(shown.page->findChildren<ApplicationRow*>().size(), 40);
}

// The number of items a list held when the page around it was first painted.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& page, const VirtualList& list)
        : page_(page)
        , list_(list)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    std::optional<std::size_t> listed() const { return listed_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !listed_ && watched->isWidgetType() &&
            (watched == &page_ || page_.isAncestorOf(static_cast<QWidget*>(watched)))) {
            listed_ = list_.count();
        }
        return false;
    }

private:
    QWidget& page_;
    const VirtualList& list_;
    std::optional<std::size_t> listed_;
};

// Coming back to ten thousand applications, the page is painted before it orders them and builds
// their rows, which it does in the next turn of the event loop; a page over a few does it at once.
TEST(ApplicationsPage, ComingBackToALongListPaintsThePageBeforeOrderingIt)
{
    LongLists shown;
    shown.settle();
    shown.page.reset();
    ApplicationsPage again(shown.harness.pageServices());
    const auto& list = findIn<VirtualList>(again, QStringLiteral("applicationList"));
    const FirstPaint painted(again, list);
    again.resize(900, 1300);
    again.show();
    QElapsedTimer waited;
    waited.start();
    while (list.count() < std::size_t(LongLists::count) && waited.elapsed() < 10'000) {
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(painted.listed().has_value());
    EXPECT_EQ(*painted.listed(), 0U);
    EXPECT_EQ(list.count(), std::size_t(LongLists::count));
    EXPECT_EQ(findIn<ElidedLabel>(again, QStringLiteral("count")).text(), QStringLiteral("10000"));
    EXPECT_EQ(LongLists::nameOn(*list.rowAt(0)), shownName("Locked"));

    ShownPage few;
    few.page.reset();
    ApplicationsPage back(few.harness.pageServices());
    const FirstPaint paintedFew(back, findIn<VirtualList>(back, QStringLiteral("applicationList")));
    back.resize(900, 1300);
    back.show();
    test::deliverEvents();
    EXPECT_EQ(paintedFew.listed(), few.harness.model->applications().size());
    EXPECT_GT(few.harness.model->applications().size(), 0U);
}

TEST(ApplicationsPage, RowsScrolledOutAndBackShowTheirOwnApplicationsMarks)
{
    LongLists shown;
    AppModel& model = *shown.harness.model;
    shown.settle();
    shown.harness.runningApplications = {shown.harness.machine + "/App 00001.app"};
    model.refreshRunningApplications();
    shown.settle();
    VirtualList& list = shown.applications();
    const auto marksAt = [&](std::size_t item) { return LongLists::marks(*list.rowAt(item)); };
    EXPECT_EQ(marksAt(0), "lock");
    EXPECT_EQ(marksAt(1), "examine");
    EXPECT_EQ(marksAt(2), "open");
    EXPECT_EQ(marksAt(3), "examine");
    // Each row is heard with its mark too.
    const auto heardAt = [&](std::size_t item) {
        return list.rowAt(item)
            ->findChild<QWidget*>(QStringLiteral("reveal"))
            ->accessibleDescription();
    };
    EXPECT_TRUE(heardAt(0).endsWith(", Application protégée")) << heardAt(0).toStdString();
    EXPECT_TRUE(heardAt(2).endsWith(", Ouverte")) << heardAt(2).toStdString();
    EXPECT_FALSE(heardAt(1).endsWith(", Ouverte") || heardAt(1).contains("protégée"));
    const std::vector<QWidget*> top = list.rows();
    shown.pictures(QStringLiteral("applications-10000"));

    // At the bottom, the same widgets show other applications, each with its own marks.
    shown.scrollTo(shown.page->verticalScrollBar()->maximum());
    EXPECT_EQ(list.rowAt(0), nullptr);
    std::size_t reused = 0;
    for (QWidget* row : list.rows()) {
        reused += std::count(top.begin(), top.end(), row);
        EXPECT_EQ(LongLists::marks(*row), "examine");
    }
    EXPECT_GT(reused, 0U);
    EXPECT_EQ(LongLists::nameOn(*list.rows().back()), shownName("App 09998"));

    shown.scrollTo(0);
    EXPECT_EQ(marksAt(0), "lock");
    EXPECT_EQ(marksAt(1), "examine");
    EXPECT_EQ(marksAt(2), "open");
    EXPECT_EQ(LongLists::nameOn(*list.rowAt(2)), shownName("App 00001"));

    // A search keeps each application's marks, and so does the list found once it is left,
    // the running ones having changed meanwhile.
    auto* search = shown.page->findChild<QLineEdit*>(QStringLiteral("search"));
    QTest::keyClicks(search, QStringLiteral("App 00001"));
    shown.settle();
    EXPECT_EQ(LongLists::nameOn(*list.rowAt(0)), shownName("App 00001"));
    EXPECT_EQ(marksAt(0), "open");
    shown.harness.runningApplications = {shown.harness.machine + "/App 00003.app"};
    model.refreshRunningApplications();
    shown.settle();
    EXPECT_EQ(marksAt(0), "examine");
    EXPECT_FALSE(heardAt(0).endsWith(", Ouverte"));
    search->selectAll();
    QTest::keyClick(search, Qt::Key_Backspace);
    shown.settle();
    EXPECT_EQ(marksAt(0), "lock");
    EXPECT_EQ(marksAt(2), "examine");
    EXPECT_EQ(marksAt(4), "open");

    // A decision under way disables every "Examiner", in sight or not.
    QTest::mouseClick(list.rowAt(1)->findChild<QWidget*>(QStringLiteral("examine")),
                      Qt::LeftButton);
    test::deliverEvents();
    ASSERT_TRUE(model.sessionActive());
    EXPECT_FALSE(list.rowAt(3)->findChild<QWidget*>(QStringLiteral("examine"))->isEnabled());
    shown.scrollTo(shown.page->verticalScrollBar()->maximum() / 2);
    for (QWidget* row : list.rows()) {
        EXPECT_FALSE(row->findChild<QWidget*>(QStringLiteral("examine"))->isEnabled());
    }
}

TEST(ApplicationsPage, MarksComeJudgedWithTheRecordsAndARunningChangeRereadsNoBundle)
{
    test::ApplicationsHarness harness;
    const std::string real = harness.folder.makeFolder("elsewhere");
    harness.bundle(real + "/Linked.app", "org.example.linked", "1.0", 50'000);
    harness.bundle(real + "/Other.app", "org.example.other", "1.0", 40'000);
    harness.bundle(harness.machine + "/Vendor.app", "com.apple.vendor", "1.0", 30'000);
    const std::string linked = harness.folder.link(real, "home/Linked");
    harness.applicationRoots.push_back(linked);
    const std::string resolved = std::filesystem::canonical(real).string();
    // Running from where the link leads, as the process table tells it.
    harness.runningApplications = {resolved + "/Linked.app"};
    const std::unique_ptr<ApplicationsPage> page = showPage(harness, {});
    harness.settle();
    test::deliverEvents();
    const auto marks = [](const ApplicationsPage& shown) {
        const auto& list = findIn<VirtualList>(shown, QStringLiteral("applicationList"));
        std::vector<std::string> made;
        for (std::size_t item = 0; item < list.count(); ++item) {
            made.push_back(LongLists::marks(*list.rowAt(item)));
        }
        return made;
    };
    ASSERT_EQ(findIn<VirtualList>(*page, QStringLiteral("applicationList")).count(), 3U);
    EXPECT_EQ(marks(*page), (std::vector<std::string>{"open", "examine", "lock"}));

    // Were the bundles judged again, the link gone, none would lead where the running ones are.
    std::filesystem::remove(linked);
    harness.runningApplications = {resolved + "/Other.app", harness.machine + "/Vendor.app"};
    harness.model->refreshRunningApplications();
    // One reading of the processes, nothing for each bundle.
    EXPECT_EQ(harness.executor->pending(), 1U);
    harness.settle();
    test::deliverEvents();
    EXPECT_EQ(marks(*page), (std::vector<std::string>{"examine", "open", "lock"}));
    EXPECT_TRUE(findIn<QWidget>(*page, QStringLiteral("sortApplications")).isEnabled());

    // Coming back to the page judges nothing anew either.
    ApplicationsPage again(harness.pageServices());
    again.resize(900, 1300);
    again.show();
    harness.settle();
    test::deliverEvents();
    EXPECT_EQ(marks(again), (std::vector<std::string>{"examine", "open", "lock"}));
}

// Counts the layouts asked of each row while it lives.
class LayoutCounter : public QObject {
public:
    std::map<const QObject*, int> requests;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::LayoutRequest) {
            ++requests[watched];
        }
        return QObject::eventFilter(watched, event);
    }
};

TEST(ApplicationsPage, AnApplicationListedLastTouchesOnlyItsOwnRow)
{
    LongLists shown;
    AppModel& model = *shown.harness.model;
    // Listed after the others, the largest: it goes to the top, over the rows already there.
    shown.harness.bundle(shown.harness.own + "/Big.app", "org.example.big", "1.0", 100'000);
    while (model.applications().size() < std::size_t(LongLists::count)) {
        ASSERT_TRUE(shown.harness.executor->runNext());
        QCoreApplication::sendPostedEvents();
    }
    // While bundles keep coming, the page takes them in together, a moment later.
    shown.waitForCount(LongLists::count);
    VirtualList& list = shown.applications();
    ASSERT_EQ(list.count(), std::size_t(LongLists::count));
    std::map<QWidget*, QString> before;
    LayoutCounter layouts;
    for (QWidget* row : list.rows()) {
        before[row] = LongLists::nameOn(*row);
        row->installEventFilter(&layouts);
    }

    while (model.applications().size() == std::size_t(LongLists::count)) {
        ASSERT_TRUE(shown.harness.executor->runNext());
        QCoreApplication::sendPostedEvents();
    }
    shown.waitForCount(LongLists::count + 1);
    ASSERT_EQ(list.count(), std::size_t(LongLists::count) + 1);
    EXPECT_EQ(LongLists::nameOn(*list.rowAt(0)), shownName("Big"));
    EXPECT_EQ(LongLists::nameOn(*list.rowAt(1)), shownName("Locked"));
    EXPECT_EQ(shown.find<ElidedLabel>(QStringLiteral("count")).text(), QStringLiteral("10001"));
    std::size_t shownAnew = 0;
    for (QWidget* row : list.rows()) {
        const auto held = before.find(row);
        if (held == before.end() || held->second != LongLists::nameOn(*row)) {
            ++shownAnew;
            continue;
        }
        // Moved down by one, never laid out again.
        EXPECT_EQ(layouts.requests[row], 0) << LongLists::nameOn(*row).toStdString();
    }
    EXPECT_EQ(shownAnew, 1U);
}

void takePicture(AppAppearance appearance, const QString& file)
{
    const test::SchemeScope restore;
    AppearanceApplier().apply(appearance);
    // Ten of each.
    std::vector<RemovedApplication> removed;
    for (int item = 0; item < 10; ++item) {
        const std::string identifier = "org.example.gone" + std::to_string(item);
        removed.push_back({identifier, "Gone " + std::to_string(item) + ".app", "/opt/Gone.app"});
    }
    ShownPage shown(true, removed, 7);
    for (int item = 0; item < 10; ++item) {
        shown.harness.leftData(item % 2 == 0 ? ".cache" : ".config",
                               "org.example.gone" + std::to_string(item),
                               3'000'000 / std::size_t(item + 1));
    }
    shown.harness.runningApplications = {shown.viewer};
    shown.harness.model->refreshRunningApplications();
    shown.harness.settle();
    QTest::mouseClick(&shown.find(QStringLiteral("disclosure")), Qt::LeftButton);
    shown.harness.model->inspectAppData();
    shown.harness.settle();
    test::deliverEvents();
    // The inspector, open, shows in the same picture.
    ASSERT_EQ(shown.find<VirtualList>(QStringLiteral("appDataEntries")).rows().size(), 10U);
    const QImage shot = shown.page->grab().toImage();
    // The page background shows through; a row is drawn on the panel colour.
    EXPECT_EQ(shot.pixelColor(4, 4), Theme::color(Theme::bg));
    const QWidget* row = shown.row(0);
    const QPoint inside = row->mapTo(shown.page.get(), QPoint(row->width() / 2, 6));
    EXPECT_EQ(shot.pixelColor(inside), Theme::color(Theme::panel));
    const QString shots = test::screenshotFolder();
    EXPECT_TRUE(shot.save(shots + "/" + file));
}

TEST(ApplicationsPage, Pictures)
{
    takePicture(AppAppearance::dark, QStringLiteral("applications-dark.png"));
    takePicture(AppAppearance::light, QStringLiteral("applications-light.png"));
}

} // namespace
} // namespace tollenvane
