#include "app/shell/AlertPresenter.h"

#include "app/deck/DestinationButton.h"
#include "app/deck/MoveSheet.h"
#include "model/support/SortingHarness.h"
#include "shell/ShownWindow.h"
#include "support/DeliverEvents.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <fstream>

namespace tollenvane {
namespace {

// A move refused because the name is taken in the destination: the alert says so over the move
// sheet, and once it is read the keyboard is back on the sheet, on the row it left.
TEST(AlertPresenter, AnAlertOverASheetGivesTheKeyboardBackToTheSheet)
{
    test::SortingHarness harness;
    const std::string card = harness.startSortingTwo();
    const std::string destination = harness.addDestination(harness.outside);
    std::ofstream(destination + "/a.png") << "taken";
    AppModel& model = *harness.model;
    test::ShownWindow window(model);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    test::deliverEvents();
    auto* sheet = window.view.findChild<MoveSheet*>();
    ASSERT_NE(sheet, nullptr);
    QApplication::setActiveWindow(sheet);
    auto* row = sheet->findChild<DestinationButton*>();
    ASSERT_NE(row, nullptr);
    row->setFocus(Qt::TabFocusReason);
    QTest::keyClick(row, Qt::Key_Return);
    for (int round = 0; round < 4; ++round) {
        harness.settle();
        test::deliverEvents();
    }
    ASSERT_TRUE(model.alert());
    auto* box = window.view.findChild<QMessageBox*>(QStringLiteral("alert"));
    ASSERT_NE(box, nullptr);
    QApplication::setActiveWindow(box);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    test::deliverEvents();

    EXPECT_FALSE(model.alert());
    EXPECT_EQ(QApplication::activeWindow(), sheet);
    EXPECT_EQ(QApplication::focusWidget(), row);
    // The keys work there again: Escape closes the sheet, the card stays.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    test::deliverEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(model.showMove());
    EXPECT_TRUE(std::filesystem::exists(card));

    // A sheet closed under its alert leaves the alert shown over the window.
    model.request(Decision::move);
    test::deliverEvents();
    sheet = window.view.findChild<MoveSheet*>();
    ASSERT_NE(sheet, nullptr);
    QApplication::setActiveWindow(sheet);
    model.raiseAlert("Action impossible", "Le nom est déjà pris.");
    test::deliverEvents();
    model.setShowMove(false);
    test::deliverEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    test::deliverEvents();
    box = window.view.findChild<QMessageBox*>(QStringLiteral("alert"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), QStringLiteral("Action impossible"));
    EXPECT_TRUE(model.alert());
}

} // namespace
} // namespace tollenvane
