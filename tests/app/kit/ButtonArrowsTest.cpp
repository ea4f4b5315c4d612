#include "app/kit/ButtonArrows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <map>

namespace tollenvane {
namespace {

// How many times each widget it watches is handed an Up or Down press.
class ArrowsSeen final : public QObject {
public:
    explicit ArrowsSeen(std::initializer_list<QWidget*> watched)
    {
        for (QWidget* widget : watched) {
            widget->installEventFilter(this);
        }
    }
    std::map<const QObject*, int> seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<const QKeyEvent&>(*event).key();
            seen[watched] += key == Qt::Key_Up || key == Qt::Key_Down ? 1 : 0;
        }
        return false;
    }
};

// Up and Down leave a button for the widgets that hold it, the page that scrolls with them among
// them, and each sees the key once when none takes it.
TEST(ButtonArrows, UpAndDownGoOnceToEachWidgetThatHoldsTheButton)
{
    const ButtonArrows arrows;
    QWidget window;
    auto* holder = new QWidget;
    auto* column = new QVBoxLayout(&window);
    column->addWidget(holder);
    auto* row = new QVBoxLayout(holder);
    auto* first = new QPushButton(QStringLiteral("Un"));
    auto* second = new QPushButton(QStringLiteral("Deux"));
    row->addWidget(first);
    row->addWidget(second);
    window.show();
    QApplication::setActiveWindow(&window);
    first->setFocus(Qt::TabFocusReason);

    ArrowsSeen arrowsSeen{&window, holder};
    QTest::keyClick(first, Qt::Key_Down);
    QTest::keyClick(first, Qt::Key_Up);
    EXPECT_EQ(arrowsSeen.seen.at(holder), 2);
    EXPECT_EQ(arrowsSeen.seen.at(&window), 2);
    EXPECT_EQ(QApplication::focusWidget(), first);
}

} // namespace
} // namespace tollenvane
