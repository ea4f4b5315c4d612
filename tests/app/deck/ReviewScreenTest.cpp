#include "app/deck/ReviewScreen.h"

#include "app/deck/DecisionButton.h"
#include "app/deck/DeckView.h"
#include "app/deck/MoveSheet.h"
#include "app/deck/SwipeMotionCard.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/design/SpokenNotice.h"
#include "app/preview/FilePreview.h"
#include "app/preview/PreviewLayer.h"
#include "app/shell/TerminationController.h"
#include "design/SchemeScope.h"
#include "kit/FocusTold.h"
#include "model/support/SortingHarness.h"
#include "support/DeliverEvents.h"
#include "support/FocusRingPixels.h"
#include "support/RecordingServices.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>
#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::deliverEvents;

// Writes `more` files, by name and size, then starts a session of them and two cards, "a.png"
// on top of "b.png"; the path of "a.png".
std::string startSorting(test::SortingHarness& harness,
                         const std::vector<std::pair<std::string, std::size_t>>& more)
{
    for (const auto& [name, size] : more) {
        harness.file(name, size);
    }
    return harness.startSortingTwo();
}

// The review screen of `model` filling `window`, shown as the window does on entering the page:
// the deck holds the focus, the keys decide.
ReviewScreen* showReview(QWidget& window, AppModel& model, FileRevealer& revealer)
{
    window.resize(1000, 760);
    auto* screen = new ReviewScreen(model, revealer, &window);
    screen->resize(window.size());
    window.show();
    screen->setFocus();
    return screen;
}

// A session of two cards, "a.png" on top of "b.png", and of `more` files, on the review screen in
// a window.
struct Deck {
    test::SortingHarness harness;
    std::string first;
    std::string second = harness.source + "/b.png";
    AppModel& model = *harness.model;
    test::RecordingRevealer revealer;
    QWidget window;
    ReviewScreen* screen;

    explicit Deck(bool animations = false, bool confirmTrash = false,
                  const std::vector<std::pair<std::string, std::size_t>>& more = {})
        : first(startSorting(harness, more))
    {
        Preferences preferences = model.state().preferences;
        preferences.animations = animations;
        preferences.confirmTrash = confirmTrash;
        model.setPreferences(preferences);
        screen = showReview(window, model, revealer);
        deliverEvents();
    }

    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool repeat = false)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), repeat);
        QApplication::sendEvent(&window, &event);
    }
    std::vector<std::string> shown() const { return screen->deck().paths(); }
    QString label(const char* name) const
    {
        return screen->findChild<ElidedLabel*>(QString::fromLatin1(name))->text();
    }
    bool buttonsEnabled() const
    {
        return screen->findChild<DecisionButton*>(QStringLiteral("decision-keep"))->isEnabled();
    }
    // Runs the model's work and the flight to their end.
    void finish()
    {
        EXPECT_TRUE(QTest::qWaitFor([&] {
            harness.settle();
            return !screen->inFlight();
        }));
        deliverEvents();
    }
};

bool inTrash(const std::string& name)
{
    return fs::exists(fs::path(test::trashFiles()) / name);
}

TEST(ReviewScreen, AnArrowFliesTheCardOnTopOnceHoweverLongTheKeyIsHeld)
{
    Deck deck(/*animations=*/true);
    EXPECT_EQ(deck.shown(), (std::vector{deck.second, deck.first}));
    EXPECT_EQ(deck.label("sortedCount"), QStringLiteral("0 trié"));
    EXPECT_EQ(deck.label("remainingCount"), QStringLiteral("2 restants"));
    EXPECT_TRUE(deck.buttonsEnabled());

    deck.press(Qt::Key_Left);
    ASSERT_TRUE(deck.screen->inFlight());
    EXPECT_TRUE(deck.model.animatingSwipe());
    EXPECT_EQ(deck.harness.played("trash"), 1U);
    // Held down, pressed again, or clicked: nothing more while the card flies.
    deck.press(Qt::Key_Left, Qt::NoModifier, /*repeat=*/true);
    deck.press(Qt::Key_Right);
    deliverEvents();
    EXPECT_FALSE(deck.buttonsEnabled());
    EXPECT_EQ(deck.shown(), (std::vector{deck.second, deck.first}));

    deck.finish();
    EXPECT_FALSE(fs::exists(deck.first));
    EXPECT_TRUE(inTrash("a.png"));
    EXPECT_TRUE(fs::exists(deck.second));
    EXPECT_EQ(deck.harness.played("trash"), 1U);
    EXPECT_EQ(deck.shown(), std::vector{deck.second});
    EXPECT_EQ(deck.label("sortedCount"), QStringLiteral("1 trié"));
    EXPECT_EQ(deck.label("remainingCount"), QStringLiteral("1 restant"));
    EXPECT_TRUE(deck.buttonsEnabled());
    EXPECT_EQ(deck.screen->deck().card(deck.second)->offset(), QPointF());

    // Ctrl+Shift+Z, redo elsewhere, undoes nothing; Ctrl+Z on the deck undoes, and so does the
    // undo button: the card comes back on top.
    deck.press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    deck.finish();
    EXPECT_TRUE(inTrash("a.png"));
    EXPECT_EQ(deck.model.undoCount(), 1);
    deck.press(Qt::Key_Z, Qt::ControlModifier);
    deck.finish();
    EXPECT_TRUE(fs::exists(deck.first));
    EXPECT_EQ(deck.shown(), (std::vector{deck.second, deck.first}));
    deck.press(Qt::Key_Left);
    deck.finish();
    QTest::mouseClick(deck.screen->findChild<QWidget*>(QStringLiteral("undoButton")),
                      Qt::LeftButton);
    deck.finish();
    EXPECT_TRUE(fs::exists(deck.first));
}

