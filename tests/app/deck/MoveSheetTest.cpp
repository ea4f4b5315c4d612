#include "app/deck/MoveSheet.h"

#include "app/deck/DestinationButton.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/EmptyState.h"
#include "app/design/LocalizedText.h"
#include "app/design/ShownName.h"
#include "app/design/Theme.h"
#include "core/localisation/Localization.h"
#include "design/SchemeScope.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "support/DeliverEvents.h"
#include "support/FocusRingPixels.h"
#include "support/ScopedLanguage.h"
#include "support/Screenshots.h"
#include "support/TempDir.h"
#include "support/ToldNotices.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

// Rows are rebuilt as the model changes; only the shown ones count.
template <class T>
std::vector<T*> shown(const QWidget& sheet, const QString& name = {})
{
    // New rows are shown by a posted event.
    QCoreApplication::sendPostedEvents();
    std::vector<T*> found;
    for (T* child : sheet.findChildren<T*>(name)) {
        if (child->isVisible()) {
            found.push_back(child);
        }
    }
    return found;
}

// A session of two cards with the move sheet open over one destination, "elsewhere".
std::string startWith(test::SortingHarness& harness, const std::string& largest)
{
    if (!largest.empty()) {
        harness.file(largest, 900);
    }
    return harness.startSortingTwo();
}

// `largest`, when given, names a file that comes before the two as the current card.
struct OpenSheet {
    test::SortingHarness harness;
    std::string card;
    std::string destination;
    AppModel& model;
    QWidget window;
    MoveSheet* sheet;

    // `language`, when given, is the one the sheet opens in; loading the model reads the saved
    // one.
    explicit OpenSheet(const std::string& largest = {}, const std::string& destinationName = {},
                       std::optional<AppLanguage> language = std::nullopt,
                       const std::vector<std::string>& moreDestinations = {})
        : card(startWith(harness, largest))
        , destination(harness.addDestination(destinationName.empty()
                                                 ? harness.outside
                                                 : harness.folder.makeFolder(destinationName)))
        , model(*harness.model)
    {
        for (const std::string& more : moreDestinations) {
            harness.addDestination(harness.folder.makeFolder(more));
        }
        if (language) {
            Preferences preferences = model.state().preferences;
            preferences.language = *language;
            model.setPreferences(preferences);
        }
        window.resize(900, 800);
        window.show();
        model.request(Decision::move);
        sheet = new MoveSheet(model, &window);
        sheet->open();
    }

    DestinationButton& row() const
    {
        const auto rows = shown<DestinationButton>(*sheet);
        EXPECT_EQ(rows.size(), 1U);
        return *rows.at(0);
    }
};

TEST(MoveSheet, ADestinationMovesTheCardAndClosesButNotWhileBusy)
{
    OpenSheet open;
    ASSERT_TRUE(open.model.showMove());
    ASSERT_TRUE(open.sheet->isVisible());
    EXPECT_EQ(shown<ElidedLabel>(*open.sheet, QStringLiteral("subtitle")).at(0)->text(),
              shownName("a.png"));
    EXPECT_EQ(open.row().locationLabel().text(), shownName(open.destination));

    QTest::mouseClick(&open.row(), Qt::LeftButton);
    ASSERT_TRUE(open.model.busy());
    QTest::keyClick(open.sheet, Qt::Key_Escape);
    EXPECT_TRUE(open.sheet->isVisible());
    EXPECT_TRUE(open.model.showMove());
    EXPECT_FALSE(open.row().isEnabled());
    EXPECT_FALSE(
        shown<QAbstractButton>(*open.sheet, QStringLiteral("closeButton")).at(0)->isEnabled());

    open.harness.settle();
    EXPECT_TRUE(fs::exists(fs::path(open.destination) / "a.png"));
    EXPECT_FALSE(fs::exists(open.card));
    EXPECT_FALSE(open.model.showMove());
    EXPECT_FALSE(open.sheet->isVisible());
}

