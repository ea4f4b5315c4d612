#pragma once

#include "app/design/ShownName.h"
#include "support/DeliverEvents.h"
#include "support/FocusRingPixels.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollArea>
#include <QTest>
#include <cstddef>
#include <functional>
#include <optional>

namespace tollenvane::test {

// A long list of a page, walked from the keyboard as its user would.
struct ListWalk {
    // What shows the focus ring, and the page that scrolls.
    QWidget& window;
    QScrollArea& page;
    // The control from which Tab enters the list.
    QWidget& before;
    std::size_t count;
    // The item whose row holds the focus; none outside the list.
    std::function<std::optional<std::size_t>()> focusedItem;
    // What a key sets off, run to its end.
    std::function<void()> settle = [] { deliverEvents(); };
    // The name of item `index` as the row shows it, which assistive technology reads without
    // its marks on each control of the row; none to leave unchecked.
    std::function<QString(std::size_t index)> name = {};
};

// Whether the focus is on `item`, ringed and in sight.
inline void expectFocusOn(const ListWalk& walk, std::size_t item, const char* after)
{
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << after;
    EXPECT_EQ(walk.focusedItem(), item) << after;
    const QRect shown(focus->mapTo(walk.page.viewport(), QPoint()), focus->size());
    EXPECT_TRUE(walk.page.viewport()->rect().contains(shown)) << after << ": out of sight";
    EXPECT_GE(ringPixels(walk.window, *focus), 20) << after << ": no ring";
    if (walk.name) {
        const QString name = spokenText(walk.name(item));
        EXPECT_TRUE(focus->accessibleName() == name || focus->accessibleDescription() == name)
            << after << ": read as " << focus->accessibleName().toStdString() << ", "
            << focus->accessibleDescription().toStdString();
    }
}

// Tab into the list, End, Home, Down three times, Tab out of it, Shift+Tab back in: the list is
// one stop, each key reaches the item it names and none is skipped. Returns the control that Tab
// left the list for.
inline QWidget* walkList(const ListWalk& walk)
{
    const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        walk.settle();
    };
    walk.before.setFocus(Qt::TabFocusReason);
    walk.settle();
    press(Qt::Key_Tab);
    expectFocusOn(walk, 0, "Tab");
    press(Qt::Key_End);
    expectFocusOn(walk, walk.count - 1, "End");
    press(Qt::Key_Home);
    expectFocusOn(walk, 0, "Home");
    for (std::size_t item = 1; item <= 3; ++item) {
        press(Qt::Key_Down);
        expectFocusOn(walk, item, "Down");
    }
    // Tab goes through the row's own controls, then out of the list.
    QWidget* left = nullptr;
    for (int presses = 0; presses < 8 && left == nullptr; ++presses) {
        press(Qt::Key_Tab);
        if (walk.focusedItem()) {
            expectFocusOn(walk, 3, "Tab in the row");
        } else {
            left = QApplication::focusWidget();
        }
    }
    EXPECT_NE(left, nullptr) << "Tab stays in the list";
    press(Qt::Key_Tab, Qt::ShiftModifier);
    expectFocusOn(walk, 3, "Shift+Tab");
    return left;
}

} // namespace tollenvane::test