// Stands for Qt's accessibility bridge, installed before the screen: it takes each key from the
// system at its first delivery, to the window, and gives a copy back once the screen reader has
// heard it.
class ScreenReaderBridge : public QObject {
public:
    ScreenReaderBridge() { qApp->installEventFilter(this); }
    ~ScreenReaderBridge() override { qApp->removeEventFilter(this); }
    QStringList heard;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !event->spontaneous()) {
            return false;
        }
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() != Qt::Key_Control) {
            heard << QKeySequence(key.keyCombination()).toString();
        }
        QCoreApplication::postEvent(
            watched, new QKeyEvent(QEvent::KeyPress, key.key(), key.modifiers(), key.text()));
        return true;
    }
};

// Every key of the deck reaches the screen reader before the deck acts on it, the menu's undo
// too, which the window's shortcut would otherwise take before any key is sent.
TEST(ReviewScreen, TheScreenReaderHearsEachKeyBeforeTheDeckActsOnIt)
{
    const ScreenReaderBridge bridge;
    Deck deck;
    QAction menuUndo(&deck.window);
    menuUndo.setShortcut(Qt::CTRL | Qt::Key_Z);
    deck.window.addAction(&menuUndo);
    int menuUndos = 0;
    QObject::connect(&menuUndo, &QAction::triggered, [&menuUndos] { ++menuUndos; });
    QApplication::setActiveWindow(&deck.window);
    QTest::keyClick(deck.window.windowHandle(), Qt::Key_Right);
    deck.finish();
    EXPECT_EQ(deck.model.summary().kept, 1);
    QTest::keyClick(deck.window.windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    deck.finish();
    EXPECT_EQ(deck.model.summary().kept, 0);
    EXPECT_EQ(menuUndos, 0);
    EXPECT_EQ(bridge.heard, (QStringList{"Right", "Ctrl+Z"}));
}

TEST(ReviewScreen, KeysGoToMenusDialogsAndTextFieldsWhenTheyAreOpen)
{
    Deck deck;
    QMenu menu;
    menu.addAction(QStringLiteral("Un"));
    menu.popup(deck.window.mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    deck.press(Qt::Key_Down);
    menu.close();

    auto* field = new QLineEdit(&deck.window);
    field->show();
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Left);
    delete field;

    deck.press(Qt::Key_Right, Qt::AltModifier);
    deck.harness.settle();
    EXPECT_EQ(deck.model.summary().total(), 0);
    EXPECT_FALSE(deck.screen->inFlight());

    // Space opens the preview of the card on top; keys then belong to it.
    deck.press(Qt::Key_Space);
    deck.harness.settle();
    deliverEvents();
    ASSERT_TRUE(deck.model.showPreview());
    deck.press(Qt::Key_Right);
    EXPECT_FALSE(deck.screen->inFlight());
    deck.model.setShowPreview(false);
    deliverEvents();

    // Shift does not matter.
    deck.press(Qt::Key_Right, Qt::ShiftModifier);
    deck.finish();
    EXPECT_EQ(deck.model.summary().kept, 1);
}

TEST(ReviewScreen, TheTrashConfirmationNamesTheFileAndOnlyItsButtonFliesIt)
{
    const test::SchemeScope restore;
    AppearanceApplier().apply(AppAppearance::dark);
    Deck deck(/*animations=*/false, /*confirmTrash=*/true);
    deck.press(Qt::Key_Left);
    deliverEvents();
    EXPECT_FALSE(deck.screen->inFlight());
    auto* box = deck.screen->findChild<QMessageBox*>(QStringLiteral("trashConfirmation"));
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->isVisible());
    EXPECT_TRUE(QString(box->informativeText())
                    .remove(QChar(0x2060))
                    .startsWith("<p>" + shownName("a.png")));
    EXPECT_TRUE(box->informativeText().contains(QStringLiteral("Ctrl+Z")));
    QDir().mkpath(TOLLENVANE_SCREENSHOTS);
    box->grab().save(TOLLENVANE_SCREENSHOTS "/review-trash-confirmation-dark.png");

    deck.press(Qt::Key_Right);
    EXPECT_FALSE(deck.screen->inFlight());
    QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("cancelTrash")), Qt::LeftButton);
    deliverEvents();
    EXPECT_FALSE(deck.model.confirmTrash());
    EXPECT_TRUE(fs::exists(deck.first));

    deck.press(Qt::Key_Left);
    deliverEvents();
    box = deck.screen->findChild<QMessageBox*>(QStringLiteral("trashConfirmation"));
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("confirmTrash")), Qt::LeftButton);
    deck.finish();
    EXPECT_FALSE(fs::exists(deck.first));
    EXPECT_TRUE(fs::exists(deck.second));
    EXPECT_EQ(deck.shown(), std::vector{deck.second});
}

