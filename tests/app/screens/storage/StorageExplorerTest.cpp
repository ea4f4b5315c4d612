#include "app/screens/storage/StorageExplorer.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/EmptyState.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/ShownName.h"
#include "app/design/SpokenNotice.h"
#include "app/design/TextBlock.h"
#include "app/kit/PageScaffold.h"
#include "app/kit/VirtualList.h"
#include "app/screens/storage/ExplorerRules.h"
#include "app/screens/storage/StorageRow.h"
#include "app/screens/storage/TreemapView.h"
#include "core/localisation/Formatting.h"
#include "design/SchemeScope.h"
#include "preview/Waiting.h"
#include "screens/storage/ScannedDesk.h"
#include "support/AccessibleEvents.h"
#include "support/FocusRingPixels.h"
#include "support/ListKeys.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QToolTip>

namespace tollenvane {
namespace {

using test::ScannedDesk;

struct OpenExplorer {
    ScannedDesk desk;
    QWidget window;
    StorageExplorer* explorer;

    explicit OpenExplorer(const std::string& through = {})
        : desk(through)
    {
        explorer = new StorageExplorer(desk.model(), desk.revealer, 8, &window);
        window.resize(760, 900);
        explorer->resize(740, explorer->heightForWidth(740));
        window.show();
        desk.settle();
    }

