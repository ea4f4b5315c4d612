#include "app/kit/VirtualList.h"

#include "app/kit/ButtonArrows.h"
#include "app/kit/RowStack.h"
#include "app/kit/RowStops.h"
#include "app/kit/RowText.h"
#include "kit/FocusTold.h"
#include "support/DeliverEvents.h"
#include "support/FocusRingPixels.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

TEST(RowStack, EveryRowComesIntoSightEvenPastTheTallestWidget)
{
    // A short list scrolls pixel for pixel.
    RowStack few(24, 16'777'215);
    few.assign({100, 200, 100});
    EXPECT_EQ(few.height(), 448);
    const RowStack::InSight middle = few.inSight(130, 50);
    EXPECT_EQ(middle.first, 1U);
    EXPECT_EQ(middle.end, 2U);
    EXPECT_EQ(few.topOf(1, middle), 124);
    // With the list below the top of the view, the first rows stand where they are.
    const RowStack::InSight above = few.inSight(-300, 450);
    EXPECT_EQ(above.first, 0U);
    EXPECT_EQ(above.end, 2U);
    EXPECT_EQ(few.topOf(0, above), 0);

    // 200,000 rows are taller than a widget may be: the first still starts at the top and the
    // last ends at the bottom, and a view anywhere sees rows that touch one another.
    constexpr int tallest = 16'777'215;
    RowStack many(24, tallest);
    many.assign(std::vector<int>(200'000, 170));
    EXPECT_EQ(many.height(), tallest);
    const RowStack::InSight top = many.inSight(0, 800);
    EXPECT_EQ(top.first, 0U);
    EXPECT_EQ(many.topOf(0, top), 0);
    const RowStack::InSight bottom = many.inSight(tallest - 800, 800);
    EXPECT_EQ(bottom.end, 200'000U);
    EXPECT_EQ(many.topOf(199'999, bottom) + 170, tallest);
    const RowStack::InSight half = many.inSight(tallest / 2, 800);
    EXPECT_GT(half.first, 90'000U);
    EXPECT_LT(half.first, 110'000U);
    EXPECT_LE(many.topOf(half.first, half), tallest / 2);
    EXPECT_GT(many.topOf(half.first, half) + 170, tallest / 2);
    EXPECT_GE(many.topOf(half.end - 1, half) + 170, tallest / 2 + 800 - 24);
}

TEST(RowStack, InsertingRemovingAndChangingRowsStacksAsAssigningThemAnew)
{
    RowStack edited(10, 16'777'215);
    edited.assign({30, 40});
    edited.insert(2, {50, 60});
    edited.insert(0, {20});
    edited.remove(2, 2);
    EXPECT_TRUE(edited.setHeight(0, 25));
    EXPECT_FALSE(edited.setHeight(0, 25));
    RowStack fresh(10, 16'777'215);
    fresh.assign({25, 30, 60});
    ASSERT_EQ(edited.size(), fresh.size());
    EXPECT_EQ(edited.height(), fresh.height());
    EXPECT_EQ(edited.height(), 25 + 30 + 60 + 2 * 10);
    for (const int at : {0, 30, 36, 70, 100}) {
        const RowStack::InSight one = edited.inSight(at, 20);
        const RowStack::InSight other = fresh.inSight(at, 20);
        EXPECT_EQ(one.first, other.first) << at;
        EXPECT_EQ(one.end, other.end) << at;
        EXPECT_EQ(edited.topOf(2, one), fresh.topOf(2, other)) << at;
    }
    edited.remove(0, 3);
    EXPECT_EQ(edited.height(), 0);
    EXPECT_EQ(edited.inSight(0, 100).end, 0U);
}

// A row of the test list: a box to tick, whose state belongs to the item, a note to type and a
// button.
class TickRow final : public QWidget {
public:
    QCheckBox* box = new QCheckBox(this);
    QLineEdit* note = new QLineEdit(this);
    QPushButton* button = new QPushButton(QStringLiteral("Open"), this);

    TickRow()
    {
        auto* layout = new QHBoxLayout(this);
        layout->addWidget(box, 1);
        layout->addWidget(note);
        layout->addWidget(button);
        box->setObjectName(QStringLiteral("box"));
        note->setObjectName(QStringLiteral("note"));
        button->setObjectName(QStringLiteral("button"));
    }
};

// A page that scrolls: a button, the list of `count` items, a button.
struct ListPage {
    std::vector<bool> ticked;
    std::vector<std::string> keys;
    // Items whose row has no control that takes the focus.
    std::set<std::string> locked;
    int presented = 0;
    // Room above and below each row's controls, else the style's.
    std::optional<int> padding;
    QScrollArea page;
    QPushButton* before = new QPushButton(QStringLiteral("Before"));
    QPushButton* after = new QPushButton(QStringLiteral("After"));
    VirtualList* list;

    explicit ListPage(std::size_t count, std::optional<int> rowPadding = std::nullopt)
        : ticked(count)
        , padding(rowPadding)
    {
        for (std::size_t index = 0; index < count; ++index) {
            keys.push_back("item " + std::to_string(index));
        }
        list = new VirtualList({.make = [this] { return makeRow(); },
                                .present =
                                    [this](QWidget& row, std::size_t index) {
                                        ++presented;
                                        auto& tick = static_cast<TickRow&>(row);
                                        tick.box->setText(QString::fromStdString(keys[index]));
                                        tick.box->setChecked(ticked[index]);
                                        const bool open = !locked.contains(keys[index]);
                                        tick.box->setEnabled(open);
                                        tick.note->setEnabled(open);
                                        tick.button->setVisible(open);
                                    },
                                .key = [this](std::size_t index) { return keys[index]; }});
        list->setSpacing(6);
        auto* content = new QWidget;
        auto* column = new QVBoxLayout(content);
        column->addWidget(before);
        column->addWidget(list);
        column->addWidget(after);
        column->addStretch(1);
        page.setWidget(content);
        page.setWidgetResizable(true);
        page.resize(500, 400);
        list->reset(count);
        page.show();
        page.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&page));
        test::deliverEvents();
    }

    QWidget* makeRow()
    {
        auto* row = new TickRow;
        if (padding) {
            row->layout()->setContentsMargins(9, *padding, 9, *padding);
        }
        QObject::connect(row->box, &QCheckBox::clicked,
                         [this, row](bool checked) { ticked[*list->indexOf(*row)] = checked; });
        return row;
    }
    TickRow* row(std::size_t index) const { return static_cast<TickRow*>(list->rowAt(index)); }
    // TickRow has no meta-object of its own: each row has one box.
    std::size_t rowWidgets() const { return list->findChildren<QCheckBox*>().size(); }
    void scrollTo(int value)
    {
        page.verticalScrollBar()->setValue(value);
        test::deliverEvents();
    }
    // The item whose row holds the focus.
    std::optional<std::size_t> focusedItem() const
    {
        QWidget* focus = QApplication::focusWidget();
        for (QWidget* row : list->rows()) {
            if (row->isAncestorOf(focus)) {
                return list->indexOf(*row);
            }
        }
        return std::nullopt;
    }
    bool inView(const QWidget& widget) const
    {
        return page.viewport()->rect().contains(
            QRect(widget.mapTo(page.viewport(), QPoint()), widget.size()));
    }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        test::deliverEvents();
    }
};

TEST(VirtualList, TenThousandItemsKeepAFewRowsThatShowTheirOwnItemsState)
{
    ListPage shown(10'000);
    EXPECT_LT(shown.rowWidgets(), 30U);
    ASSERT_NE(shown.row(0), nullptr);
    EXPECT_TRUE(shown.row(0)->isVisible());
    const int rowHeight = shown.row(0)->height();
    EXPECT_EQ(shown.list->height(), 10'000 * rowHeight + 9'999 * 6);

    // A tick goes with its item: out of sight and back, the row of item 3 alone shows it.
    QCheckBox& box = *shown.row(3)->box;
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(6, box.height() / 2));
    ASSERT_TRUE(shown.ticked[3]);
    // The row the focus left stays current, and built, while the page scrolls away.
    shown.before->setFocus(Qt::TabFocusReason);
    shown.scrollTo(shown.page.verticalScrollBar()->maximum());
    EXPECT_EQ(shown.list->currentIndex(), 3U);
    ASSERT_NE(shown.row(3), nullptr);
    EXPECT_FALSE(shown.inView(*shown.row(3)));
    EXPECT_LT(shown.rowWidgets(), 30U);
    ASSERT_NE(shown.row(9'999), nullptr);
    EXPECT_TRUE(shown.inView(*shown.row(9'999)));
    EXPECT_EQ(shown.row(9'999)->box->text(), QStringLiteral("item 9999"));
    for (QWidget* row : shown.list->rows()) {
        EXPECT_EQ(static_cast<TickRow*>(row)->box->isChecked(), row == shown.row(3));
    }
    shown.scrollTo(0);
    for (QWidget* row : shown.list->rows()) {
        const std::size_t index = *shown.list->indexOf(*row);
        EXPECT_EQ(static_cast<TickRow*>(row)->box->isChecked(), index == 3) << index;
        EXPECT_EQ(static_cast<TickRow*>(row)->box->text(),
                  QString::fromStdString(shown.keys[index]));
    }

    // Adding items leaves the rows already there alone; a changed item touches its own row.
    shown.presented = 0;
    for (int batch = 0; batch < 10; ++batch) {
        for (int each = 0; each < 100; ++each) {
            shown.keys.push_back("more " + std::to_string(shown.keys.size()));
            shown.ticked.push_back(false);
        }
        shown.list->append(100);
    }
    test::deliverEvents();
    EXPECT_EQ(shown.presented, 0);
    EXPECT_EQ(shown.list->count(), 11'000U);
    shown.ticked[2] = true;
    shown.list->itemChanged(2);
    EXPECT_EQ(shown.presented, 1);
    EXPECT_TRUE(shown.row(2)->box->isChecked());

    // An item put before the others moves the rows with their items.
    TickRow* third = shown.row(3);
    shown.keys.insert(shown.keys.begin(), "first");
    shown.ticked.insert(shown.ticked.begin(), false);
    shown.list->insert(0, 1);
    test::deliverEvents();
    EXPECT_EQ(shown.row(4), third);
    EXPECT_TRUE(third->box->isChecked());
    shown.keys.erase(shown.keys.begin());
    shown.ticked.erase(shown.ticked.begin());
    shown.list->remove(0, 1);
    test::deliverEvents();
    EXPECT_EQ(shown.row(3), third);

    // The item holding the focus goes, then the items all change: the focus moves on and each
    // row still shows its own item.
    shown.row(5)->box->setFocus(Qt::TabFocusReason);
    shown.keys.erase(shown.keys.begin() + 5);
    shown.ticked.erase(shown.ticked.begin() + 5);
    shown.list->remove(5, 1);
    test::deliverEvents();
    const auto showsItsItem = [&] {
        for (QWidget* row : shown.list->rows()) {
            const std::size_t index = *shown.list->indexOf(*row);
            EXPECT_EQ(static_cast<TickRow*>(row)->box->text(),
                      QString::fromStdString(shown.keys[index]));
        }
    };
    showsItsItem();
    EXPECT_NE(QApplication::focusWidget(), nullptr);
    for (std::string& key : shown.keys) {
        key += " again";
    }
    shown.list->reset(shown.keys.size());
    test::deliverEvents();
    showsItsItem();
    EXPECT_LT(shown.rowWidgets(), 30U);
}

TEST(VirtualList, TheListIsOneTabStopWhoseKeysReachEveryRow)
{
    ListPage shown(10'000);
    const auto focus = [] { return QApplication::focusWidget(); };
    // Scrolled to its middle before any row held the focus, the list is entered on its first.
    shown.scrollTo(shown.page.verticalScrollBar()->maximum() / 2);
    shown.before->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_Tab);
    ASSERT_EQ(focus(), shown.row(0)->box);
    EXPECT_TRUE(shown.inView(*focus()));
    // Tab walks the row's own controls, then leaves the list; Shift+Tab comes back to the row.
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(focus(), shown.row(0)->note);
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(focus(), shown.row(0)->button);
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(focus(), shown.after);
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), shown.row(0)->button);

    // End, Home and the arrows go from row to row, on the same control, the page following.
    shown.press(Qt::Key_End);
    ASSERT_EQ(shown.focusedItem(), 9'999U);
    EXPECT_EQ(focus(), shown.row(9'999)->button);
    EXPECT_TRUE(shown.inView(*focus()));
    shown.press(Qt::Key_Down);
    EXPECT_EQ(shown.focusedItem(), 9'999U);
    shown.press(Qt::Key_Home);
    ASSERT_EQ(focus(), shown.row(0)->button);
    EXPECT_TRUE(shown.inView(*focus()));
    shown.press(Qt::Key_Up);
    EXPECT_EQ(focus(), shown.row(0)->button);
    for (std::size_t item = 1; item < 40; ++item) {
        shown.press(Qt::Key_Down);
        ASSERT_EQ(focus(), shown.row(item)->button) << item;
        EXPECT_TRUE(shown.inView(*focus())) << item;
    }
    EXPECT_GT(shown.page.verticalScrollBar()->value(), 0);
    // Page Down goes a view further, no more; Page Up comes back as far.
    const int perView = shown.page.viewport()->height() / (shown.row(39)->height() + 6);
    shown.press(Qt::Key_PageDown);
    const std::size_t paged = shown.focusedItem().value_or(0);
    EXPECT_GT(paged, 40U);
    EXPECT_LE(paged, 39U + static_cast<std::size_t>(perView));
    EXPECT_TRUE(shown.inView(*focus()));
    shown.press(Qt::Key_PageUp);
    EXPECT_EQ(shown.focusedItem(), 39U);
    EXPECT_LT(shown.rowWidgets(), 30U);

    // The list is left from any row and entered again on it.
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(focus(), shown.after);
    shown.scrollTo(0);
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), shown.row(39)->button);
    EXPECT_TRUE(shown.inView(*focus()));
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), shown.before);

    // A text field in a row keeps the keys it moves in with; Tab goes on from it.
    shown.press(Qt::Key_Tab);
    shown.press(Qt::Key_Tab);
    QLineEdit& note = *shown.row(39)->note;
    ASSERT_EQ(focus(), &note);
    QTest::keyClicks(&note, QStringLiteral("abc"));
    shown.press(Qt::Key_Home);
    EXPECT_EQ(note.cursorPosition(), 0);
    shown.press(Qt::Key_End);
    shown.press(Qt::Key_Down);
    shown.press(Qt::Key_PageDown);
    EXPECT_EQ(focus(), &note);
    EXPECT_EQ(note.cursorPosition(), 3);
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(focus(), shown.row(39)->button);

    // A reset that moves the focused item keeps the focus on it.
    shown.keys.insert(shown.keys.begin(), 5, "new");
    for (int each = 0; each < 5; ++each) {
        shown.keys[static_cast<std::size_t>(each)] += std::to_string(each);
    }
    shown.ticked.insert(shown.ticked.begin(), 5, false);
    shown.list->reset(shown.keys.size());
    test::deliverEvents();
    EXPECT_EQ(shown.focusedItem(), 44U);
    EXPECT_EQ(focus(), shown.row(44)->button);
    // The item holding the focus goes: the next one takes it, on the same control.
    shown.keys.erase(shown.keys.begin() + 44);
    shown.ticked.erase(shown.ticked.begin() + 44);
    shown.list->remove(44, 1);
    test::deliverEvents();
    EXPECT_EQ(focus(), shown.row(44)->button);
    EXPECT_EQ(shown.row(44)->box->text(), QStringLiteral("item 40"));
}

TEST(VirtualList, ShiftTabIntoAListThatNeverHeldTheFocusLandsOnItsLastRow)
{
    ListPage shown(10'000);
    shown.after->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(shown.focusedItem(), 9'999U);
    EXPECT_EQ(QApplication::focusWidget(), shown.row(9'999)->button);
    EXPECT_TRUE(shown.inView(*shown.row(9'999)->button));
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), shown.after);
}

// A row whose control is in sight but whose own bottom is not is brought whole into view when the
// keys reach it: what it says of its controls shows with them.
TEST(VirtualList, TheKeysBringTheWholeRowIntoView)
{
    ListPage shown(20, 60);
    QWidget* viewport = shown.page.viewport();
    TickRow* third = shown.row(3);
    // The third row's button just above the bottom of the view, the row's padding below it.
    const int buttonBottom = third->button->mapTo(viewport, QPoint(0, third->button->height())).y();
    shown.scrollTo(shown.page.verticalScrollBar()->value() + buttonBottom - viewport->height() + 2);
    ASSERT_TRUE(shown.inView(*third->button));
    ASSERT_FALSE(shown.inView(*third));
    shown.row(2)->button->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), third->button);
    EXPECT_TRUE(shown.inView(*third));
}

// Qt's buttons pass the focus along the window's chain on Left and Right: in a row they go along
// its controls only, and stop at its ends.
TEST(VirtualList, LeftAndRightStayInTheRow)
{
    ListPage shown(4);
    const auto focus = [] { return QApplication::focusWidget(); };
    TickRow& row = *shown.row(1);
    row.button->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_Right);
    EXPECT_EQ(focus(), row.button);
    shown.press(Qt::Key_Left);
    EXPECT_EQ(focus(), row.note);
    row.box->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_Left);
    EXPECT_EQ(focus(), row.box);
    shown.press(Qt::Key_Right);
    EXPECT_EQ(focus(), row.note);
}

// With the arrows on buttons alive, as the window has them: Down goes from a row's button to the
// next row's; Left and Right go along the row, mirrored right to left, over a control hidden or
// disabled and never onto one.
TEST(VirtualList, TheArrowsOnARowsButtonsKeepToTheList)
{
    ListPage shown(6);
    const ButtonArrows arrows;
    const auto focus = [] { return QApplication::focusWidget(); };
    shown.row(1)->button->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_Down);
    EXPECT_EQ(focus(), shown.row(2)->button);
    TickRow& row = *shown.row(2);
    row.note->setEnabled(false);
    shown.press(Qt::Key_Left);
    EXPECT_EQ(focus(), row.box);
    shown.press(Qt::Key_Right);
    EXPECT_EQ(focus(), row.button);
    row.note->setEnabled(true);
    row.note->hide();
    shown.press(Qt::Key_Left);
    EXPECT_EQ(focus(), row.box);
    shown.list->setLayoutDirection(Qt::RightToLeft);
    shown.press(Qt::Key_Left);
    EXPECT_EQ(focus(), row.button);
    shown.press(Qt::Key_Right);
    EXPECT_EQ(focus(), row.box);
}

// A row that takes the focus in place of its controls is a Tab stop only while it is current,
// as any row is; when its controls open again during a reset that moves its item, the focus goes
// to its own first control, through no other row.
TEST(VirtualList, ARowStandingInIsATabStopOnlyWhileCurrent)
{
    ListPage shown(6);
    const auto focus = [] { return QApplication::focusWidget(); };
    shown.row(3)->button->setFocus(Qt::TabFocusReason);
    shown.locked = {"item 4"};
    shown.list->itemChanged(4);
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(focus(), shown.after);

    // Item 4 moves down one as its controls open: its row, not the row that held its place,
    // takes the focus.
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    shown.press(Qt::Key_Down);
    ASSERT_EQ(focus(), shown.row(4));
    shown.keys.insert(shown.keys.begin(), "new");
    shown.ticked.insert(shown.ticked.begin(), false);
    shown.locked.clear();
    const test::FocusTold told;
    shown.list->reset(shown.keys.size());
    test::deliverEvents();
    EXPECT_EQ(shown.focusedItem(), 5U);
    EXPECT_EQ(focus(), shown.row(5)->box);
    EXPECT_EQ(told.told().size(), 1U) << told.transcript();
}

TEST(VirtualList, AListEmptiedUnderTheFocusHandsItToThePagesNextControl)
{
    ListPage shown(3);
    const auto emptied = [&](const std::function<void()>& empty) {
        shown.keys.clear();
        shown.ticked.clear();
        empty();
        test::deliverEvents();
        return QApplication::focusWidget();
    };
    shown.row(2)->button->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(emptied([&] { shown.list->reset(0); }), shown.after);

    // Removed rather than reset, with nothing after the list: the control before it.
    shown.keys = {"a", "b"};
    shown.ticked = {false, false};
    shown.list->reset(2);
    test::deliverEvents();
    shown.after->hide();
    shown.row(0)->box->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(emptied([&] { shown.list->remove(0, 2); }), shown.before);

    // The control after it disabled rather than hidden: the one before it all the same.
    shown.after->show();
    shown.after->setEnabled(false);
    shown.keys = {"a"};
    shown.ticked = {false};
    shown.list->reset(1);
    test::deliverEvents();
    shown.row(0)->box->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(emptied([&] { shown.list->reset(0); }), shown.before);
}

// A row whose controls are all hidden or disabled takes the focus itself, ringed, as long as none
// of them can take it: the keys stop on it like on any row, and Tab comes back to it.
TEST(VirtualList, ARowWhereNothingTakesTheFocusTakesItItself)
{
    ListPage shown(6);
    const auto focus = [] { return QApplication::focusWidget(); };
    // Item 2 between two rows that take the focus, and item 5 the last one.
    shown.locked = {"item 2", "item 5"};
    shown.list->presentAgain();
    shown.row(1)->button->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_Down);
    ASSERT_EQ(focus(), shown.row(2));
    EXPECT_EQ(shown.list->currentIndex(), 2U);
    EXPECT_GE(test::ringPixels(shown.page, *shown.row(2)), 20);
    shown.press(Qt::Key_Down);
    EXPECT_EQ(shown.focusedItem(), 3U);
    EXPECT_EQ(test::ringPixels(shown.page, *shown.row(2)), 0);
    shown.press(Qt::Key_Up);
    EXPECT_EQ(focus(), shown.row(2));
    shown.press(Qt::Key_End);
    EXPECT_EQ(focus(), shown.row(5));
    shown.press(Qt::Key_Home);
    EXPECT_EQ(focus(), shown.row(0)->box);

    // The current row loses its controls while the focus is away: Shift+Tab comes back to it.
    shown.row(4)->box->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_Tab);
    shown.press(Qt::Key_Tab);
    shown.press(Qt::Key_Tab);
    ASSERT_EQ(focus(), shown.after);
    shown.locked.insert("item 4");
    shown.list->itemChanged(4);
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), shown.row(4));
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(focus(), shown.after);

    // A control opens while its row holds the focus: the focus goes to it, whether the item
    // changed or the page opened the control itself.
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focus(), shown.row(4));
    shown.locked.erase("item 4");
    shown.list->itemChanged(4);
    EXPECT_EQ(focus(), shown.row(4)->box);
    TickRow& third = *shown.row(3);
    third.box->setEnabled(false);
    third.note->setEnabled(false);
    third.button->hide();
    shown.press(Qt::Key_Up);
    ASSERT_EQ(focus(), &third);
    third.note->setEnabled(true);
    EXPECT_EQ(focus(), third.note);
}

// A screen reader speaks each control that takes the focus: Tab comes into the list on a row's
// control, never on the list's way in, which has no name; a control disabled or hidden while it
// holds the focus leaves it in its row, on the control nearest it, else on the row, which then
// stands in for its controls.
TEST(VirtualList, TheFocusComesInOnARowAndStaysInItsRow)
{
    ListPage shown(100);
    const auto focus = [] { return QApplication::focusWidget(); };
    test::FocusTold told;
    shown.before->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(focus(), shown.row(0)->box);
    shown.after->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(focus(), shown.row(0)->button);
    EXPECT_FALSE(told.toldOf(shown.list->findChild<QWidget*>(QStringLiteral("tabAnchor"))))
        << told.transcript();

    TickRow& row = *shown.row(1);
    const auto inRow = [&](const QWidget& each) {
        for (const QWidget* one : told.told()) {
            EXPECT_TRUE(one == &each || each.isAncestorOf(one)) << told.transcript();
        }
    };
    row.button->setFocus(Qt::TabFocusReason);
    told.clear();
    row.button->setEnabled(false);
    EXPECT_EQ(focus(), row.note);
    row.note->hide();
    EXPECT_EQ(focus(), row.box);
    row.box->setEnabled(false);
    EXPECT_EQ(focus(), &row);
    inRow(row);
    // The page locks the item: the row takes the focus straight from its control.
    TickRow& next = *shown.row(2);
    next.note->setFocus(Qt::TabFocusReason);
    told.clear();
    shown.locked.insert("item 2");
    shown.list->itemChanged(2);
    EXPECT_EQ(focus(), &next);
    EXPECT_EQ(told.told().size(), 1U) << told.transcript();
    inRow(next);
}

// A row standing in for its controls is read as its item's name, then as the texts it shows,
// not those it hides; its controls, as their own name, then the item's.
TEST(RowText, ARowStandingInIsReadAsItsItemAndTheTextsItShows)
{
    QWidget row;
    auto* layout = new QHBoxLayout(&row);
    auto* state = new QLabel(QStringLiteral("Linked"));
    auto* hidden = new QLabel(QStringLiteral("Missing"));
    auto* open = new QPushButton(QStringLiteral("Open"));
    for (QWidget* each : std::initializer_list<QWidget*>{state, hidden, open}) {
        layout->addWidget(each);
    }
    hidden->hide();
    open->setEnabled(false);
    standInForControls(row);
    tellRowItem(row, QStringLiteral("Documents"));
    EXPECT_EQ(row.accessibleName(), QStringLiteral("Documents"));
    EXPECT_EQ(row.accessibleDescription(), QStringLiteral("Linked"));
    EXPECT_EQ(open->accessibleDescription(), QStringLiteral("Documents"));
    open->setEnabled(true);
    standInForControls(row);
    tellRowItem(row, QStringLiteral("Documents"));
    EXPECT_TRUE(row.accessibleName().isEmpty());
    EXPECT_TRUE(row.accessibleDescription().isEmpty());
}

// Over rows where nothing but the row takes the focus, a key builds the rows it shows and the
// one it lands on, not every row it passes.
TEST(VirtualList, KeysOverRowsWithNothingEnabledBuildOnlyWhatTheyShow)
{
    ListPage shown(20'000);
    shown.locked.insert(shown.keys.begin(), shown.keys.end());
    shown.list->presentAgain();
    // The rows in sight, with one on either side, and again as many where the key lands.
    const int perView = shown.page.viewport()->height() / (shown.row(0)->height() + 6) + 3;
    const auto presentedBy = [&](Qt::Key key) {
        shown.presented = 0;
        shown.press(key);
        return shown.presented;
    };
    shown.before->setFocus(Qt::TabFocusReason);
    EXPECT_LE(presentedBy(Qt::Key_Tab), 2 * perView);
    ASSERT_EQ(QApplication::focusWidget(), shown.row(0));
    EXPECT_LE(presentedBy(Qt::Key_Down), 2 * perView);
    EXPECT_EQ(QApplication::focusWidget(), shown.row(1));
    EXPECT_LE(presentedBy(Qt::Key_End), 2 * perView);
    EXPECT_EQ(QApplication::focusWidget(), shown.row(19'999));
    EXPECT_LE(presentedBy(Qt::Key_Home), 2 * perView);
    EXPECT_LE(presentedBy(Qt::Key_PageDown), 2 * perView);
    EXPECT_GT(shown.focusedItem().value_or(0), 1U);
    EXPECT_TRUE(shown.inView(*QApplication::focusWidget()));
}

TEST(VirtualList, PageDownGoesAViewLessTheRowAndAnyRowTallerThanHalfTheView)
{
    ListPage shown(40);
    shown.list->setRowHeight(44);
    // Rows are 50 apart, and the view 20 more than a number of them: a view less the row lands
    // on another row than a whole view would.
    shown.page.resize(500, shown.page.height() + (70 - shown.page.viewport()->height() % 50) % 50);
    test::deliverEvents();
    const int view = shown.page.viewport()->height();
    const auto paged = static_cast<std::size_t>((view - 44) / 50);
    ASSERT_NE(paged, static_cast<std::size_t>(view / 50));
    shown.row(3)->box->setFocus(Qt::TabFocusReason);
    shown.press(Qt::Key_PageDown);
    EXPECT_EQ(shown.focusedItem(), 3 + paged);
    shown.press(Qt::Key_PageDown);
    EXPECT_EQ(shown.focusedItem(), 3 + 2 * paged);
    shown.press(Qt::Key_PageUp);
    EXPECT_EQ(shown.focusedItem(), 3 + paged);

    // A row taller than half the view, or than the view itself: the keys go a row at a time.
    for (const int height : {view * 3 / 5, view + view / 4}) {
        shown.list->setRowHeight(height);
        test::deliverEvents();
        shown.row(2)->box->setFocus(Qt::TabFocusReason);
        shown.press(Qt::Key_PageDown);
        EXPECT_EQ(shown.focusedItem(), 3U) << height;
        shown.press(Qt::Key_PageDown);
        EXPECT_EQ(shown.focusedItem(), 4U) << height;
        shown.press(Qt::Key_PageUp);
        EXPECT_EQ(shown.focusedItem(), 3U) << height;
    }
}

// A row that holds no control: a line of text.
QLabel* textRow()
{
    auto* row = new QLabel;
    row->setMinimumHeight(40);
    return row;
}

TEST(VirtualList, RowsWithoutAControlTakeTheFocusAndShowTheirRing)
{
    QScrollArea page;
    auto* before = new QPushButton(QStringLiteral("Before"));
    auto* after = new QPushButton(QStringLiteral("After"));
    auto* list = new VirtualList({.make = [] { return textRow(); },
                                  .present =
                                      [](QWidget& row, std::size_t index) {
                                          static_cast<QLabel&>(row).setText(
                                              QStringLiteral("line %1").arg(index));
                                          row.setAccessibleName(static_cast<QLabel&>(row).text());
                                      },
                                  .key = {}});
    list->setSpacing(24);
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->addWidget(before);
    column->addWidget(list);
    column->addWidget(after);
    page.setWidget(content);
    page.setWidgetResizable(true);
    page.resize(400, 300);
    list->reset(10'000);
    page.show();
    page.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&page));
    test::deliverEvents();

    before->setFocus(Qt::TabFocusReason);
    QTest::keyClick(before, Qt::Key_Tab);
    test::deliverEvents();
    QWidget* first = list->rowAt(0);
    ASSERT_EQ(QApplication::focusWidget(), first);
    EXPECT_GE(test::ringPixels(page, *first), 20);
    QTest::keyClick(first, Qt::Key_Down);
    test::deliverEvents();
    QWidget* second = list->rowAt(1);
    ASSERT_EQ(QApplication::focusWidget(), second);
    EXPECT_EQ(second->accessibleName(), QStringLiteral("line 1"));
    EXPECT_GE(test::ringPixels(page, *second), 20);
    EXPECT_EQ(test::ringPixels(page, *first), 0);
    QTest::keyClick(second, Qt::Key_End);
    test::deliverEvents();
    QWidget* last = list->rowAt(9'999);
    ASSERT_EQ(QApplication::focusWidget(), last);
    EXPECT_GE(test::ringPixels(page, *last), 20);
    QTest::keyClick(last, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), after);
    EXPECT_FALSE(list->findChild<QWidget*>(QStringLiteral("rowFocusRing"))->isVisible());
    EXPECT_LT(list->findChildren<QLabel*>().size(), 30);
}

// What a page of nested lists may have besides them.
struct NestedExtras {
    // A control of the page above the list.
    bool above = false;
    // A header this tall above each group's list, as a group of duplicates has.
    int header = 0;
};

// Lists inside the rows of a list: the outer rows are groups of `size` items each.
struct NestedPage {
    std::size_t groups;
    std::size_t size;
    // The page, and beside it a button: past the list, the page has no room left.
    QWidget window;
    QScrollArea page{&window};
    VirtualList* outer;
    QPushButton* after = nullptr;
    // A control of the page above the list, when asked for.
    QPushButton* above = nullptr;

    NestedExtras extras;

    NestedPage(std::size_t groupCount, std::size_t groupSize, NestedExtras asked = {})
        : groups(groupCount)
        , size(groupSize)
        , extras(asked)
    {
        outer = new VirtualList({.make = [this] { return makeGroup(); },
                                 .present =
                                     [](QWidget& group, std::size_t index) {
                                         group.setProperty("group", static_cast<int>(index));
                                         group.findChild<VirtualList*>()->presentAgain();
                                     },
                                 .key = {}});
        outer->setSpacing(10);
        outer->setRowHeights([this](std::size_t, int) {
            return extras.header + static_cast<int>(this->size) * 40 +
                   static_cast<int>(this->size - 1) * 4;
        });
        auto* content = new QWidget;
        auto* column = new QVBoxLayout(content);
        column->setContentsMargins(0, 0, 0, 0);
        if (extras.above) {
            above = new QPushButton(QStringLiteral("Above"));
            column->addWidget(above);
        }
        column->addWidget(outer);
        page.setWidget(content);
        page.setWidgetResizable(true);
        page.setFocusPolicy(Qt::NoFocus);
        after = new QPushButton(QStringLiteral("After"), &window);
        auto* beside = new QHBoxLayout(&window);
        beside->addWidget(&page, 1);
        beside->addWidget(after);
        window.resize(500, 300);
        outer->reset(groups);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        test::deliverEvents();
    }

    QWidget* makeGroup()
    {
        auto* group = new QWidget;
        auto* layout = new QVBoxLayout(group);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        if (extras.header > 0) {
            auto* header = new QWidget;
            header->setFixedHeight(extras.header);
            layout->addWidget(header);
        }
        auto* inner = new VirtualList(
            {.make =
                 [] {
                     auto* button = new QPushButton;
                     button->setFixedHeight(40);
                     return button;
                 },
             .present =
                 [group](QWidget& row, std::size_t index) {
                     static_cast<QPushButton&>(row).setText(
                         QStringLiteral("%1.%2").arg(group->property("group").toInt()).arg(index));
                 },
             .key = {}});
        inner->setSpacing(4);
        inner->setRowHeight(40);
        inner->reset(size);
        layout->addWidget(inner);
        return group;
    }
    QString focusText() const
    {
        auto* button = qobject_cast<QPushButton*>(QApplication::focusWidget());
        return button == nullptr ? QString() : button->text();
    }
};

TEST(VirtualList, ListsInsideAListBuildWhatIsInSightAndTheKeysGoAcrossThem)
{
    NestedPage shown(500, 1'000);
    // 500,000 buttons in all, stacked taller than a widget may be.
    EXPECT_EQ(shown.outer->height(), QWIDGETSIZE_MAX);
    // A few groups in sight, each with its buttons in sight and a few spare.
    const auto bounded = [&] { return shown.page.findChildren<QPushButton*>().size() < 150; };
    EXPECT_TRUE(bounded());

    auto* first = shown.outer->rowAt(0)->findChild<VirtualList*>()->rowAt(0);
    first->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(shown.focusText(), QStringLiteral("0.0"));
    QTest::keyClick(first, Qt::Key_Down);
    test::deliverEvents();
    EXPECT_EQ(shown.focusText(), QStringLiteral("0.1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    test::deliverEvents();
    EXPECT_EQ(shown.focusText(), QStringLiteral("0.2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    test::deliverEvents();
    EXPECT_EQ(shown.focusText(), QStringLiteral("0.0"));
    // The groups and their buttons are one stop: Tab leaves them, Shift+Tab comes back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), shown.after);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    test::deliverEvents();
    EXPECT_EQ(shown.focusText(), QStringLiteral("0.0"));
    const auto inView = [&] {
        const QWidget* focus = QApplication::focusWidget();
        return shown.page.viewport()->rect().contains(
            QRect(focus->mapTo(shown.page.viewport(), QPoint()), focus->size()));
    };
    // End and Home reach the last button of the last group and the first of the first.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
    test::deliverEvents();
    EXPECT_EQ(shown.focusText(), QStringLiteral("499.999"));
    EXPECT_TRUE(inView());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    test::deliverEvents();
    EXPECT_EQ(shown.focusText(), QStringLiteral("499.998"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
    test::deliverEvents();
    EXPECT_EQ(shown.focusText(), QStringLiteral("0.0"));
    EXPECT_TRUE(inView());
    // Page Down goes a view further, from the end of one group into the next.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    test::deliverEvents();
    const int paged = shown.focusText().section(QLatin1Char('.'), 1).toInt();
    EXPECT_GT(paged, 1);
    EXPECT_LE(paged, shown.page.viewport()->height() / 44);
    EXPECT_TRUE(inView());
    for (int page = 0; page < 1'000 / paged; ++page) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    }
    test::deliverEvents();
    EXPECT_TRUE(shown.focusText().startsWith(QStringLiteral("1.")))
        << shown.focusText().toStdString();
    EXPECT_TRUE(inView());
    EXPECT_TRUE(bounded());

    // Down from the last item of a group goes into the next group.
    shown.page.verticalScrollBar()->setValue(shown.page.verticalScrollBar()->maximum() / 2);
    test::deliverEvents();
    QWidget* group = shown.outer->rows().at(2);
    const int number = group->property("group").toInt();
    auto* inner = group->findChild<VirtualList*>();
    auto* middle = inner->rows().at(inner->rows().size() / 2);
    middle->setFocus(Qt::TabFocusReason);
    const std::size_t at = *inner->indexOf(*middle);
    for (std::size_t step = at; step < 1'000; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        test::deliverEvents();
    }
    EXPECT_EQ(shown.focusText(), QStringLiteral("%1.0").arg(number + 1));
    EXPECT_TRUE(bounded());
    const QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(shown.page.viewport()->rect().contains(
        QRect(focus->mapTo(shown.page.viewport(), QPoint()), focus->size())));
}

// Page Up and Page Down measure from where an item stands in the whole stack, the header above
// its group's list included: they go a view less the row, no more and no less.
TEST(VirtualList, PageDownUnderAGroupsHeaderGoesAViewLessTheRow)
{
    constexpr int header = 100;
    NestedPage shown(2, 60, {.header = header});
    const int view = shown.page.viewport()->height();
    const int paged = (view - 40) / 44;
    // Where the keys would land with the header left out, one way or the other.
    ASSERT_NE(paged, (view - 40 + header) / 44);
    ASSERT_NE(paged, (view - 40 - header) / 44);
    shown.outer->rowAt(0)->findChild<VirtualList*>()->rowAt(0)->setFocus(Qt::TabFocusReason);
    const auto press = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        test::deliverEvents();
    };
    press(Qt::Key_PageDown);
    EXPECT_EQ(shown.focusText(), QStringLiteral("0.%1").arg(paged));
    press(Qt::Key_PageDown);
    EXPECT_EQ(shown.focusText(), QStringLiteral("0.%1").arg(2 * paged));
    press(Qt::Key_PageUp);
    EXPECT_EQ(shown.focusText(), QStringLiteral("0.%1").arg(paged));
}

// An inner list that empties under the focus while its group stays: the focus goes on to the
// next group's items, else back to the previous group's, never past the outer list.
TEST(VirtualList, AnInnerListEmptiedUnderTheFocusHandsItToTheNextGroup)
{
    NestedPage shown(3, 3);
    const auto emptied = [&](int group, int item) {
        auto* inner =
            shown.outer->rowAt(static_cast<std::size_t>(group))->findChild<VirtualList*>();
        inner->rowAt(static_cast<std::size_t>(item))->setFocus(Qt::TabFocusReason);
        inner->reset(0);
        test::deliverEvents();
        return shown.focusText();
    };
    EXPECT_EQ(emptied(1, 1), QStringLiteral("2.0"));
    EXPECT_EQ(emptied(2, 2), QStringLiteral("0.2"));
}

// The list's anchor shows nothing and has no name: inner lists emptied one after another under
// the focus, then Tab into the outer list whose rows hold nothing, never leave the focus on it.
TEST(VirtualList, TheAnchorNeverKeepsTheFocus)
{
    NestedPage shown(3, 2, {.above = true});
    const auto inner = [&](std::size_t group) {
        return shown.outer->rowAt(group)->findChild<VirtualList*>();
    };
    const auto emptied = [&](std::size_t group) {
        inner(group)->reset(0);
        test::deliverEvents();
        return QApplication::focusWidget();
    };
    inner(1)->rowAt(0)->setFocus(Qt::TabFocusReason);
    emptied(1);
    EXPECT_EQ(shown.focusText(), QStringLiteral("2.0"));
    emptied(2);
    EXPECT_EQ(shown.focusText(), QStringLiteral("0.1"));
    // Nothing left in the list, nor after it in the page: the page's control before it, never the
    // one beside the page.
    EXPECT_EQ(emptied(0), shown.above);

    QTest::keyClick(shown.above, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), shown.after);
    QTest::keyClick(shown.after, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), shown.above);
}

// An empty list is no Tab stop: its anchors, which show nothing and have no name, are never told
// of the focus on the way across it.
TEST(VirtualList, TabCrossesAnEmptyListStraightToTheNextControl)
{
    ListPage shown(0);
    shown.before->setFocus(Qt::TabFocusReason);
    test::FocusTold told;
    shown.press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), shown.after);
    shown.press(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), shown.before);
    const std::vector<QWidget*> stops{shown.after, shown.before};
    EXPECT_TRUE(std::equal(told.told().begin(), told.told().end(), stops.begin(), stops.end()))
        << told.transcript();
}

TEST(VirtualList, LeavingThePageLeavesNoRowBehind)
{
    const qsizetype before = QApplication::allWidgets().size();
    {
        ListPage shown(10'000);
        shown.scrollTo(shown.page.verticalScrollBar()->maximum() / 3);
        static_cast<TickRow*>(shown.list->rows().at(3))->box->setFocus();
    }
    test::deliverEvents();
    EXPECT_EQ(QApplication::allWidgets().size(), before);
}

} // namespace
} // namespace tollenvane