// A name that fits on a line of the confirmation is never broken, and the window's frame gets
// the application's name, which no frame cuts short: the question is already in the alert.
// Copied, the alert gives the name itself, never the marks that keep it whole and isolated.
TEST(ReviewScreen, TheTrashConfirmationKeepsTheNameWholeAndCopiesItAsItIs)
{
    test::SortingHarness harness;
    harness.file("IMG_2024 写真 😀 jog Ça.jpg", 500);
    harness.file("b.png", 400);
    harness.loadScanned();
    harness.startSortingAll();
    AppModel& model = *harness.model;
    Preferences preferences = model.state().preferences;
    preferences.animations = false;
    preferences.confirmTrash = true;
    model.setPreferences(preferences);
    test::RecordingRevealer revealer;
    QWidget window;
    ReviewScreen* screen = showReview(window, model, revealer);
    deliverEvents();
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(&window, &left);
    deliverEvents();

    auto* box = screen->findChild<QMessageBox*>(QStringLiteral("trashConfirmation"));
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Tollenvane"));
    EXPECT_EQ(box->text(), QStringLiteral("Mettre ce fichier à la Corbeille ?"));
    const auto* message = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
    ASSERT_NE(message, nullptr);
    // Laid out as the label lays it out.
    QTextDocument document;
    document.setDefaultFont(message->font());
    document.setDocumentMargin(0);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(option);
    document.setHtml(message->text());
    document.setTextWidth(message->contentsRect().width());
    ASSERT_GT(document.size().height(), 0); // lays it out
    const QString plain = document.toPlainText();
    const auto opening = static_cast<int>(plain.indexOf(QChar(0x2068)));
    const auto closing = static_cast<int>(plain.indexOf(QChar(0x2069)));
    ASSERT_GE(opening, 0);
    const QTextBlock block = document.findBlock(opening);
    ASSERT_EQ(document.findBlock(closing), block);
    const QTextLayout& lines = *block.layout();
    EXPECT_EQ(lines.lineForTextPosition(opening - block.position()).lineNumber(),
              lines.lineForTextPosition(closing - block.position()).lineNumber());
    QDir().mkpath(TOLLENVANE_SCREENSHOTS);
    box->grab().save(TOLLENVANE_SCREENSHOTS "/review-trash-confirmation-whole-name.png");

    EXPECT_EQ(message->textInteractionFlags(), Qt::NoTextInteraction);
    QApplication::clipboard()->clear();
    QTest::keyClick(box->findChild<QPushButton*>(QStringLiteral("cancelTrash")), Qt::Key_C,
                    Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Mettre ce fichier à la Corbeille ?\n\nIMG_2024 写真 😀 jog Ça.jpg "
                             "pourra être restauré avec Ctrl+Z. Tollenvane ne vide jamais la "
                             "Corbeille."));
    EXPECT_TRUE(box->isVisible());
}

// Opened from the keyboard, the confirmation shows at once where the keyboard is: on the safe
// button, its ring drawn, so that Enter keeps the file.
TEST(ReviewScreen, TheTrashConfirmationOpensOnTheSafeButtonWithItsRingDrawn)
{
    const test::SchemeScope restore;
    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        AppearanceApplier().apply(appearance);
        Deck deck(/*animations=*/false, /*confirmTrash=*/true);
        deck.press(Qt::Key_Left);
        deliverEvents();
        auto* box = deck.screen->findChild<QMessageBox*>(QStringLiteral("trashConfirmation"));
        ASSERT_NE(box, nullptr);
        QApplication::setActiveWindow(box);
        deliverEvents();
        auto* cancel = box->findChild<QPushButton*>(QStringLiteral("cancelTrash"));
        EXPECT_EQ(QApplication::focusWidget(), cancel);
        EXPECT_GE(test::ringPixels(*box, *cancel), 20);
        box->grab().save(QStringLiteral(TOLLENVANE_SCREENSHOTS "/review-trash-confirmation-") +
                         (appearance == AppAppearance::dark ? "dark" : "light") + "-focus.png");

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        deliverEvents();
        EXPECT_FALSE(deck.model.confirmTrash());
        EXPECT_FALSE(deck.screen->inFlight());
        EXPECT_TRUE(fs::exists(deck.first));
    }
}