    template <class T>
    T& find(const char* name) const
    {
        T* found = explorer->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    TreemapView& map() const { return find<TreemapView>("treemap"); }
    // The nodes the list holds, built or not.
    std::size_t listed() const { return find<VirtualList>("storageList").count(); }
    std::vector<StorageRow*> rows() const
    {
        std::vector<StorageRow*> shown;
        for (StorageRow* row : explorer->findChildren<StorageRow*>()) {
            if (row->isVisibleTo(&window)) {
                shown.push_back(row);
            }
        }
        return shown;
    }
    StorageRow& row(std::string_view name) const
    {
        for (StorageRow* row : rows()) {
            if (row->node().name == name) {
                return *row;
            }
        }
        ADD_FAILURE() << name;
        return *rows().front();
    }
    // The middle of the block standing for the node called `name`.
    QPoint blockOf(std::string_view name) const
    {
        for (const TreemapRect& rect : map().layout()) {
            if (map().tiles()[rect.index].name == name) {
                return ExplorerRules::blockFrame(rect).center().toPoint();
            }
        }
        ADD_FAILURE() << name;
        return {};
    }
    void click(QWidget& widget, QPoint at = {})
    {
        QTest::mouseClick(&widget, Qt::LeftButton, {}, at.isNull() ? widget.rect().center() : at);
        desk.settle();
    }
};

TEST(StorageExplorer, OpensFoldersFromTheMapPreviewsFilesAndGoesBackUp)
{
    OpenExplorer open;
    AppModel& model = open.desk.model();
    ASSERT_EQ(model.storagePath(), std::nullopt);
    ASSERT_EQ(open.map().tiles().size(), 1U); // the source itself
    open.click(open.map(), open.blockOf("Projects"));
    ASSERT_EQ(model.storagePath(), open.desk.source);
    EXPECT_EQ(open.find<ElidedLabel>("folderName").text(), shownName("Projects"));

    // Five children listed; the empty file has no block.
    EXPECT_EQ(open.rows().size(), 5U);
    EXPECT_EQ(open.map().tiles().size(), 5U);
    EXPECT_EQ(open.map().layout().size(), 4U);
    EXPECT_EQ(open.map().tiles().front().name, "Films");
    EXPECT_FALSE(open.row("Notes").findChild<QWidget*>("sortButton")->isHidden());
    EXPECT_TRUE(open.row("sea.jpg").findChild<QWidget*>("sortButton")->isHidden());
    EXPECT_EQ(open.row("sea.jpg").findChild<StorageRowButton*>()->symbol(), "photo");

    // A file opens its preview through the model.
    open.click(open.map(), open.blockOf("sea.jpg"));
    ASSERT_TRUE(model.inspectedFile().has_value());
    EXPECT_EQ(model.inspectedFile()->path(), open.desk.path("sea.jpg"));
    model.clearInspectedFile();

    // Down two levels, then up one by one: the source is the last stop before the top.
    open.click(open.map(), open.blockOf("Films"));
    open.click(*open.row("Cuts").findChild<StorageRowButton*>());
    EXPECT_EQ(model.storagePath(), open.desk.path("Films/Cuts"));
    auto& up = open.find<PlainButton>("parentButton");
    open.click(up);
    EXPECT_EQ(model.storagePath(), open.desk.path("Films"));
    open.click(up);
    EXPECT_EQ(model.storagePath(), open.desk.source);
    open.click(up);
    EXPECT_EQ(model.storagePath(), std::nullopt);
    EXPECT_TRUE(open.find<PlainButton>("parentButton").isHidden());
}

TEST(StorageExplorer, GoingBackWorksForASourceChosenThroughALink)
{
    OpenExplorer open("home/Shortcut");
    AppModel& model = open.desk.model();
    ASSERT_EQ(model.state().sources.size(), 1U);
    model.openStorageFolder(open.desk.path("Films/Cuts"));
    open.desk.settle();
    ASSERT_FALSE(model.storageNodes().empty());
    open.click(open.find<PlainButton>("parentButton"));
    EXPECT_EQ(model.storagePath(), open.desk.path("Films"));
    open.click(open.find<PlainButton>("parentButton"));
    EXPECT_EQ(model.storagePath(), open.desk.source);
}

TEST(StorageExplorer, RowsSortRevealAndShowNamesLiterally)
{
    OpenExplorer open;
    AppModel& model = open.desk.model();
    model.openStorageFolder(open.desk.source);
    open.desk.settle();

    StorageRow& marked = open.row("<b>bold<br>.txt");
    // Heard with the size it shows, as are the row's other controls.
    const QString heard = spokenText(shownName("<b>bold<br>.txt") + ", " +
                                     QString::fromStdString(formattedBytes(marked.node().bytes)));
    EXPECT_EQ(marked.findChild<StorageRowButton*>()->accessibleName(), heard);
    EXPECT_EQ(marked.findChild<PlainButton*>("revealButton")->accessibleDescription(), heard);
    open.click(*marked.findChild<PlainButton*>("revealButton"));
    EXPECT_EQ(open.desk.revealer.revealed, std::vector{open.desk.path("<b>bold<br>.txt")});
    open.click(open.find<PlainButton>("revealFolderButton"));
    EXPECT_EQ(open.desk.revealer.revealed.back(), open.desk.source);

    // The block's tool tip shows the name as written.
    const QPoint block = open.blockOf("<b>bold<br>.txt");
    QHelpEvent help(QEvent::ToolTip, block, open.map().mapToGlobal(block));
    QCoreApplication::sendEvent(&open.map(), &help);
    QTextDocument shown;
    shown.setHtml(QToolTip::text());
    EXPECT_TRUE(shown.toPlainText().startsWith(shownName("<b>bold<br>.txt") + " \u00B7 "));
    QToolTip::hideText();

    open.click(*open.row("Notes").findChild<PlainButton*>("sortButton"));
    EXPECT_EQ(model.page(), Page::setup);
    SessionFilter expected;
    expected.largestFirst = true;
    expected.folderPath = open.desk.path("Notes");
    EXPECT_EQ(model.filter(), expected);
}

TEST(StorageExplorer, TheCaptionFollowsTheBlockTheArrowsChoose)
{
    OpenExplorer open;
    open.desk.model().openStorageFolder(open.desk.source);
    open.desk.settle();
    const auto caption = [] {
        QTextDocument shown;
        shown.setHtml(QToolTip::text());
        return QToolTip::isVisible() ? shown.toRawText() : QString();
    };
    const auto described = [&](std::size_t position) {
        return blockDescription(open.map().tiles()[open.map().layout()[position].index]);
    };

    // The pointer rests on the first block; the arrows then choose the next ones, and back.
    const QPoint rest = open.blockOf("Films");
    QHelpEvent help(QEvent::ToolTip, rest, open.map().mapToGlobal(rest));
    QCoreApplication::sendEvent(&open.map(), &help);
    EXPECT_EQ(caption(), described(0));
    open.map().setFocus();
    for (const auto& [key, position] : {std::pair{Qt::Key_Right, std::size_t{1}},
                                        {Qt::Key_Down, std::size_t{2}},
                                        {Qt::Key_Left, std::size_t{1}}}) {
        QTest::keyClick(&open.map(), key);
        EXPECT_EQ(caption(), described(position)) << position;
    }
    QToolTip::hideText();
}

// The map is heard block by block as the arrows reach them, and folder by folder as Return and
// the breadcrumb go into them and back out; a scan that only reads the folder again says nothing.
TEST(StorageExplorer, TheMapIsHeardBlockByBlockAndFolderByFolder)
{
    OpenExplorer open;
    AppModel& model = open.desk.model();
    model.openStorageFolder(open.desk.source);
    open.desk.settle();
    TreemapView& map = open.map();
    const auto block = [&](std::size_t position) {
        return spokenText(blockDescription(map.nodeAt(position)));
    };
    QAccessibleInterface* reading = QAccessible::queryAccessibleInterface(&map);
    ASSERT_EQ(reading->childCount(), 4); // the empty file has no block
    EXPECT_EQ(reading->role(), QAccessible::List);
    EXPECT_EQ(reading->text(QAccessible::Name), localized("Carte de vos dossiers"));
    EXPECT_EQ(reading->child(1)->text(QAccessible::Name), block(1));
    EXPECT_EQ(reading->indexOfChild(reading->child(2)), 2);

    open.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&open.window));
    test::AccessibleEvents told;
    const auto focused = [&] {
        QStringList names;
        for (const test::ToldEvent& event : told.about(&map, QAccessible::Focus)) {
            names << event.name;
        }
        return names;
    };
    const auto notices = [&] {
        QStringList names;
        for (const test::ToldEvent& event : told.events()) {
            if (event.type == QAccessible::ObjectShow &&
                qobject_cast<SpokenNotice*>(event.object.data()) != nullptr) {
                names << event.name;
            }
        }
        return names;
    };
    map.setFocus();
    ASSERT_TRUE(told.waitFor(&map, QAccessible::Focus, [&](const test::ToldEvent& event) {
        return event.name == block(0);
    })) << told.transcript();
    EXPECT_EQ(focused().back(), block(0));
    EXPECT_EQ(reading->focusChild()->text(QAccessible::Name), block(0));
    EXPECT_TRUE(reading->focusChild()->state().focused);
    QTest::keyClick(&map, Qt::Key_Right);
    EXPECT_EQ(focused().back(), block(1));
    EXPECT_FALSE(reading->child(0)->state().focused);
    QTest::keyClick(&map, Qt::Key_Left);
    EXPECT_EQ(focused().back(), block(0));
    ASSERT_EQ(map.nodeAt(0).name, "Films");

