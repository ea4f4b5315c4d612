#include "app/kit/KeyedRows.h"
#include "app/kit/PageScaffold.h"
#include "app/kit/PageText.h"
#include "support/DeliverEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QVBoxLayout>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

struct Item {
    std::string key;
    QString text;
};

QStringList order(const QVBoxLayout& layout)
{
    QStringList texts;
    for (int i = 0; i < layout.count(); ++i) {
        if (const auto* label = qobject_cast<QLabel*>(layout.itemAt(i)->widget())) {
            texts << label->text();
        }
    }
    return texts;
}

TEST(KeyedRowsTest, KeepsTheWidgetsOfItemsThatStayAndFollowsTheOrder)
{
    QWidget host;
    auto* layout = new QVBoxLayout(&host);
    KeyedRows<std::string, QLabel> rows(*layout);
    int made = 0;
    const auto sync = [&](const std::vector<Item>& items) {
        rows.sync(
            items, [](const Item& item) { return item.key; },
            [&](const Item&) {
                ++made;
                return new QLabel;
            },
            [](QLabel& row, const Item& item) { row.setText(item.text); });
    };

    sync({{"a", "A"}, {"b", "B"}});
    QLabel* const first = rows.find("a");
    sync({{"a", "A2"}, {"b", "B"}, {"c", "C"}});
    EXPECT_EQ(made, 3);
    EXPECT_EQ(rows.find("a"), first);
    EXPECT_EQ(order(*layout), (QStringList{"A2", "B", "C"}));

    // Reordered, one gone and a duplicate identity shown once.
    sync({{"c", "C"}, {"a", "A2"}, {"c", "C again"}});
    EXPECT_EQ(made, 3);
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.find("b"), nullptr);
    EXPECT_EQ(order(*layout), (QStringList{"C", "A2"}));
}

// A column that counts how often it lays its rows out.
class CountingColumn final : public QVBoxLayout {
public:
    using QVBoxLayout::QVBoxLayout;
    int layouts = 0;
    void setGeometry(const QRect& rect) override
    {
        ++layouts;
        QVBoxLayout::setGeometry(rect);
    }
};

TEST(KeyedRowsTest, RowsAddedToAShownListAreLaidOutOnceNotOncePerRow)
{
    QWidget window;
    auto* outer = new QVBoxLayout(&window);
    auto* host = new QWidget;
    auto* column = new CountingColumn(host);
    outer->addWidget(host);
    window.show();
    QCoreApplication::processEvents();
    KeyedRows<std::string, QLabel> rows(*column);
    std::vector<Item> items;
    for (int index = 0; index < 300; ++index) {
        items.push_back({std::to_string(index), QString::number(index)});
    }
    column->layouts = 0;
    rows.sync(
        items, [](const Item& item) { return item.key; }, [](const Item&) { return new QLabel; },
        [](QLabel& row, const Item& item) { row.setText(item.text); });
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
    }
    EXPECT_LE(column->layouts, 3);
    EXPECT_EQ(order(*column).size(), 300);
    for (int index = 0; index < column->count(); ++index) {
        EXPECT_TRUE(column->itemAt(index)->widget()->isVisible()) << index;
    }
}

TEST(PageTextTest, DataThatLooksLikeMarkupShowsLiterally)
{
    QWidget widget;
    setPlainToolTip(widget, QStringLiteral("<b>x</b> & <img src=y>"));
    QTextDocument shown;
    shown.setHtml(widget.toolTip());
    EXPECT_EQ(shown.toPlainText(), QStringLiteral("<b>x</b> & <img src=y>"));
    setPlainToolTip(widget, {});
    EXPECT_TRUE(widget.toolTip().isEmpty());
}

// A page of three buttons in a window, and beside the page a control of the window: before it,
// as a sidebar, or after it, as a status bar. Tab reaches it from the page's controls as the
// window chains them.
struct PageInWindow {
    QWidget window;
    PageScaffold* page = new PageScaffold(Page::sources, 8, 8);
    QPushButton* beside = new QPushButton(QStringLiteral("Beside"));
    std::vector<QPushButton*> controls;

    explicit PageInWindow(bool besideFirst)
    {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(besideFirst ? static_cast<QWidget*>(beside) : page);
        layout->addWidget(besideFirst ? static_cast<QWidget*>(page) : beside);
        for (const char* name : {"first", "second", "third"}) {
            controls.push_back(new QPushButton(QString::fromLatin1(name)));
            page->addBlock(controls.back());
        }
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Hides `control` while it holds the focus, which Qt hands to the control beside the page.
    QWidget* hideHolding(QPushButton* control)
    {
        QWidget::setTabOrder(control, beside);
        control->setFocus(Qt::TabFocusReason);
        control->hide();
        test::deliverEvents();
        return QApplication::focusWidget();
    }
};

TEST(PageScaffoldTest, AControlThatHidesWithTheFocusHandsItToTheNextOneOfThePage)
{
    PageInWindow shown(true);
    const std::vector<QPushButton*>& controls = shown.controls;
    EXPECT_EQ(shown.hideHolding(controls[1]), controls[2]);
    // Nothing follows: the one before it, not the top of the page.
    controls[1]->show();
    EXPECT_EQ(shown.hideHolding(controls[2]), controls[1]);
}

// The page's control after the hidden one is disabled, and past it, beside the page, a status bar
// that the window's own order reaches next: the focus goes back to the page's previous control.
TEST(PageScaffoldTest, AHiddenControlHandsTheFocusPastADisabledOneAndNeverOutOfThePage)
{
    PageInWindow shown(false);
    shown.controls[2]->setEnabled(false);
    EXPECT_EQ(shown.hideHolding(shown.controls[1]), shown.controls[0]);
}

// Disabled while it holds the focus, a control keeps it until the page hands it on; Tab and
// Shift+Tab meanwhile go on from it at once, to the page's neighbours or, past the page's last
// control, to the window's next one, as from a control still there.
TEST(PageScaffoldTest, TabFromAControlDisabledWithTheFocusGoesOnFromIt)
{
    PageInWindow shown(true);
    const std::vector<QPushButton*>& controls = shown.controls;
    const auto disableHolding = [](QPushButton* control) {
        control->setEnabled(true);
        control->setFocus(Qt::TabFocusReason);
        control->setEnabled(false);
        EXPECT_EQ(QApplication::focusWidget(), control);
    };
    disableHolding(controls[1]);
    QTest::keyClick(controls[1], Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), controls[0]);
    disableHolding(controls[1]);
    QTest::keyClick(controls[1], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), controls[2]);

    // The page's only control: Tab reaches the sidebar.
    controls[0]->hide();
    controls[2]->hide();
    disableHolding(controls[1]);
    test::deliverEvents();
    ASSERT_EQ(QApplication::focusWidget(), controls[1]);
    QTest::keyClick(controls[1], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), shown.beside);
}

} // namespace
} // namespace tollenvane