// Confirmed from a decision button, the trash leaves the keyboard on that button, not on
// whatever follows it in the window.
TEST(ReviewScreen, ATrashConfirmedFromADecisionButtonLeavesTheFocusOnIt)
{
    Deck deck(/*animations=*/false, /*confirmTrash=*/true);
    auto* keep = deck.screen->findChild<DecisionButton*>(QStringLiteral("decision-keep"));
    QApplication::setActiveWindow(&deck.window);
    keep->setFocus(Qt::TabFocusReason);
    deck.press(Qt::Key_Left);
    deliverEvents();
    auto* box = deck.screen->findChild<QMessageBox*>(QStringLiteral("trashConfirmation"));
    ASSERT_NE(box, nullptr);
    QApplication::setActiveWindow(box);
    QTest::keyClick(box->findChild<QPushButton*>(QStringLiteral("confirmTrash")), Qt::Key_Space);
    deck.finish();
    QApplication::setActiveWindow(&deck.window);
    deliverEvents();
    EXPECT_TRUE(inTrash(fs::path(deck.first).filename().string()));
    EXPECT_EQ(deck.window.focusWidget(), keep);
}

TEST(ReviewScreen, ADecisionNeverFallsOnTheNextCardAndADroppedFlightFreesTheDeck)
{
    Deck deck(/*animations=*/true);
    // The model's first card changes before the deck could show it: the key decides nothing.
    deck.model.skipUnavailable();
    deck.press(Qt::Key_Left);
    EXPECT_FALSE(deck.screen->inFlight());
    EXPECT_FALSE(deck.model.animatingSwipe());
    EXPECT_EQ(deck.shown(), std::vector{deck.second});

    deck.press(Qt::Key_Left);
    ASSERT_TRUE(deck.screen->inFlight());
    // The flying card leaves the queue another way: the model drops the swipe, never busy.
    deck.model.skipUnavailable();
    deck.finish();
    EXPECT_TRUE(fs::exists(deck.first));
    EXPECT_TRUE(fs::exists(deck.second));
    EXPECT_TRUE(deck.shown().empty());
    EXPECT_TRUE(deck.screen->findChild<QWidget*>(QStringLiteral("pauseButton"))->isEnabled());
}

TEST(ReviewScreen, AFileChangedSinceTheScanIsRefusedAndTheDeckGoesOn)
{
    Deck deck;
    deck.harness.folder.write("home/Pictures/a.png", "changed");
    deck.press(Qt::Key_Left);
    deck.finish();
    ASSERT_TRUE(deck.model.alert());
    EXPECT_EQ(deck.model.alert()->title, "Action impossible");
    EXPECT_TRUE(fs::exists(deck.first));
    EXPECT_EQ(deck.shown(), (std::vector{deck.second, deck.first}));
    EXPECT_EQ(deck.screen->deck().card(deck.first)->offset(), QPointF());
    deck.press(Qt::Key_Down);
    EXPECT_FALSE(deck.screen->inFlight());

    // Once the message is read, the card can be decided again, and is refused again.
    deck.model.dismissAlert();
    deck.press(Qt::Key_Down);
    EXPECT_TRUE(deck.screen->inFlight());
    deck.finish();
    EXPECT_TRUE(deck.model.alert());
    EXPECT_TRUE(deck.buttonsEnabled());
    EXPECT_EQ(deck.shown(), (std::vector{deck.second, deck.first}));
}

TEST(ReviewScreen, QuittingOrLeavingMidFlightCarriesTheDecisionOutOnce)
{
    Deck deck(/*animations=*/true);
    deck.press(Qt::Key_Left);
    ASSERT_TRUE(deck.model.animatingSwipe());
    int quits = 0;
    TerminationController controller(deck.model, [&quits] { ++quits; });
    controller.request();
    EXPECT_TRUE(QTest::qWaitFor([&] {
        deck.harness.settle();
        return quits > 0;
    }));
    EXPECT_FALSE(fs::exists(deck.first));
    EXPECT_EQ(deck.model.summary().trashed, 1);

    // The page goes while the next card flies: decided all the same, once, with one cue.
    deck.press(Qt::Key_Right);
    ASSERT_TRUE(deck.model.animatingSwipe());
    delete deck.screen;
    deck.harness.settle();
    EXPECT_EQ(deck.model.summary().kept, 1);
    EXPECT_EQ(deck.harness.played("keep"), 1U);
    EXPECT_EQ(deck.model.summary().total(), 2);
}

// The names assistive technology can reach from `node`, walking only what reports itself shown.
void shownNames(QAccessibleInterface* node, QStringList& names)
{
    if (node == nullptr || node->state().invisible) {
        return;
    }
    names.append(node->text(QAccessible::Name));
    for (int index = 0; index < node->childCount(); ++index) {
        shownNames(node->child(index), names);
    }
}

QStringList shownNames(QWidget& window)
{
    QStringList names;
    shownNames(QAccessible::queryAccessibleInterface(&window), names);
    return names;
}

// The card is read out as it shows, its name and folder as they are, without the marks that
// isolate them on screen.
TEST(ReviewScreen, OnlyTheCardOnTopIsReadOut)
{
    Deck deck;
    QStringList names = shownNames(deck.window);
    EXPECT_TRUE(names.contains(QStringLiteral("a.png"))) << names.join('|').toStdString();
    EXPECT_TRUE(names.contains(QString::fromStdString(deck.harness.source)));
    EXPECT_FALSE(names.join(QString()).contains(QChar(0x2068))) << names.join('|').toStdString();
    EXPECT_FALSE(names.join(QString()).contains(QChar(0x2069)));
    EXPECT_FALSE(names.contains(QStringLiteral("b.png"))) << names.join('|').toStdString();
    // Asked for directly, the card behind says it is not shown.
    QObject* backFace = deck.screen->deck()
                            .card(deck.second)
                            ->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(backFace, nullptr);
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(backFace)->state().invisible);

    // Once the card on top is decided, the next one is read out in its place.
    deck.press(Qt::Key_Right);
    deck.finish();
    names = shownNames(deck.window);
    EXPECT_FALSE(names.contains(QStringLiteral("a.png")));
    EXPECT_TRUE(names.contains(QStringLiteral("b.png")));
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(backFace)->state().invisible);
}