    // Into Films from the keyboard: the folder, then its largest block.
    told.clear();
    QTest::keyClick(&map, Qt::Key_Return);
    open.desk.settle();
    ASSERT_TRUE(told.waitFor(&map, QAccessible::Focus)) << told.transcript();
    EXPECT_EQ(notices(), QStringList{spokenText(
                             folderDescription(open.desk.path("Films"), model.storageNodes()))});
    EXPECT_TRUE(notices().front().startsWith(QStringLiteral("Films \u00B7 ")));
    EXPECT_EQ(map.nodeAt(0).name, "rush.mov");
    EXPECT_EQ(focused(), QStringList{block(0)});

    // The folder read again by a scan is not heard again.
    model.openStorageFolder(model.storagePath());
    open.desk.settle();
    EXPECT_EQ(notices().size(), 1) << told.transcript();

    // Back out from the breadcrumb, whose button keeps the focus: the folder now shown is heard.
    open.click(open.find<PlainButton>("parentButton"));
    ASSERT_EQ(notices().size(), 2) << told.transcript();
    EXPECT_TRUE(notices().back().startsWith(QStringLiteral("Projects \u00B7 ")));
    open.click(open.find<PlainButton>("allSourcesButton"));
    ASSERT_EQ(notices().size(), 3) << told.transcript();
    EXPECT_TRUE(notices().back().startsWith(localized("Toutes les sources")));