TEST(MoveSheet, AFailedMoveKeepsTheSheetOpenAndEscapeClosesItAfterwards)
{
    OpenSheet open;
    const std::string blocker = open.harness.folder.write("elsewhere/a.png", "other");
    QTest::mouseClick(&open.row(), Qt::LeftButton);
    open.harness.settle();
    ASSERT_TRUE(open.model.alert());
    EXPECT_EQ(open.model.alert()->title, "Action impossible");
    EXPECT_TRUE(fs::exists(open.card));
    EXPECT_TRUE(open.model.showMove());
    EXPECT_TRUE(open.sheet->isVisible());
    EXPECT_TRUE(open.row().isEnabled());

    open.model.dismissAlert();
    QTest::keyClick(open.sheet, Qt::Key_Escape);
    EXPECT_FALSE(open.model.showMove());
    EXPECT_FALSE(open.sheet->isVisible());
}

// The file's name, the destinations' names and paths and the parents offered are read out as
// they are: a screen reader would spell out the marks that isolate them on screen.
TEST(MoveSheet, NamesAreReadOutWithoutTheirMarks)
{
    OpenSheet open({}, "Été 2024");
    const auto spoken = [](QWidget& widget) {
        return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Name);
    };
    auto* subtitle = shown<ElidedLabel>(*open.sheet, QStringLiteral("subtitle")).at(0);
    EXPECT_EQ(subtitle->text(), shownName("a.png"));
    EXPECT_EQ(spoken(*subtitle), QStringLiteral("a.png"));
    DestinationButton& row = open.row();
    EXPECT_EQ(spoken(row), QStringLiteral("Été 2024"));
    EXPECT_EQ(spoken(*row.findChild<QWidget*>(QStringLiteral("destinationName"))),
              QStringLiteral("Été 2024"));
    EXPECT_EQ(spoken(*row.findChild<QWidget*>(QStringLiteral("destinationLocation"))),
              QString::fromStdString(open.destination));

    auto* parents = open.sheet->findChild<QComboBox*>(QStringLiteral("parentPicker"));
    ASSERT_EQ(parents->count(), 2);
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(parents->view());
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->tableInterface(), nullptr);
    QAccessibleInterface* offered = list->tableInterface()->cellAt(1, 0);
    ASSERT_NE(offered, nullptr);
    EXPECT_EQ(offered->text(QAccessible::Name), QStringLiteral("Été 2024"));

    // The sheet is heard by its title then the file it moves, a destination by its name then
    // where it leads, and each of its controls by a name.
    const auto described = [](QWidget& widget) {
        return QAccessible::queryAccessibleInterface(&widget)->text(QAccessible::Description);
    };
    EXPECT_EQ(spoken(*open.sheet), QStringLiteral("Une place pour ce fichier."));
    EXPECT_EQ(described(*open.sheet), QStringLiteral("a.png"));
    EXPECT_EQ(described(row), QString::fromStdString(open.destination));
    for (QWidget* control : open.sheet->findChildren<QWidget*>()) {
        if ((control->focusPolicy() & Qt::TabFocus) != 0 && control->isVisibleTo(open.sheet)) {
            EXPECT_FALSE(spoken(*control).isEmpty())
                << control->metaObject()->className() << " " << control->objectName().toStdString();
        }
    }
}