// A click on a decision button leaves the keys with the deck, so that Space then opens the
// preview rather than pressing the button again; and the focus the person moves elsewhere while a
// card flies stays there when it lands, even from a decision button that held it.
TEST(ReviewScreen, TheFocusStaysWhereThePersonLeftIt)
{
    {
        Deck deck;
        QApplication::setActiveWindow(&deck.window);
        QTest::mouseClick(deck.screen->findChild<QWidget*>(QStringLiteral("decision-later")),
                          Qt::LeftButton);
        deck.finish();
        ASSERT_EQ(deck.model.summary().deferred, 1);
        EXPECT_EQ(QApplication::focusWidget(), deck.screen->deck().card(deck.second));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        deck.harness.settle();
        deliverEvents();
        EXPECT_TRUE(deck.model.showPreview());
        EXPECT_EQ(deck.model.summary().deferred, 1);
    }
    Deck deck(/*animations=*/true);
    QPushButton elsewhere(QStringLiteral("Ailleurs"), &deck.window);
    elsewhere.show();
    QApplication::setActiveWindow(&deck.window);
    auto* keep = deck.screen->findChild<QWidget*>(QStringLiteral("decision-keep"));
    keep->setFocus(Qt::TabFocusReason);
    QTest::keyClick(keep, Qt::Key_Space);
    deliverEvents();
    ASSERT_TRUE(deck.screen->inFlight());
    ASSERT_EQ(QApplication::focusWidget(), keep);
    elsewhere.setFocus(Qt::TabFocusReason);
    deck.finish();
    EXPECT_EQ(deck.model.summary().kept, 1);
    EXPECT_EQ(QApplication::focusWidget(), &elsewhere);
}

// What a screen reader hears of `widget` as it takes the focus: its name, then its description.
QString heardOf(QWidget* widget)
{
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(widget);
    return node == nullptr
               ? QStringLiteral("-")
               : node->text(QAccessible::Name) + " | " + node->text(QAccessible::Description);
}

// Each new card takes the focus as it comes, once the decision has landed or been undone, named
// by its file and described by its folder, so that two copies of one name differ; the card
// behind never has it, nor the one that leaves.
TEST(ReviewScreen, EachNewCardTakesTheFocusNamedByItsFileAndFolder)
{
    Deck deck(/*animations=*/true, /*confirmTrash=*/false, {{"copie/b.png", 300}});
    QApplication::setActiveWindow(&deck.window);
    deliverEvents();
    const QString folder = QString::fromStdString(deck.harness.source);
    const QString first = "a.png, Images, 500 o | " + folder;
    const QString second = "b.png, Images, 400 o | " + folder;
    const QString copy = "b.png, Images, 300 o | " + folder + "/copie";
    EXPECT_EQ(QAccessible::queryAccessibleInterface(QApplication::focusWidget())->role(),
              QAccessible::Grouping);
    EXPECT_EQ(heardOf(QApplication::focusWidget()), first);

    QStringList heard;
    const auto connection =
        QObject::connect(qApp, &QApplication::focusChanged,
                         [&heard](QWidget*, QWidget* now) { heard << heardOf(now); });
    deck.press(Qt::Key_Right);
    EXPECT_TRUE(deck.screen->inFlight());
    QAccessibleInterface* flying =
        QAccessible::queryAccessibleInterface(deck.screen->deck().card(deck.first));
    EXPECT_TRUE(flying->state().invisible);
    EXPECT_EQ(flying->childCount(), 0);
    deck.finish();
    deck.press(Qt::Key_Right);
    deck.finish();
    deck.press(Qt::Key_Z, Qt::ControlModifier);
    deck.finish();
    deck.model.skipUnavailable();
    deck.finish();
    deck.press(Qt::Key_Left);
    deck.finish();
    QObject::disconnect(connection);
    // The session ends with the last card: the page that follows takes the focus from it.
    EXPECT_EQ(heard, (QStringList{second, copy, second, copy}));
}

// What the notices of `screen` say, each time one is told.
class NoticesTold final : public QObject {
public:
    explicit NoticesTold(QWidget& screen)
        : notice_(*screen.findChild<SpokenNotice*>())
    {
        notice_.installEventFilter(this);
    }
    const QStringList& said() const { return said_; }
    QAccessible::Role role() const
    {
        return QAccessible::queryAccessibleInterface(&notice_)->role();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            said_ << notice_.accessibleName();
        }
        return false;
    }

private:
    SpokenNotice& notice_;
    QStringList said_;
};