    // A block is pressed as a click presses it.
    QAccessibleInterface* top = QAccessible::queryAccessibleInterface(&map)->child(0);
    ASSERT_NE(top, nullptr);
    top->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    open.desk.settle();
    EXPECT_EQ(model.storagePath(), open.desk.source);
}

// The caption the arrows showed goes with the block Enter opens, rather than stay over the page
// that follows.
TEST(StorageExplorer, OpeningABlockTakesItsCaptionAway)
{
    OpenExplorer open;
    AppModel& model = open.desk.model();
    model.openStorageFolder(open.desk.source);
    open.desk.settle();
    ASSERT_EQ(open.map().tiles().front().name, "Films");
    open.map().setFocus();
    QTest::keyClick(&open.map(), Qt::Key_Right);
    QTest::keyClick(&open.map(), Qt::Key_Left);
    ASSERT_TRUE(QToolTip::isVisible());
    QTest::keyClick(&open.map(), Qt::Key_Return);
    // A tool tip fades out; one left behind stays its full ten seconds.
    EXPECT_TRUE(test::processUntil([] { return !QToolTip::isVisible(); }, 5000));
    open.desk.settle();
    EXPECT_EQ(model.storagePath(), open.desk.path("Films"));
}

// The caption wraps a long name, but never a size between its number and its unit.
TEST(StorageExplorer, TheCaptionNeverBreaksASize)
{
    OpenExplorer open;
    open.desk.model().openStorageFolder(open.desk.source);
    open.desk.settle();
    const QPoint rest = open.blockOf("Films");
    QHelpEvent help(QEvent::ToolTip, rest, open.map().mapToGlobal(rest));
    QCoreApplication::sendEvent(&open.map(), &help);
    QTextDocument caption;
    caption.setHtml(QToolTip::text());
    QToolTip::hideText();
    const qsizetype unit = caption.toRawText().lastIndexOf(QChar::Nbsp);
    ASSERT_GT(unit, 0) << caption.toRawText().toStdString();
    // Lines narrower than the size: every other space is taken to break at.
    caption.setTextWidth(QFontMetricsF(caption.defaultFont()).horizontalAdvance("00"));
    ASSERT_GT(caption.size().height(), 0);
    const QTextLayout& lines = *caption.begin().layout();
    EXPECT_GT(lines.lineCount(), 2);
    EXPECT_EQ(lines.lineForTextPosition(static_cast<int>(unit) - 1).lineNumber(),
              lines.lineForTextPosition(static_cast<int>(unit) + 1).lineNumber());
}

TEST(StorageExplorer, TheOthersBlockWidensTheListAndTheFooterShortensIt)
{
    OpenExplorer open;
    for (int n = 0; n < 40; ++n) {
        open.desk.harness.folder.write("home/Projects/Many/file " + std::to_string(n) + ".bin",
                                       std::string(static_cast<std::size_t>(1000 + n), 'x'));
    }
    open.desk.model().scan();
    open.desk.settle();
    open.desk.model().openStorageFolder(open.desk.path("Many"));
    open.desk.settle();
    ASSERT_EQ(open.map().tiles().size(), 33U);
    EXPECT_EQ(open.rows().size(), 8U);
    auto& more = open.find<PlainButton>("moreButton");
    auto& less = open.find<PlainButton>("lessButton");
    EXPECT_TRUE(more.isVisibleTo(&open.window));
    EXPECT_FALSE(less.isVisibleTo(&open.window));

    open.click(open.map(), open.blockOf("Autres éléments"));
    EXPECT_EQ(open.explorer->visibleLimit(), 40);
    EXPECT_EQ(open.listed(), 40U);
    EXPECT_FALSE(more.isVisibleTo(&open.window));
    open.click(less);
    EXPECT_EQ(open.listed(), 8U);
    EXPECT_EQ(open.rows().size(), 8U);
    EXPECT_EQ(open.desk.model().storagePath(), open.desk.path("Many"));

    // From the keyboard, the button that goes hands the focus to the one taking its place.
    QApplication::setActiveWindow(&open.window);
    more.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&more, Qt::Key_Space);
    open.desk.settle();
    ASSERT_EQ(open.listed(), 40U);
    EXPECT_TRUE(less.hasFocus());
    QTest::keyClick(&less, Qt::Key_Space);
    open.desk.settle();
    EXPECT_EQ(open.listed(), 8U);
    EXPECT_TRUE(more.hasFocus());
}