TEST(MoveSheet, ASubFolderIsCreatedTrimmedAndItsParentForgottenWhenRemoved)
{
    OpenSheet open;
    auto* name = open.sheet->findChild<QLineEdit*>(QStringLiteral("newFolder"));
    auto* parents = open.sheet->findChild<QComboBox*>(QStringLiteral("parentPicker"));
    auto* create = open.sheet->findChild<QPushButton*>(QStringLiteral("createButton"));
    ASSERT_EQ(parents->count(), 2);
    QTest::keyClicks(name, QStringLiteral("\tCaptures "));
    EXPECT_FALSE(create->isEnabled());
    parents->setCurrentIndex(1);
    emit parents->activated(1);
    const std::string parentID = open.model.state().destinations.front().id;
    ASSERT_TRUE(create->isEnabled());

    // Return ends the edit, nothing more.
    QTest::keyClick(name, Qt::Key_Return);
    open.harness.settle();
    EXPECT_FALSE(fs::exists(fs::path(open.destination) / "Captures"));
    EXPECT_TRUE(open.sheet->isVisible());

    QTest::mouseClick(create, Qt::LeftButton);
    EXPECT_FALSE(create->isEnabled());
    open.harness.settle();
    EXPECT_TRUE(fs::is_directory(fs::path(open.destination) / "Captures"));
    EXPECT_TRUE(name->text().isEmpty());
    ASSERT_EQ(open.model.state().destinations.size(), 2U);
    EXPECT_EQ(open.model.state().destinations.front().name, "Captures");

    // The parent is kept until its grant goes.
    QTest::keyClicks(name, QStringLiteral("Encore"));
    EXPECT_TRUE(create->isEnabled());
    ASSERT_EQ(shown<QAbstractButton>(*open.sheet, QStringLiteral("removeButton")).size(), 2U);
    auto* parentLine = open.sheet->findChild<QWidget*>(QString::fromStdString(parentID));
    ASSERT_NE(parentLine, nullptr);
    QTest::mouseClick(parentLine->findChild<QAbstractButton*>(QStringLiteral("removeButton")),
                      Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(create->isEnabled());
    EXPECT_EQ(parents->currentIndex(), 0);
}

// The sub-folder form of the active sheet, `typed` in its name, the first destination chosen as
// the parent, and "Créer" pressed from the keyboard.
// What is told of the destination a Create made.
QString toldCreated(const char* name)
{
    return spokenText(localized("Destination ajoutée : {0}", {shownName(name).toStdString()}));
}

struct CreatedFromTheKeyboard {
    QLineEdit* name;
    QPushButton* create;

    CreatedFromTheKeyboard(MoveSheet& sheet, const QString& typed)
        : name(sheet.findChild<QLineEdit*>(QStringLiteral("newFolder")))
        , create(sheet.findChild<QPushButton*>(QStringLiteral("createButton")))
    {
        QApplication::setActiveWindow(&sheet);
        QTest::keyClicks(name, typed);
        auto* parents = sheet.findChild<QComboBox*>(QStringLiteral("parentPicker"));
        parents->setCurrentIndex(1);
        emit parents->activated(1);
        EXPECT_TRUE(create->isEnabled());
        create->setFocus(Qt::TabFocusReason);
        QTest::keyClick(create, Qt::Key_Space);
    }
};

TEST(MoveSheet, CreatingFromTheKeyboardLeavesTheFocusOnTheName)
{
    OpenSheet open;
    const test::AccessibleEvents told;
    // The focus waits on the button while the folder is made, then goes to the name, never on
    // to the button that closes the sheet.
    const CreatedFromTheKeyboard form(*open.sheet, QStringLiteral("Clavier"));
    EXPECT_EQ(QApplication::focusWidget(), form.create);
    open.harness.settle();
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(fs::is_directory(fs::path(open.destination) / "Clavier"));
    EXPECT_EQ(QApplication::focusWidget(), form.name);
    EXPECT_TRUE(open.sheet->isVisible());
    // The new destination is told after the focus that came back to the name.
    ASSERT_TRUE(test::waitForNotice(told, toldCreated("Clavier"))) << told.transcript();
    const auto focused = test::focusAt(told, *form.name);
    ASSERT_TRUE(focused.has_value());
    EXPECT_LT(*focused, *test::noticeAt(told, toldCreated("Clavier")));
}

// A name that would make the folder outside the destination is refused with the reason, and
// stays typed, the focus on it, for the user to correct.
TEST(MoveSheet, ARefusedNameSaysWhyAndStaysForCorrecting)
{
    OpenSheet open;
    const test::AccessibleEvents told;
    const std::vector<std::string> inside = test::entries(open.destination);
    const std::vector<std::string> beside = test::entries(open.destination + "/..");
    const CreatedFromTheKeyboard form(*open.sheet, QStringLiteral("../escaped"));
    QLineEdit* name = form.name;
    QPushButton* create = form.create;
    open.harness.settle();
    QCoreApplication::sendPostedEvents();

    ASSERT_TRUE(open.model.alert());
    EXPECT_EQ(open.model.alert()->message,
              Localization::text("Un nom de dossier ne peut contenir ni «\u00A0/\u00A0» ni "
                                 "«\u00A0:\u00A0»."));
    EXPECT_EQ(name->text(), QStringLiteral("../escaped"));
    EXPECT_EQ(QApplication::focusWidget(), name);
    EXPECT_TRUE(create->isEnabled());
    EXPECT_EQ(test::entries(open.destination), inside);
    EXPECT_EQ(test::entries(open.destination + "/.."), beside);
    EXPECT_EQ(open.model.state().destinations.size(), 1U);
    open.model.dismissAlert();

    // Corrected, it is made where asked and the name is cleared for the next one.
    name->setText(QStringLiteral("escaped"));
    QTest::mouseClick(create, Qt::LeftButton);
    open.harness.settle();
    EXPECT_TRUE(fs::is_directory(fs::path(open.destination) / "escaped"));
    EXPECT_TRUE(name->text().isEmpty());
    // Only the folder made is told.
    ASSERT_TRUE(test::waitForNotice(told, toldCreated("escaped")));
    EXPECT_EQ(test::noticesSaid(told),
              std::vector<std::string>{toldCreated("escaped").toStdString()});
}

TEST(MoveSheet, FavouriteTogglesInPlaceAndRemovingTheLastShowsThePlaceholder)
{
    OpenSheet open;
    const bool favorite = open.model.state().destinations.front().favorite;
    QAbstractButton* star =
        shown<QAbstractButton>(*open.sheet, QStringLiteral("favoriteButton")).at(0);
    const auto heardOn = [star] {
        const QAccessible::State state = QAccessible::queryAccessibleInterface(star)->state();
        return state.checkable && state.checked;
    };
    EXPECT_EQ(heardOn(), favorite);
    QTest::mouseClick(star, Qt::LeftButton);
    EXPECT_NE(open.model.state().destinations.front().favorite, favorite);
    test::deliverEvents();
    EXPECT_EQ(heardOn(), !favorite) << "heard as the star shows";
    open.harness.flush();
    EXPECT_EQ(open.harness.stateOnDisk().destinations, open.model.state().destinations);

    EXPECT_TRUE(shown<EmptyState>(*open.sheet).empty());
    QTest::mouseClick(shown<QAbstractButton>(*open.sheet, QStringLiteral("removeButton")).at(0),
                      Qt::LeftButton);
    EXPECT_TRUE(open.model.state().destinations.empty());
    EXPECT_EQ(shown<EmptyState>(*open.sheet).size(), 1U);
    EXPECT_TRUE(shown<DestinationButton>(*open.sheet).empty());
}

TEST(MoveSheet, AnUnreachableDestinationAsksForRenewal)
{
    OpenSheet open;
    fs::remove(open.destination);
    open.model.resolveGrants();
    open.harness.settle();
    EXPECT_EQ(open.row().locationLabel().text(), QStringLiteral("Accès à renouveler"));
    EXPECT_FALSE(open.row().isEnabled());
    EXPECT_EQ(open.sheet->findChild<QComboBox*>(QStringLiteral("parentPicker"))->count(), 1);
    const auto renew = shown<QAbstractButton>(*open.sheet, QStringLiteral("renewButton"));
    ASSERT_EQ(renew.size(), 1U);
    QTest::mouseClick(renew.at(0), Qt::LeftButton);
    ASSERT_FALSE(open.harness.panel->requests.empty());
    EXPECT_EQ(open.harness.panel->requests.back().prompt, "Choisir la destination");
}

TEST(MoveSheet, LongNamesKeepTheFixedWidthAndEveryButtonInSight)
{
    const std::string file = std::string(150, 'x') + "_final.png";
    OpenSheet open(file, "home/" + std::string(120, 'D'));
    QCoreApplication::processEvents();
    EXPECT_EQ(open.sheet->width(), MoveSheet::fixedWidth);
    const auto* subtitle = shown<ElidedLabel>(*open.sheet, QStringLiteral("subtitle")).at(0);
    EXPECT_EQ(subtitle->text(), shownName(file));
    const QString drawn = subtitle->fitted().text;
    EXPECT_TRUE(drawn.startsWith(shownName("xxx").chopped(1)) &&
                drawn.endsWith(shownName("final.png").mid(1)) && drawn.contains(QChar(0x2026)))
        << drawn.toStdString();
    const QRect sheetArea = open.sheet->rect();
    for (const char* name : {"closeButton", "favoriteButton", "removeButton"}) {
        for (const QAbstractButton* button : shown<QAbstractButton>(*open.sheet, name)) {
            const QRect area(button->mapTo(open.sheet, QPoint()), button->size());
            EXPECT_TRUE(sheetArea.contains(area)) << name;
        }
    }
}

TEST(MoveSheet, ColoursFollowAnAppearanceChangeWhileOpen)
{
    const test::SchemeScope restore;
    AppearanceApplier appearance;
    appearance.apply(AppAppearance::dark);
    OpenSheet open;
    appearance.apply(AppAppearance::light);
    QCoreApplication::processEvents();
    const QImage shot = open.sheet->grab().toImage();
    const auto* divider = open.sheet->findChild<QWidget*>(QStringLiteral("divider"));
    const QPoint middle = divider->mapTo(open.sheet, divider->rect().center());
    EXPECT_EQ(shot.pixelColor(middle), Theme::color(Theme::line));
    EXPECT_EQ(shot.pixelColor(3, 3), Theme::color(Theme::bg));
}

TEST(MoveSheet, TheFocusOpensDrawnOnTheFirstDestinationAndStaysOnTheOneChosen)
{
    const test::SchemeScope restore;
    AppearanceApplier().apply(AppAppearance::dark);
    // "Archives", added last, comes first; "elsewhere" holds a file of the card's name.
    OpenSheet open({}, {}, std::nullopt, {"home/Archives"});
    open.harness.folder.write("elsewhere/a.png", "other");
    QApplication::setActiveWindow(open.sheet);
    const auto lines = shown<DestinationButton>(*open.sheet);
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(QApplication::focusWidget(), lines.at(0));
    EXPECT_GE(test::ringPixels(*open.sheet, *lines.at(0)), 20);
    EXPECT_TRUE(open.sheet->grab().save(test::screenshotFolder() + "/move-sheet-focus-dark.png"));

    // Tab walks the sheet as it is laid out: the first line's buttons, then the next line.
    for (const char* next : {"favoriteButton", "removeButton", ""}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
    }
    const QPointer<QWidget> chosen = QApplication::focusWidget();
    ASSERT_EQ(chosen, lines.at(1));

    // The model changes under it: another destination's star, a new resolution of the grants.
    open.model.toggleFavoriteDestination(open.model.state().destinations.front().id);
    open.model.resolveGrants();
    open.harness.settle();
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(QApplication::focusWidget(), chosen);

    // A move that runs leaves the focus on the destination chosen, passing over no other
    // control, and it has it again when the move fails.
    QStringList passed;
    const auto connection =
        QObject::connect(qApp, &QApplication::focusChanged, [&passed](QWidget*, QWidget* now) {
            passed << (now ? now->objectName() : "-");
        });
    QTest::keyClick(chosen, Qt::Key_Space);
    ASSERT_TRUE(open.model.busy());
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(chosen->isEnabled());
    open.harness.settle();
    QCoreApplication::sendPostedEvents();
    QObject::disconnect(connection);
    ASSERT_TRUE(open.model.alert());
    EXPECT_TRUE(fs::exists(open.card));
    EXPECT_EQ(QApplication::focusWidget(), chosen);
    EXPECT_TRUE(passed.isEmpty()) << passed.join(' ').toStdString();
}

TEST(MoveSheet, PicturesInDarkFrenchAndLightEnglish)
{
    const test::SchemeScope restore;
    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        const bool dark = appearance == AppAppearance::dark;
        const AppLanguage spoken = dark ? AppLanguage::fr : AppLanguage::en;
        const test::ScopedLanguage language(spoken);
        AppearanceApplier().apply(appearance);
        OpenSheet open(std::string(90, 'x') + "_final.png", "home/Documents/Archives 2024", spoken,
                       {"home/" + std::string(70, 'D')});
        QCoreApplication::processEvents();
        EXPECT_EQ(shown<ElidedLabel>(*open.sheet, QStringLiteral("title")).at(0)->text(),
                  dark ? QStringLiteral("Une place pour ce fichier.")
                       : QStringLiteral("A place for this file."));
        const QImage shot = open.sheet->grab().toImage();
        EXPECT_EQ(shot.width(), MoveSheet::fixedWidth);
        EXPECT_EQ(shot.pixelColor(3, 3), Theme::color(Theme::bg));
        const QString shots = test::screenshotFolder();
        EXPECT_TRUE(shot.save(shots + (dark ? "/move-sheet-dark.png" : "/move-sheet-light.png")));
    }
}

} // namespace
} // namespace tollenvane