// Decided from a decision button, the card leaves the focus on the button, its ring drawn, in
// both schemes: the button keeps it while off, the next card is told as a notice, once, and no
// card takes the focus, so that none is heard twice. The deck's keys still decide from there.
TEST(ReviewScreen, ADecisionFromAButtonLeavesTheFocusThereAndTellsTheNextCard)
{
    const test::SchemeScope restore;
    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        AppearanceApplier().apply(appearance);
        Deck deck(/*animations=*/true);
        QApplication::setActiveWindow(&deck.window);
        auto* keep = deck.screen->findChild<DecisionButton*>(QStringLiteral("decision-keep"));
        // As Tab leaves it there.
        keep->setFocus(Qt::TabFocusReason);
        deck.window.setAttribute(Qt::WA_KeyboardFocusChange);
        deliverEvents();
        NoticesTold notices(*deck.screen);
        EXPECT_EQ(notices.role(), QAccessible::Notification);
        test::FocusTold told;
        QTest::keyClick(keep, Qt::Key_Space);
        deliverEvents();
        ASSERT_TRUE(deck.screen->inFlight());
        EXPECT_FALSE(keep->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), keep);
        deck.finish();
        EXPECT_EQ(deck.model.summary().kept, 1);
        EXPECT_TRUE(keep->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), keep);
        EXPECT_GE(test::ringPixels(deck.window, *keep), 20);
        const QString folder = QString::fromStdString(deck.harness.source);
        EXPECT_EQ(notices.said(), QStringList{"b.png, Images, 400 o, " + folder});
        EXPECT_TRUE(told.told().empty()) << told.transcript();

        deck.press(Qt::Key_Left);
        deck.finish();
        EXPECT_EQ(deck.model.summary().trashed, 1);
        EXPECT_EQ(QApplication::focusWidget(), keep);
    }
}

// A session whose last card is decided while a scan may still find more: the deck takes the
// focus from the card that leaves, named as saying so, until the scan's card comes and takes it.
// The deck is named only while it has no card.
TEST(ReviewScreen, TheLastCardLeavesTheFocusToTheDeckNamedOnlyWhileEmpty)
{
    test::SortingHarness harness;
    const std::string known = harness.file("known.png", 900);
    AppModel& model = harness.loadScanned();
    const std::string fresh = harness.file("fresh.png", 800);
    // The session is prepared and decided while the scan waits for its folders.
    const auto settleAllButTheScan = [&harness] {
        do {
            deliverEvents();
        } while (harness.executor->runNext(Priority::normal));
    };
    model.scan();
    SessionFilter images;
    images.type = FileFilter::images;
    model.setFilter(images);
    model.startSession();
    settleAllButTheScan();
    Preferences preferences = model.state().preferences;
    preferences.animations = false;
    model.setPreferences(preferences);
    test::RecordingRevealer revealer;
    QWidget window;
    const ReviewScreen* screen = showReview(window, model, revealer);
    QApplication::setActiveWindow(&window);
    settleAllButTheScan();
    DeckView& deck = screen->deck();
    ASSERT_EQ(deck.paths(), std::vector{known});
    EXPECT_EQ(QApplication::focusWidget(), deck.card(known));
    EXPECT_EQ(deck.accessibleName(), QString());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        settleAllButTheScan();
        return !screen->inFlight() && !model.busy();
    }));
    settleAllButTheScan();
    ASSERT_TRUE(model.scanning());
    ASSERT_TRUE(model.sessionActive());
    EXPECT_EQ(QApplication::focusWidget(), &deck);
    EXPECT_EQ(
        deck.accessibleName(),
        QStringLiteral("Les prochaines cartes arrivent… L’analyse continue en arrière-plan."));

    harness.settle();
    deliverEvents();
    ASSERT_EQ(deck.paths(), std::vector{fresh});
    EXPECT_EQ(QApplication::focusWidget(), deck.card(fresh));
    EXPECT_EQ(deck.accessibleName(), QString());

    // Once all is sorted, the session ends and the deck says so.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        harness.settle();
        return !screen->inFlight() && !model.busy();
    }));
    deliverEvents();
    EXPECT_FALSE(model.sessionActive());
    EXPECT_EQ(deck.accessibleName(),
              QStringLiteral("Tout est trié. Vous pouvez terminer cette session."));
}

// A session over a real picture and a second file, on the screen as it is drawn.
struct PictureDeck {
    test::SortingHarness harness;
    test::RecordingRevealer revealer;
    QWidget window;
    ReviewScreen* screen = nullptr;
    bool thumbnailShown = false;

    PictureDeck()
    {
        QImage photo(1200, 800, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y) {
            for (int x = 0; x < photo.width(); ++x) {
                photo.setPixelColor(x, y, QColor(40 + x / 8, 90 + y / 8, 160));
            }
        }
        photo.save(QString::fromStdString(harness.source + "/Coucher de soleil.png"));
        harness.file("notes.txt", 300);
        harness.loadScanned();
        harness.startSortingAll();
        screen = showReview(window, *harness.model, revealer);
        // The picture's thumbnail is made on a worker thread.
        thumbnailShown = QTest::qWaitFor([this] {
            harness.settle();
            deliverEvents();
            const auto previews = window.findChildren<FilePreview*>();
            return std::any_of(previews.begin(), previews.end(), [](const FilePreview* preview) {
                return preview->file() &&
                       preview->file()->path().ends_with("Coucher de soleil.png") &&
                       preview->layer() == PreviewLayer::thumbnail;
            });
        });
    }