TEST(StorageExplorer, TenThousandRowsKeepAFewWidgetsThatFollowTheirNodesAndTheKeys)
{
    ScannedDesk desk;
    for (int n = 0; n < 10'000; ++n) {
        const std::string size(static_cast<std::size_t>(100 + n), 'x');
        // Every tenth node is a folder, which alone can be sorted.
        if (n % 10 == 0) {
            desk.harness.folder.write("home/Projects/Many/folder " + std::to_string(n) + "/in.bin",
                                      size);
        } else {
            desk.harness.folder.write("home/Projects/Many/file " + std::to_string(n) + ".bin",
                                      size);
        }
    }
    desk.model().scan();
    desk.settle();
    // The explorer on a page that scrolls, every row listed.
    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    auto owned = std::make_unique<PageScaffold>(Page::space, 24, 36);
    PageScaffold& page = *owned;
    auto* explorer = new StorageExplorer(desk.model(), desk.revealer, 10'008);
    page.addBlock(explorer);
    page.resize(900, 800);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    desk.model().openStorageFolder(desk.path("Many"));
    desk.settle();
    const std::vector<StorageNode>& nodes = desk.model().storageNodes();
    ASSERT_EQ(nodes.size(), 10'000U);
    ASSERT_EQ(explorer->findChild<VirtualList*>("storageList")->count(), 10'000U);
    const auto bounded = [&] { return explorer->findChildren<StorageRow*>().size() < 60; };
    EXPECT_TRUE(bounded());

    // Each row built shows its own node: a folder offers "Trier", a file does not.
    const auto built = [&] {
        std::vector<StorageRow*> rows;
        for (StorageRow* row : explorer->findChildren<StorageRow*>()) {
            if (row->isVisible()) {
                rows.push_back(row);
            }
        }
        return rows;
    };
    const auto showsItsNode = [&](const StorageRow& row) {
        const auto node = std::find_if(nodes.begin(), nodes.end(), [&](const StorageNode& each) {
            return each.id == row.node().id;
        });
        return node != nodes.end() && row.node() == *node &&
               row.findChild<QWidget*>("sortButton")->isVisibleTo(&row) == node->directory;
    };
    QScrollBar& bar = *page.verticalScrollBar();
    for (const int at : {bar.maximum(), bar.maximum() / 2, 0}) {
        bar.setValue(at);
        desk.settle();
        EXPECT_TRUE(bounded());
        ASSERT_FALSE(built().empty());
        for (const StorageRow* row : built()) {
            EXPECT_TRUE(showsItsNode(*row)) << row->node().name;
        }
    }
    const auto rowOf = [&](const QWidget* control) {
        return qobject_cast<StorageRow*>(control->parentWidget());
    };
    const auto indexOf = [&](const StorageRow* row) {
        return std::find_if(nodes.begin(), nodes.end(),
                            [&](const StorageNode& each) { return each.id == row->node().id; }) -
               nodes.begin();
    };

    // The rows are one stop after the map: the keys reach each, ringed and in sight, then Tab
    // leaves them for the footer.
    const VirtualList& list = *explorer->findChild<VirtualList*>("storageList");
    // Known by the node its row shows.
    const auto focusedRow = [&]() -> std::optional<std::size_t> {
        const QWidget* focus = QApplication::focusWidget();
        const StorageRow* row = focus == nullptr ? nullptr : rowOf(focus);
        return row == nullptr ? std::nullopt
                              : std::optional(static_cast<std::size_t>(indexOf(row)));
    };
    bar.setValue(bar.maximum() / 2);
    desk.settle();
    QWidget* left =
        test::walkList({page, page, *explorer->findChild<TreemapView*>("treemap"), nodes.size(),
                        focusedRow, [&] { desk.settle(); },
                        [&](std::size_t item) {
                            return shownName(nodes[item].name) + ", " +
                                   QString::fromStdString(formattedBytes(nodes[item].bytes));
                        }});
    auto* less = explorer->findChild<PlainButton*>("lessButton");
    auto* more = explorer->findChild<PlainButton*>("moreButton");
    ASSERT_EQ(left, less);
    EXPECT_TRUE(bounded());

    // Shortened from the keyboard, the list hands the focus to "Afficher plus d’éléments",
    // which the page brings into sight; shown again, it stays in sight under the longer list.
    less->setFocus(Qt::TabFocusReason);
    desk.settle();
    QTest::keyClick(less, Qt::Key_Space);
    desk.settle();
    ASSERT_EQ(list.count(), 8U);
    ASSERT_EQ(QApplication::focusWidget(), more);
    const auto moreInSight = [&] {
        return page.viewport()->rect().contains(
            QRect(more->mapTo(page.viewport(), QPoint()), more->size()));
    };
    EXPECT_TRUE(moreInSight());
    EXPECT_GE(test::ringPixels(page, *more), 20);
    QTest::keyClick(more, Qt::Key_Space);
    desk.settle();
    ASSERT_EQ(list.count(), 108U);
    EXPECT_EQ(QApplication::focusWidget(), more);
    EXPECT_TRUE(moreInSight());
    EXPECT_TRUE(
        page.grab().save(test::screenshotFolder() + "/storage-explorer-10000-keyboard.png"));

    const test::SchemeScope restore;
    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        AppearanceApplier().apply(appearance);
        bar.setValue(bar.maximum() / 2);
        desk.settle();
        EXPECT_TRUE(page.grab().save(test::screenshotFolder() + "/storage-explorer-10000-" +
                                     QString::fromStdString(std::string(rawValue(appearance))) +
                                     ".png"));
    }

    // Leaving the page leaves nothing of it behind.
    owned.reset();
    desk.settle();
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

TEST(StorageExplorer, AnEmptyFolderShowsThePlaceholderOnly)
{
    OpenExplorer open;
    open.desk.harness.folder.makeFolder("home/Projects/Nothing");
    open.desk.model().openStorageFolder(open.desk.path("Nothing"));
    open.desk.settle();
    EXPECT_TRUE(open.find<EmptyState>("emptyMap").isVisibleTo(&open.window));
    EXPECT_EQ(open.find<EmptyState>("emptyMap").findChild<TextBlock*>("title")->text(),
              QStringLiteral("Aucun fichier dans cette vue."));
    EXPECT_FALSE(open.map().isVisibleTo(&open.window));
    EXPECT_TRUE(open.rows().empty());
    EXPECT_TRUE(open.find<PlainButton>("parentButton").isVisibleTo(&open.window));
}

TEST(StorageExplorer, PicturesInDarkAndLight)
{
    const test::SchemeScope restore;
    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        AppearanceApplier().apply(appearance);
        OpenExplorer open;
        // A name too long for two lines loses its middle.
        open.desk.harness.folder.write(
            "home/Projects/Holiday video of the whole family at the seaside in the summer of "
            "2024, final export for the cousins.mov",
            std::string(300'000, 'v'));
        open.desk.model().scan();
        open.desk.settle();
        open.desk.model().openStorageFolder(open.desk.source);
        open.desk.settle();
        QMouseEvent hover(QEvent::MouseMove, open.blockOf("Films"), open.blockOf("Films"),
                          Qt::NoButton, {}, {});
        QCoreApplication::sendEvent(&open.map(), &hover);
        ASSERT_EQ(open.map().hovered(), 0U);

        const QImage map = open.map().grab().toImage();
        // Nothing is drawn in the outer gutter, and the largest block starts after it.
        const QColor background = map.pixelColor(0, 0);
        for (int x = 0; x < map.width(); x += 7) {
            EXPECT_EQ(map.pixelColor(x, 0), background) << x;
            EXPECT_EQ(map.pixelColor(x, map.height() - 1), background) << x;
        }
        EXPECT_NE(map.pixelColor(open.blockOf("Films")), background);
        const QString shots = test::screenshotFolder();
        open.explorer->resize(740, open.explorer->sizeHint().height());
        const QString name = appearance == AppAppearance::dark ? "dark" : "light";
        EXPECT_TRUE(open.explorer->grab().save(shots + "/storage-explorer-" + name + ".png"));
    }
}

} // namespace
} // namespace tollenvane
