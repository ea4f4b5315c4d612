#include "app/screens/duplicates/DuplicatesPage.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/design/Theme.h"
#include "app/kit/VirtualList.h"
#include "app/screens/duplicates/DuplicateFileRow.h"
#include "app/screens/duplicates/DuplicateGroupPanel.h"
#include "app/shell/RootView.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "design/SchemeScope.h"
#include "kit/FocusTold.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "screens/storage/ScannedDesk.h"
#include "support/DeliverEvents.h"
#include "support/HeardGroup.h"
#include "support/ListKeys.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>

namespace tollenvane {
namespace {

QString shownFolder(const std::string& path)
{
    return shownName(QDir::cleanPath(QString::fromStdString(path) + "/.."));
}

// What the page shows of its children of type `Widget` named `name`, top to bottom.
template <class Widget>
QList<Widget*> shown(const QWidget& page, const char* name = nullptr)
{
    QList<Widget*> widgets = name == nullptr
                                 ? page.findChildren<Widget*>()
                                 : page.findChildren<Widget*>(QString::fromLatin1(name));
    widgets.removeIf([&](const Widget* widget) { return !widget->isVisibleTo(&page); });
    std::sort(widgets.begin(), widgets.end(), [&](const Widget* one, const Widget* other) {
        return one->mapTo(&page, QPoint()).y() < other->mapTo(&page, QPoint()).y();
    });
    return widgets;
}

// The row that shows `path`, if one does.
DuplicateFileRow* rowOf(const QWidget& page, const std::string& path)
{
    const QString name = shownName(QString::fromStdString(path).section('/', -1));
    for (auto* row : shown<DuplicateFileRow>(page)) {
        if (row->findChild<ElidedLabel*>("nameText")->text() == name &&
            row->findChild<ElidedLabel*>("folderText")->text() == shownFolder(path)) {
            return row;
        }
    }
    return nullptr;
}

QAbstractButton& button(QWidget& row, const char* name)
{
    return *row.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

// The copy whose row holds the focus, counted across the groups in their order.
std::optional<std::size_t> focusedCopy(const QWidget& page, const AppModel& model)
{
    const auto* groups = page.findChild<VirtualList*>(QStringLiteral("groupList"));
    const QWidget* focus = QApplication::focusWidget();
    const auto* row =
        focus == nullptr ? nullptr : qobject_cast<DuplicateFileRow*>(focus->parentWidget());
    if (row == nullptr || !groups->isAncestorOf(row)) {
        return std::nullopt;
    }
    const auto* copies = qobject_cast<VirtualList*>(row->parentWidget());
    QWidget* panel = copies->parentWidget();
    while (panel != nullptr && qobject_cast<DuplicateGroupPanel*>(panel) == nullptr) {
        panel = panel->parentWidget();
    }
    if (panel == nullptr) {
        return std::nullopt;
    }
    const std::optional<std::size_t> group = groups->indexOf(*panel);
    const std::optional<std::size_t> copy = copies->indexOf(*row);
    if (!group || !copy) {
        return std::nullopt;
    }
    std::size_t before = 0;
    for (std::size_t each = 0; each < *group; ++each) {
        before += model.duplicateGroups()[each].files.size();
    }
    return before + *copy;
}

// A copy's name, folder and size, as its row's controls tell them.
QString shownCopy(const FileRecord& file)
{
    const QString path =
        QString::fromUtf8(file.path().data(), static_cast<qsizetype>(file.path().size()));
    return shownName(path.section('/', -1)) + ", " + shownFolder(path.toStdString()) + ", " +
           QString::fromStdString(formattedBytes(file.size()));
}

// A window that shows a page under a button, from which Tab enters the page.
struct Framed {
    QWidget window;
    QPushButton* before = new QPushButton(QStringLiteral("Before"), &window);

    void show(QWidget& page)
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(before);
        layout->addWidget(&page, 1);
        window.resize(900, 760);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        test::deliverEvents();
    }
};

// Three copies of a photo, two of a note whose name looks like markup and two of a file whose
// name reverses what follows it, indexed; the page shown.
struct DuplicatesScreen : test::SortingHarness {
    std::string photo = std::string(40'000, 'p');
    std::string first = folder.write("home/Pictures/beach.jpg", photo);
    std::string second = folder.write("home/Pictures/beach copy.jpg", photo);
    std::string third = folder.write("home/Pictures/2024/beach.jpg", photo);
    std::string note =
        folder.write("home/Pictures/<img src=x> <b>y<b>.txt", std::string(3000, 'n'));
    std::string noteCopy =
        folder.write("home/Pictures/notes/<img src=x> <b>y<b>.txt", std::string(3000, 'n'));
    std::string reversed = folder.write("home/Pictures/\u202Etxt.exe", std::string(2000, 'r'));
    std::string reversedCopy =
        folder.write("home/Pictures/notes/\u202Etxt.exe", std::string(2000, 'r'));
    AppModel& model = loadScanned();
    AppLanguage language;
    // The window paints the background, as the shell's does.
    QWidget window;
    DuplicatesPage page{model, &window};

    explicit DuplicatesScreen(AppLanguage spoken = AppLanguage::fr)
        : language(speak(spoken))
    {
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(&page);
        window.resize(900, 900);
        window.show();
        // The keyboard reaches the active window only.
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        test::deliverEvents();
    }

    AppLanguage speak(AppLanguage spoken)
    {
        Preferences preferences = model.state().preferences;
        preferences.language = spoken;
        model.setPreferences(preferences);
        return spoken;
    }
    QWidget& named(const char* name) const
    {
        auto* widget = page.findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    void search()
    {
        QTest::mouseClick(&named("searchButton"), Qt::LeftButton);
        settle();
        test::deliverEvents();
    }
    DuplicateFileRow& row(const std::string& path) const
    {
        DuplicateFileRow* found = rowOf(page, path);
        if (found == nullptr) {
            ADD_FAILURE() << "no row for " << path;
            throw std::runtime_error("no row");
        }
        return *found;
    }
};

TEST(DuplicatesPage, TheEmptyStateOffersASearchThatShowsItsProgressThenTheGroups)
{
    DuplicatesScreen screen;
    EXPECT_TRUE(screen.named("emptyState").isVisible());
    EXPECT_TRUE(screen.named("searchButton").isEnabled());
    EXPECT_FALSE(screen.named("progressPanel").isVisible());
    EXPECT_FALSE(screen.named("groupList").isVisible());

    screen.model.scan();
    test::deliverEvents();
    EXPECT_FALSE(screen.named("searchButton").isEnabled());
    screen.settle();
    test::deliverEvents();
    ASSERT_TRUE(screen.named("searchButton").isEnabled());

    QTest::mouseClick(&screen.named("searchButton"), Qt::LeftButton);
    ASSERT_TRUE(screen.model.findingDuplicates());
    test::deliverEvents();
    EXPECT_TRUE(screen.named("progressPanel").isVisible());
    EXPECT_FALSE(screen.named("emptyState").isVisible());
    EXPECT_FALSE(screen.named("searchButton").isVisible());
    EXPECT_EQ(static_cast<ElidedLabel&>(screen.named("progressText")).text(),
              QStringLiteral("Préparation…"));
    screen.settle();
    test::deliverEvents();

    EXPECT_FALSE(screen.named("progressPanel").isVisible());
    EXPECT_FALSE(screen.named("emptyState").isVisible());
    EXPECT_FALSE(screen.named("searchButton").isVisible());
    const auto panels = shown<DuplicateGroupPanel>(screen.page);
    ASSERT_EQ(panels.size(), 3);
    // The photos free the most and come first, their copies by path.
    EXPECT_EQ(panels.front()->findChild<ElidedLabel*>("copiesText")->text(),
              QStringLiteral("3 copies identiques"));
    EXPECT_EQ(shown<DuplicateFileRow>(*panels.front()),
              (QList<DuplicateFileRow*>{&screen.row(screen.third), &screen.row(screen.second),
                                        &screen.row(screen.first)}));
    // A name that looks like markup shows as it is; one that reverses the text shows its mark.
    EXPECT_TRUE(screen.row(screen.note).isVisible());
    EXPECT_TRUE(screen.row(screen.noteCopy).isVisible());
    EXPECT_TRUE(screen.row(screen.reversed)
                    .findChild<ElidedLabel*>("nameText")
                    ->text()
                    .contains(QStringLiteral("<U+202E>txt.exe")));

    // A new search shows its panel above the groups it will replace, which keep their panels.
    QTest::mouseClick(&button(screen.row(screen.first), "previewButton"), Qt::LeftButton);
    screen.model.findDuplicates();
    test::deliverEvents();
    EXPECT_TRUE(screen.named("progressPanel").isVisible());
    EXPECT_EQ(shown<DuplicateGroupPanel>(screen.page), panels);
    QTest::mouseClick(&screen.named("cancelButton"), Qt::LeftButton);
    EXPECT_FALSE(screen.model.findingDuplicates());
    screen.settle();
    test::deliverEvents();
    EXPECT_FALSE(screen.named("progressPanel").isVisible());
    EXPECT_EQ(shown<DuplicateGroupPanel>(screen.page), panels);
    ASSERT_TRUE(screen.model.inspectedFile());
    EXPECT_EQ(screen.model.inspectedFile()->path(), screen.first);
}

TEST(DuplicatesPage, KeepingACopySortsTheOthersAndThenNoCopyCanBeKept)
{
    DuplicatesScreen screen;
    screen.search();
    for (auto* keep : shown<QAbstractButton>(screen.page, "keepButton")) {
        EXPECT_TRUE(keep->isEnabled());
    }

    QTest::mouseClick(&button(screen.row(screen.second), "keepButton"), Qt::LeftButton);
    screen.settle();
    test::deliverEvents();
    EXPECT_TRUE(screen.model.sessionActive());
    EXPECT_EQ(screen.cardPaths(), (std::vector<std::string>{screen.third, screen.first}));
    const auto entries = screen.journalEntries();
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries.front().path, screen.second);
    EXPECT_EQ(entries.front().stamp->decision, Decision::keep);

    const auto keeps = shown<QAbstractButton>(screen.page, "keepButton");
    ASSERT_EQ(keeps.size(), 7);
    for (auto* keep : keeps) {
        EXPECT_FALSE(keep->isEnabled());
    }
}

TEST(DuplicatesPage, TabAndTheArrowsGoFromControlToControlAndReturnActs)
{
    DuplicatesScreen screen;
    screen.search();
    QAbstractButton& start = button(screen.row(screen.third), "previewButton");
    start.setFocus(Qt::TabFocusReason);
    const auto focused = [] { return QApplication::focusWidget(); };
    const auto key = [&](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(focused(), pressed, modifiers);
        test::deliverEvents();
    };

    // Tab goes to the row's other control; Down and Up keep to it, from copy to copy and from
    // the last copy of a group to the first of the next.
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), &button(screen.row(screen.third), "keepButton"));
    key(Qt::Key_Down);
    EXPECT_EQ(focused(), &button(screen.row(screen.second), "keepButton"));
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), &button(screen.row(screen.second), "previewButton"));
    key(Qt::Key_Down);
    EXPECT_EQ(focused(), &button(screen.row(screen.first), "previewButton"));
    // Each copy is heard under its group's header, and with its size.
    const QString photoGroup = test::heardGroup(*focused());
    EXPECT_EQ(photoGroup, "3 copies identiques, " +
                              spokenText(QString::fromStdString(formattedBytes(80'000))) +
                              " récupérables");
    EXPECT_TRUE(focused()->accessibleDescription().endsWith(
        ", " + spokenText(QString::fromStdString(formattedBytes(40'000)))));
    key(Qt::Key_Down);
    EXPECT_TRUE(test::heardGroup(*focused()).startsWith("2 copies identiques, "));
    const QString nextGroupFirst =
        static_cast<ElidedLabel*>(focused()->parentWidget()->findChild<ElidedLabel*>("nameText"))
            ->text();
    EXPECT_NE(focused()->parentWidget(), &screen.row(screen.first));
    EXPECT_EQ(focused()->objectName(), QStringLiteral("previewButton"));
    EXPECT_FALSE(nextGroupFirst.isEmpty());
    key(Qt::Key_Up);
    EXPECT_EQ(focused(), &button(screen.row(screen.first), "previewButton"));
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), &button(screen.row(screen.first), "keepButton"));

    // Every control is named for assistive technology and tells which file it acts on.
    for (auto* control : shown<QAbstractButton>(screen.page)) {
        if (screen.page.findChild<QWidget*>("groupList")->isAncestorOf(control)) {
            EXPECT_FALSE(control->accessibleName().isEmpty());
            EXPECT_FALSE(control->accessibleDescription().isEmpty());
        }
    }

    key(Qt::Key_Down);
    key(Qt::Key_Up);
    key(Qt::Key_Up);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focused(), &button(screen.row(screen.second), "previewButton"));
    key(Qt::Key_Return);
    screen.settle();
    ASSERT_TRUE(screen.model.inspectedFile());
    EXPECT_EQ(screen.model.inspectedFile()->path(), screen.second);
    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    screen.settle();
    EXPECT_TRUE(screen.model.sessionActive());
    EXPECT_EQ(screen.journalEntries().front().path, screen.second);
}

// Its card, pressed from the keyboard, opens the page on the search, which then finds the copies:
// the focus goes straight to the first copy, not through the card's neighbours on the page that
// goes, the search's Cancel or the sidebar, each of which a screen reader would speak.
TEST(DuplicatesPage, OpenedFromItsCardTheFocusGoesStraightToTheFirstCopy)
{
    test::ScannedDesk desk;
    AppModel& model = desk.model();
    desk.harness.folder.write("home/Projects/one.bin", std::string(70'000, 'd'));
    desk.harness.folder.write("home/Projects/two.bin", std::string(70'000, 'd'));
    model.scan();
    desk.settle();
    model.navigate(Page::space);
    RootView view(model);
    view.resize(1200, 840);
    view.show();
    QApplication::setActiveWindow(&view);
    desk.settle();
    auto* card = view.findChild<QWidget*>(QStringLiteral("duplicatesCard"));
    card->setFocus(Qt::TabFocusReason);
    const test::FocusTold told;
    QTest::keyClick(card, Qt::Key_Space);
    desk.settle();
    ASSERT_EQ(model.duplicateGroups().size(), 1U);
    ASSERT_EQ(told.told().size(), 1U) << told.transcript();
    EXPECT_EQ(told.told().front(), QApplication::focusWidget());
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("previewButton"));
    EXPECT_TRUE(view.findChild<QWidget*>(QStringLiteral("groupList"))
                    ->isAncestorOf(QApplication::focusWidget()));
}

TEST(DuplicatesPage, ThousandsOfGroupsKeepAFewPanelsThatFollowTheScrollAndTheKeys)
{
    constexpr int groups = 3000;
    test::SortingHarness harness;
    for (int index = 0; index < groups; ++index) {
        const std::string content = "group " + std::to_string(index);
        const std::string folder =
            "home/Pictures/" + std::to_string(index / 100) + "/" + std::to_string(index % 100);
        harness.folder.write(folder + "/a.txt", content);
        harness.folder.write(folder + "/b.txt", content);
    }
    AppModel& model = harness.loadScanned();
    model.findDuplicates();
    harness.settle();
    ASSERT_EQ(model.duplicateGroups().size(), static_cast<std::size_t>(groups));

    Framed framed;
    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    auto page = std::make_unique<DuplicatesPage>(model);
    framed.show(*page);
    const auto bounded = [&] { return page->findChildren<QWidget*>().size() < 300; };
    EXPECT_TRUE(bounded());

    QScrollBar& bar = *page->verticalScrollBar();
    for (const int at : {bar.maximum() / 2, bar.maximum()}) {
        bar.setValue(at);
        test::deliverEvents();
        EXPECT_TRUE(bounded());
    }
    // The end of the page shows the last group's copies, as the model lists them.
    const DuplicateGroup& last = model.duplicateGroups().back();
    const auto panels = shown<DuplicateGroupPanel>(*page);
    ASSERT_FALSE(panels.isEmpty());
    const QRect lastPanel(panels.back()->mapTo(page->viewport(), QPoint()), panels.back()->size());
    EXPECT_TRUE(page->viewport()->rect().contains(lastPanel));
    const auto rows = shown<DuplicateFileRow>(*panels.back());
    ASSERT_EQ(rows.size(), 2);
    for (int index = 0; index < 2; ++index) {
        const std::string path(last.files[static_cast<std::size_t>(index)].path());
        EXPECT_EQ(rows[index], rowOf(*page, path)) << path;
    }

    // The groups and their copies are one stop: the keys reach each copy, from group to group,
    // ringed and in sight.
    QWidget* left =
        test::walkList({framed.window, *page, *framed.before, static_cast<std::size_t>(2 * groups),
                        [&] { return focusedCopy(*page, model); }, [] { test::deliverEvents(); },
                        [&](std::size_t item) {
                            return shownCopy(model.duplicateGroups()[item / 2].files[item % 2]);
                        }});
    EXPECT_EQ(left, framed.before);
    EXPECT_TRUE(bounded());
    EXPECT_TRUE(
        framed.window.grab().save(test::screenshotFolder() + "/duplicates-groups-keyboard.png"));

    // From the top, Down walks row after row and the page follows the focus.
    bar.setValue(0);
    test::deliverEvents();
    button(*shown<DuplicateFileRow>(*page).front(), "previewButton").setFocus(Qt::TabFocusReason);
    for (int step = 0; step < 40; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        test::deliverEvents();
    }
    const std::string twentiethGroup(model.duplicateGroups()[20].files.front().path());
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(rowOf(*page, twentiethGroup), nullptr);
    EXPECT_EQ(focus, &button(*rowOf(*page, twentiethGroup), "previewButton"));
    EXPECT_TRUE(page->viewport()->rect().contains(focus->mapTo(page->viewport(), QPoint())));
    EXPECT_TRUE(bounded());
    QTest::keyClick(focus, Qt::Key_Return);
    harness.settle();
    ASSERT_TRUE(model.inspectedFile());
    EXPECT_EQ(model.inspectedFile()->path(), twentiethGroup);

    // Leaving the page leaves nothing of it behind.
    page.reset();
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

TEST(DuplicatesPage, TenThousandCopiesOfOneGroupKeepAFewRowsThatFollowTheirCopy)
{
    constexpr int copies = 10'000;
    test::SortingHarness harness;
    for (int index = 0; index < copies; ++index) {
        harness.folder.write("home/Pictures/" + std::to_string(index / 100) + "/copy " +
                                 std::to_string(index) + ".txt",
                             "the same content");
    }
    AppModel& model = harness.loadScanned();
    model.findDuplicates();
    harness.settle();
    ASSERT_EQ(model.duplicateGroups().size(), 1U);
    const std::vector<FileRecord>& files = model.duplicateGroups().front().files;
    ASSERT_EQ(files.size(), static_cast<std::size_t>(copies));

    Framed framed;
    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    auto page = std::make_unique<DuplicatesPage>(model);
    framed.show(*page);
    const auto bounded = [&] { return page->findChildren<DuplicateFileRow*>().size() < 40; };
    EXPECT_TRUE(bounded());
    // Each row built shows its own copy, in the group's order, and what it may do.
    const auto indexOf = [&](const DuplicateFileRow* row) {
        for (std::size_t index = 0; index < files.size(); ++index) {
            if (rowOf(*page, std::string(files[index].path())) == row) {
                return static_cast<std::ptrdiff_t>(index);
            }
        }
        return std::ptrdiff_t{-1};
    };
    // The rows in sight, in order, and the current one wherever it is, show what they may do.
    const auto checkShown = [&](bool keepEnabled) {
        auto rows = shown<DuplicateFileRow>(*page);
        for (const DuplicateFileRow* row : rows) {
            EXPECT_EQ(row->findChild<QAbstractButton*>("keepButton")->isEnabled(), keepEnabled);
        }
        rows.removeIf([&](const DuplicateFileRow* row) {
            return !page->viewport()->rect().intersects(
                QRect(row->mapTo(page->viewport(), QPoint()), row->size()));
        });
        ASSERT_FALSE(rows.isEmpty());
        std::ptrdiff_t previous = indexOf(rows.front()) - 1;
        for (const DuplicateFileRow* row : rows) {
            const std::ptrdiff_t index = indexOf(row);
            EXPECT_EQ(index, previous + 1);
            previous = index;
        }
    };
    QScrollBar& bar = *page->verticalScrollBar();
    for (const int at : {bar.maximum(), bar.maximum() / 2, 0}) {
        bar.setValue(at);
        test::deliverEvents();
        EXPECT_TRUE(bounded());
        checkShown(true);
    }
    {
        const test::SchemeScope restore;
        bar.setValue(bar.maximum() / 2);
        for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
            AppearanceApplier().apply(appearance);
            test::deliverEvents();
            EXPECT_TRUE(page->grab().save(test::screenshotFolder() + "/duplicates-copies-10000-" +
                                          QString::fromUtf8(rawValue(appearance)) + ".png"));
        }
        bar.setValue(0);
        test::deliverEvents();
    }

    // The copies are one stop: the keys reach each, ringed and in sight, and Down walks them in
    // their order, the page following.
    QWidget* left =
        test::walkList({framed.window, *page, *framed.before, static_cast<std::size_t>(copies),
                        [&] { return focusedCopy(*page, model); }, [] { test::deliverEvents(); },
                        [&](std::size_t item) { return shownCopy(files[item]); }});
    EXPECT_EQ(left, framed.before);
    for (std::size_t index = 4; index < 40; ++index) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        test::deliverEvents();
        EXPECT_EQ(focusedCopy(*page, model), index);
        EXPECT_EQ(
            indexOf(qobject_cast<DuplicateFileRow*>(QApplication::focusWidget()->parentWidget())),
            static_cast<std::ptrdiff_t>(index));
        const QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(page->viewport()->rect().contains(
            QRect(focus->mapTo(page->viewport(), QPoint()), focus->size())));
    }
    EXPECT_GT(bar.value(), 0);
    EXPECT_TRUE(bounded());

    // A session started meanwhile disables keeping on every row, those scrolled in included.
    harness.startSortingAll();
    test::deliverEvents();
    ASSERT_TRUE(model.sessionActive());
    QApplication::focusWidget()->clearFocus();
    for (const int at : {bar.maximum(), 0}) {
        bar.setValue(at);
        test::deliverEvents();
        checkShown(false);
    }

    // Leaving the page leaves nothing of it behind.
    page.reset();
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

TEST(DuplicatesPage, PicturesInBothAppearancesAndTwoLanguages)
{
    const test::SchemeScope restore;
    const AppLanguage language = Localization::language();
    AppearanceApplier applier;
    const QString folder = test::screenshotFolder();
    for (const auto& [appearance, spoken, file] :
         {std::tuple{AppAppearance::dark, AppLanguage::fr, "duplicates-dark.png"},
          std::tuple{AppAppearance::light, AppLanguage::fr, "duplicates-light.png"},
          std::tuple{AppAppearance::dark, AppLanguage::en, "duplicates-dark-en.png"},
          std::tuple{AppAppearance::light, AppLanguage::en, "duplicates-light-en.png"}}) {
        applier.apply(appearance);
        DuplicatesScreen screen(spoken);
        screen.search();
        screen.model.findDuplicates();
        test::deliverEvents();
        // The keyboard's place shows on the keep button of the first copy.
        QAbstractButton& focused = button(screen.row(screen.third), "keepButton");
        QAbstractButton& preview = button(screen.row(screen.third), "previewButton");
        preview.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&preview, Qt::Key_Tab);
        test::deliverEvents();
        ASSERT_TRUE(focused.hasFocus());
        const QImage picture = screen.window.grab().toImage();
        EXPECT_TRUE(picture.save(folder + "/" + file));
        // Two buttons alike but for the focus ring.
        EXPECT_NE(focused.grab().toImage(),
                  button(screen.row(screen.second), "keepButton").grab().toImage());
        auto* panel = shown<DuplicateGroupPanel>(screen.page).at(0);
        const QPoint inside = panel->mapTo(&screen.window, QPoint(8, panel->height() / 2));
        EXPECT_EQ(picture.pixelColor(inside), Theme::color(Theme::panel));
        EXPECT_EQ(picture.pixelColor(4, 4), Theme::color(Theme::bg));
        screen.model.cancelDuplicates();
    }
    Localization::setLanguage(language);
}

} // namespace
} // namespace tollenvane