    QImage shot(const char* name)
    {
        const QImage picture = window.grab().toImage();
        QDir().mkpath(TOLLENVANE_SCREENSHOTS);
        picture.save(QString(TOLLENVANE_SCREENSHOTS) + "/" + name);
        return picture;
    }
};

TEST(ReviewScreen, PicturesOfTheDeckInBothSchemesWithTheCardCentred)
{
    const test::SchemeScope restore;
    for (const auto& [appearance, name] :
         {std::pair{AppAppearance::dark, "review-deck-dark.png"},
          std::pair{AppAppearance::light, "review-deck-light.png"}}) {
        AppearanceApplier().apply(appearance);
        PictureDeck deck;
        EXPECT_TRUE(deck.thumbnailShown);
        DeckView& view = deck.screen->deck();
        const std::string top = view.paths().back();
        ASSERT_TRUE(top.ends_with("Coucher de soleil.png"));
        const QRect face = view.card(top)->faceGeometry();
        EXPECT_EQ(face.center(), view.area().center());
        EXPECT_EQ(face.size(), view.frame());
        const QImage picture = deck.shot(name);
        const QPoint origin = view.mapTo(&deck.window, QPoint());
        // The card's edges, at mid height, are the same on both sides: panel inside, page outside.
        const int middle = origin.y() + face.bottom() - 20;
        const QColor panel = Theme::color(Theme::panel);
        EXPECT_EQ(picture.pixelColor(origin.x() + face.left() + 4, middle), panel);
        EXPECT_EQ(picture.pixelColor(origin.x() + face.right() - 4, middle), panel);
        EXPECT_NE(picture.pixelColor(origin.x() + face.left() - 6, middle), panel);
        EXPECT_NE(picture.pixelColor(origin.x() + face.right() + 6, middle), panel);
    }
    // Dragged to the left: the card leans with its badge, the next one shows behind it.
    PictureDeck deck;
    SwipeMotionCard& card = *deck.screen->deck().card(deck.screen->deck().paths().back());
    const QPointF start = QRectF(card.faceGeometry()).center();
    for (const auto& [type, at] : {std::pair{QEvent::MouseButtonPress, start},
                                   {QEvent::MouseMove, start - QPointF(60, 0)},
                                   {QEvent::MouseMove, start - QPointF(160, -10)}}) {
        QMouseEvent event(type, at, card.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&card, &event);
    }
    EXPECT_EQ(card.offset(), QPointF(-160, 10));
    deck.shot("review-deck-drag-light.png");
}

// A card in flight is drawn whole over the row of buttons and over what lies beside the page
// (the sidebar), as far as the window goes.
TEST(ReviewScreen, ACardInFlightIsDrawnOverTheButtonsAndBesideThePage)
{
    PictureDeck deck;
    // A strip left of the page stands for the sidebar.
    deck.screen->setGeometry(QRect(QPoint(160, 0), deck.window.size() - QSize(160, 0)));
    deliverEvents();
    auto* later = deck.screen->findChild<QWidget*>(QStringLiteral("decision-later"));
    // The middle of the button's tile, and the gap under the row.
    const QPoint tile = later->mapTo(&deck.window, QPoint(later->width() / 2, 20));
    const QPoint below =
        later->mapTo(&deck.window, QPoint(later->width() / 2, later->height() + 6));
    // As the window shows it: a picture of the widgets alone would draw each one unclipped.
    const auto shown = [&deck] {
        deck.window.repaint();
        return deck.window.screen()->grabWindow(deck.window.winId()).toImage();
    };
    SwipeMotionCard& card = *deck.screen->deck().card(deck.screen->deck().paths().back());
    const QPointF start = QRectF(card.faceGeometry()).center();
    const auto drag = [&card, start](QPointF by) {
        for (const auto& [type, at] : {std::pair{QEvent::MouseButtonPress, start},
                                       {QEvent::MouseMove, start + by / 4},
                                       {QEvent::MouseMove, start + by}}) {
            QMouseEvent event(type, at, card.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(&card, &event);
        }
    };
    const QImage before = shown();
    drag(QPointF(0, 240));
    ASSERT_EQ(card.intent(), Decision::later);
    ASSERT_GT(card.mapTo(&deck.window, card.faceGeometry().bottomLeft()).y() + 240, below.y());
    const QImage down = shown();
    down.save(TOLLENVANE_SCREENSHOTS "/review-deck-drag-down-light.png");
    EXPECT_NE(down.pixelColor(tile), before.pixelColor(tile));
    EXPECT_NE(down.pixelColor(below), before.pixelColor(below));

    card.reset();
    const QPoint faceLeft = card.mapTo(&deck.window, card.faceGeometry().topLeft());
    const QPoint beside(80, faceLeft.y() + card.faceGeometry().height() / 2);
    drag(QPointF(-(faceLeft.x() - 40), 0));
    ASSERT_EQ(card.intent(), Decision::trash);
    const QImage left = shown();
    left.save(TOLLENVANE_SCREENSHOTS "/review-deck-drag-left-light.png");
    EXPECT_NE(left.pixelColor(beside), before.pixelColor(beside));
}

// A card that flies away leaves nothing of it on what lies beside the page (the sidebar) once it
// has landed, to the left after an earlier decision as downwards.
TEST(ReviewScreen, AFlownCardLeavesNoTraceBesideThePage)
{
    Deck deck(/*animations=*/true, /*confirmTrash=*/false, {{"c.png", 300}, {"d.png", 200}});
    deck.window.resize(1280, 800);
    QWidget sidebar(&deck.window);
    sidebar.setGeometry(0, 0, 220, deck.window.height());
    sidebar.show();
    deck.screen->setGeometry(QRect(QPoint(220, 0), deck.window.size() - QSize(220, 0)));
    deliverEvents();
    // As the window shows it, what was painted last included.
    const auto beside = [&deck, &sidebar] {
        return deck.window.screen()
            ->grabWindow(deck.window.winId())
            .toImage()
            .copy(sidebar.geometry());
    };
    const QImage before = beside();
    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Down}) {
        deck.press(key);
        deck.finish();
        EXPECT_EQ(beside(), before) << key;
    }
}

