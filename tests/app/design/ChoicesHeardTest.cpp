// What assistive technology reads of pickers and choices.
#include "app/design/Picker.h"
#include "app/design/SegmentedControl.h"
#include "app/kit/ButtonArrows.h"
#include "support/AccessibleEvents.h"
#include "support/DeliverEvents.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>
#include <algorithm>

namespace tollenvane {
namespace {

QString textOf(QAccessibleInterface& read)
{
    QAccessibleTextInterface* text = read.textInterface();
    return text != nullptr ? text->text(0, text->characterCount()) : QString();
}

TEST(PickersHeard, ReadTheirLabelThenTheEntryShown)
{
    QWidget window;
    auto* picker = newPicker(QStringLiteral("Langue"));
    picker->setParent(&window);
    picker->addItems({QStringLiteral("English"), QStringLiteral("Español")});
    window.show();
    QAccessibleInterface& read = *QAccessible::queryAccessibleInterface(picker);
    EXPECT_EQ(read.text(QAccessible::Name), "Langue");
    // Screen readers take the value from the text.
    EXPECT_EQ(textOf(read), "English");
    picker->setCurrentIndex(1);
    EXPECT_EQ(textOf(read), "Español");

    // Opened as assistive technology asks, it is read open.
    read.actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
    test::deliverEvents();
    EXPECT_TRUE(picker->view()->isVisible());
    EXPECT_TRUE(read.state().expanded);
    picker->hidePopup();
    EXPECT_FALSE(read.state().expanded);

    // Arrowed while closed, it puts the new entry in its text, which a screen reader speaks.
    test::AccessibleEvents events;
    picker->setFocus(Qt::TabFocusReason);
    QTest::keyClick(picker, Qt::Key_Up);
    ASSERT_EQ(picker->currentIndex(), 0);
    const auto inserted = events.about(picker, QAccessible::TextInserted);
    ASSERT_EQ(inserted.size(), 1U) << events.transcript();
    EXPECT_EQ(inserted.front().text, "English");

    // A picker no label names is read by what it shows rather than as nothing.
    QComboBox unlabelled(&window);
    unlabelled.addItem(QStringLiteral("Toutes les sources"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&unlabelled)->text(QAccessible::Name),
              "Toutes les sources");
}

struct Segmented {
    Segmented()
    {
        auto* row = new QHBoxLayout(&window);
        row->addWidget(before);
        row->addWidget(control);
        control->setAccessibleName(QStringLiteral("Apparence"));
        window.show();
        QApplication::setActiveWindow(&window);
        control->setFocus();
    }
    QWidget* focused() const { return QApplication::focusWidget(); }
    QWidget* option(int index) const { return control->findChildren<QAbstractButton*>().at(index); }

    // The arrows every window of the application has.
    const ButtonArrows arrows;
    QWidget window;
    QPushButton* before = new QPushButton(QStringLiteral("Avant"));
    SegmentedControl* control = new SegmentedControl(
        {QStringLiteral("Sombre"), QStringLiteral("Clair"), QStringLiteral("Automatique")});
};

TEST(SegmentedChoiceHeard, TheArrowsChooseUnderTheControlsName)
{
    Segmented choice;
    QAccessibleInterface& group = *QAccessible::queryAccessibleInterface(choice.control);
    EXPECT_EQ(group.role(), QAccessible::Grouping);
    EXPECT_EQ(group.text(QAccessible::Name), "Apparence");
    ASSERT_EQ(choice.focused(), choice.option(0));

    // Each option that changes is told, checked or no longer.
    test::AccessibleEvents events;
    QTest::keyClick(choice.focused(), Qt::Key_Right);
    EXPECT_EQ(choice.control->currentIndex(), 1);
    EXPECT_EQ(choice.focused(), choice.option(1));
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(choice.option(1))->state().checked);
    for (const int option : {0, 1}) {
        const auto changes = events.about(choice.option(option), QAccessible::StateChanged);
        EXPECT_TRUE(std::any_of(changes.begin(), changes.end(),
                                [](const test::ToldEvent& told) { return told.changed.checked; }))
            << option << "\n"
            << events.transcript();
    }
    QTest::keyClick(choice.focused(), Qt::Key_Left);
    EXPECT_EQ(choice.control->currentIndex(), 0);
    QTest::keyClick(choice.focused(), Qt::Key_Right);

    // Back from the new choice leaves the control rather than landing on the earlier one.
    QTest::keyClick(choice.focused(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(choice.focused(), choice.before);
}

} // namespace
} // namespace tollenvane
