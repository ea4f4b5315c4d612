// The application's text fields, as the screen tests' program sets them up as the application does.
#include "support/AccessibleEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>

namespace tollenvane {
namespace {

struct Fields {
    Fields()
    {
        auto* column = new QVBoxLayout(&window);
        column->addWidget(before);
        column->addWidget(empty);
        column->addWidget(filled);
        filled->setText(QStringLiteral("Vacances"));
    }
    QWidget window;
    QPushButton* before = new QPushButton(QStringLiteral("Avant"));
    QLineEdit* empty = new QLineEdit;
    QLineEdit* filled = new QLineEdit;
};

// A field's caret is told before the field shows, so that the first time Tab reaches it the
// screen reader is told of the focus alone, which it speaks.
TEST(TextFieldFocus, AFieldsCaretIsToldBeforeItFirstShows)
{
    Fields shown;
    test::AccessibleEvents events;
    shown.window.show();
    QApplication::setActiveWindow(&shown.window);
    shown.before->setFocus(Qt::TabFocusReason);
    const auto told = events.events();
    const auto first = [&](QAccessible::Event type) {
        return std::find_if(told.begin(), told.end(), [&](const test::ToldEvent& event) {
            return event.object == shown.empty && event.type == type;
        });
    };
    ASSERT_NE(first(QAccessible::TextCaretMoved), told.end()) << events.transcript();
    EXPECT_LT(first(QAccessible::TextCaretMoved), first(QAccessible::ObjectShow))
        << events.transcript();

    events.clear();
    QTest::keyClick(shown.before, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), shown.empty);
    EXPECT_EQ(events.about(shown.empty, QAccessible::Focus).size(), 1U) << events.transcript();
    EXPECT_TRUE(events.about(shown.empty, QAccessible::TextCaretMoved).empty())
        << events.transcript();
}

// What was selected in a field before it shows stays selected, as in any Qt field.
TEST(TextFieldFocus, ASelectionMadeBeforeTheFieldShowsIsKept)
{
    Fields shown;
    shown.filled->setSelection(1, 3);
    shown.window.show();
    EXPECT_EQ(shown.filled->selectedText(), QStringLiteral("aca"));
}

} // namespace
} // namespace tollenvane