// What a widget is asked to paint.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget& widget) { widget.installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return QObject::eventFilter(watched, event);
    }
};

// A card dragged over the deck is drawn again where it was and where it goes, its shadow
// included, not over the whole window that its layer covers: what lies beside the page is left
// alone. The layer follows the window's size.
TEST(ReviewScreen, ADraggedCardRepaintsOnlyWhereItGoes)
{
    Deck deck;
    // A strip left of the page stands for the sidebar.
    QWidget strip(&deck.window);
    strip.setGeometry(0, 0, 160, deck.window.height());
    strip.show();
    deck.screen->setGeometry(QRect(QPoint(160, 0), deck.window.size() - QSize(160, 0)));
    deliverEvents();
    auto* stage = deck.window.findChild<QWidget*>(QStringLiteral("flightStage"));
    ASSERT_NE(stage, nullptr);
    PaintLog beside(strip);
    PaintLog drawn(*stage);

    SwipeMotionCard& card = *deck.screen->deck().card(deck.first);
    const QPointF start = QRectF(card.faceGeometry()).center();
    const auto send = [&card](QEvent::Type type, QPointF at) {
        QMouseEvent event(type, at, card.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&card, &event);
    };
    send(QEvent::MouseButtonPress, start);
    // The card with its whole shadow, where it was as where it goes.
    const int reach = qCeil(SwipeMotionCard::shadowReach);
    const QRect shadowed = card.faceGeometry()
                               .translated(card.mapTo(&deck.window, QPoint()))
                               .adjusted(-reach, -reach, reach, reach);
    for (int step = 1; step <= 10; ++step) {
        drawn.painted = QRegion();
        send(QEvent::MouseMove, start + QPointF(0, 6 * step));
        deliverEvents();
        // At rest the card paints in its own widget, within the deck.
        const QRegion both =
            QRegion(shadowed.translated(0, 6 * step)) +
            (step > 1 ? QRegion(shadowed.translated(0, 6 * (step - 1))) : QRegion());
        EXPECT_TRUE((both - drawn.painted).isEmpty()) << step;
    }
    send(QEvent::MouseButtonRelease, start + QPointF(0, 60));
    EXPECT_TRUE(beside.painted.isEmpty());

    deck.window.resize(1240, 900);
    deliverEvents();
    EXPECT_EQ(stage->geometry(), deck.window.rect());
}

TEST(ReviewScreen, PictureOfTheMoveSheetOverTheDeck)
{
    const test::SchemeScope restore;
    AppearanceApplier().apply(AppAppearance::dark);
    PictureDeck deck;
    deck.harness.addDestination(deck.harness.outside);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(&deck.window, &up);
    deliverEvents();
    EXPECT_FALSE(deck.screen->inFlight());
    auto* sheet = deck.screen->findChild<MoveSheet*>();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(sheet->isVisible());
    QImage picture = deck.shot("review-move-sheet-dark.png");
    QPainter painter(&picture);
    const QImage sheetPicture = sheet->grab().toImage();
    painter.drawImage((picture.width() - sheetPicture.width()) / 2, 40, sheetPicture);
    painter.end();
    picture.save(TOLLENVANE_SCREENSHOTS "/review-move-sheet-dark.png");
    EXPECT_EQ(sheetPicture.pixelColor(3, 3), Theme::color(Theme::bg));

    // Closing the sheet leaves the card where it was.
    QTest::keyClick(sheet, Qt::Key_Escape);
    deliverEvents();
    EXPECT_FALSE(deck.harness.model->showMove());
    EXPECT_EQ(deck.screen->deck().paths().size(), 2U);
}

} // namespace
} // namespace tollenvane
