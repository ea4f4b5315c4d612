// What a screen reader hears of the window: plain names, pickers named by their labels, choices
// that say whether they are chosen, and copies of one file told apart.
#include "app/deck/MoveSheet.h"
#include "app/design/LocalizedText.h"
#include "app/design/ShownName.h"
#include "app/screens/dashboard/DashboardPage.h"
#include "app/screens/duplicates/DuplicatesPage.h"
#include "app/screens/sources/SourcesPage.h"
#include "app/shell/RootView.h"
#include "app/tutorial/TutorialOverlay.h"
#include "core/localisation/Formatting.h"
#include "model/support/SortingHarness.h"
#include "screens/storage/ScannedDesk.h"
#include "support/DeliverEvents.h"
#include "support/FocusRingPixels.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QTest>

namespace tollenvane {
namespace {

// What is heard of `widget`, one of the texts of its interface.
std::string heard(QWidget& top, const char* name, QAccessible::Text kind = QAccessible::Name)
{
    auto* widget = top.findChild<QWidget*>(QString::fromLatin1(name));
    return widget == nullptr
               ? "no " + std::string(name)
               : QAccessible::queryAccessibleInterface(widget)->text(kind).toStdString();
}

// Every name, description and value of the accessible tree under `node`.
void heardUnder(QAccessibleInterface* node, QStringList& texts)
{
    for (const QAccessible::Text kind :
         {QAccessible::Name, QAccessible::Description, QAccessible::Value}) {
        texts << node->text(kind);
    }
    for (int index = 0; index < node->childCount(); ++index) {
        if (QAccessibleInterface* child = node->child(index)) {
            heardUnder(child, texts);
        }
    }
}

AppModel& showing(AppModel& model, Page page)
{
    model.navigate(page);
    return model;
}

// The window on `page`, shown, active and settled.
struct PageWindow {
    RootView view;

    PageWindow(test::ScannedDesk& desk, Page page)
        : view(showing(desk.model(), page))
    {
        view.resize(1200, 840);
        view.show();
        QApplication::setActiveWindow(&view);
        desk.settle();
    }
};

TEST(AssistiveReading, NoPageReadsTheMarksOfItsNamesNorTheMarkupOfItsToolTips)
{
    test::ScannedDesk desk;
    desk.harness.folder.write("home/Projects/\u202Etxt.exe", std::string(900'000, 'r'));
    desk.model().scan();
    desk.settle();
    desk.model().openStorageFolder(desk.source);
    for (const Page page : {Page::dashboard, Page::space, Page::sources, Page::setup,
                            Page::settings, Page::applications}) {
        SCOPED_TRACE(rawValue(page));
        PageWindow window(desk, page);
        QStringList texts;
        heardUnder(QAccessible::queryAccessibleInterface(&window.view), texts);
        for (const QString& text : texts) {
            EXPECT_FALSE(text.contains(QChar(0x2068)) || text.contains(QChar(0x2069)) ||
                         text.startsWith(QStringLiteral("<qt>")))
                << text.toStdString();
        }
        if (page == Page::space) {
            // The name itself is heard, its reversing control still marked.
            EXPECT_TRUE(texts.contains(
                spokenText("<U+202E>txt.exe, " + QString::fromStdString(formattedBytes(900'000)))))
                << texts.join(" | ").toStdString();
            EXPECT_TRUE(texts.contains(localized("Afficher dans le gestionnaire de fichiers")));
        }
    }
}

// Whether `picker` on `top` is read as `label`, showing its entry as its value.
void expectNamed(QWidget& top, const char* picker, const char* label)
{
    SCOPED_TRACE(picker);
    const auto* box = top.findChild<QComboBox*>(QString::fromLatin1(picker));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(heard(top, picker), localized(label).toStdString());
    EXPECT_EQ(heard(top, picker, QAccessible::Value), spokenText(box->currentText()).toStdString());
}

// A page holds the keyboard while its call to action is not open yet: it is heard by its title,
// not as a blank.
TEST(AssistiveReading, APageIsHeardByItsTitle)
{
    test::ScannedDesk desk;
    {
        PageWindow window(desk, Page::dashboard);
        auto* page = window.view.findChild<DashboardPage*>();
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(page)->text(QAccessible::Name),
                  localized("Accueil"));
    }
    PageWindow window(desk, Page::sources);
    auto* page = window.view.findChild<SourcesPage*>();
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(page)->text(QAccessible::Name),
              localized("Sources"));
}

TEST(AssistiveReading, EveryPickerIsNamedByItsLabelAndReadsItsEntryAsItsValue)
{
    test::ScannedDesk desk;
    AppModel& model = desk.model();
    const StorageVolume& disk = model.volumes().back();
    SessionFilter filter = model.filter();
    filter.volumeDevice = disk.device;
    model.setFilter(filter);
    for (const auto& [page, pickers] :
         std::vector<std::pair<Page, std::vector<std::pair<const char*, const char*>>>>{
             {Page::settings,
              {{"languagePicker", "Langue"}, {"minimumSizePicker", "Taille minimale"}}},
             {Page::setup,
              {{"volumePicker", "Disque"}, {"sizePicker", "Taille"}, {"agePicker", "Ancienneté"}}},
             {Page::applications, {{"age", "Afficher"}, {"order", "Ordre"}}},
         }) {
        PageWindow window(desk, page);
        for (const auto& [picker, label] : pickers) {
            expectNamed(window.view, picker, label);
        }
        if (page == Page::setup) {
            // The disk's name is read without the marks that show it.
            EXPECT_EQ(heard(window.view, "volumePicker", QAccessible::Value), disk.name);
        }
    }
    model.setShowTutorial(true);
    TutorialOverlay overlay(model);
    expectNamed(overlay, "languagePicker", "Langue");

    test::SortingHarness harness;
    harness.startSortingTwo();
    harness.model->request(Decision::move);
    QWidget window;
    window.show();
    auto* sheet = new MoveSheet(*harness.model, &window);
    sheet->open();
    test::deliverEvents();
    expectNamed(*sheet, "parentPicker", "Dans");
}

// Whether assistive technology reads `tile` as a choice named `name`, chosen or not.
void expectChoice(QWidget& top, const char* tile, const char* name, bool chosen)
{
    SCOPED_TRACE(tile);
    auto* widget = top.findChild<QWidget*>(QString::fromLatin1(tile));
    ASSERT_NE(widget, nullptr);
    QAccessibleInterface& read = *QAccessible::queryAccessibleInterface(widget);
    EXPECT_EQ(read.text(QAccessible::Name), localized(name));
    EXPECT_TRUE(read.state().checkable);
    EXPECT_EQ(read.state().checked, chosen);
}

TEST(AssistiveReading, EveryChoosableTileSaysWhetherItIsChosen)
{
    test::ScannedDesk desk;
    AppModel& model = desk.model();
    {
        PageWindow window(desk, Page::setup);
        expectChoice(window.view, "typeTile-all", "Tout", true);
        QTest::mouseClick(window.view.findChild<QWidget*>("typeTile-images"), Qt::LeftButton);
        desk.settle();
        expectChoice(window.view, "typeTile-all", "Tout", false);
        expectChoice(window.view, "typeTile-images", "Images", true);
    }
    {
        PageWindow window(desk, Page::settings);
        expectChoice(window.view, "appearance-dark", "Sombre", true);
        expectChoice(window.view, "appearance-system", "Automatique", false);
        // The sidebar says which page is shown.
        expectChoice(window.view, "nav-settings", "Réglages", true);
        expectChoice(window.view, "nav-dashboard", "Accueil", false);
    }

    // In the tutorial's appearance picker, the chosen option holds the focus and the arrows move
    // both.
    Preferences preferences = model.state().preferences;
    preferences.animations = false;
    model.setPreferences(preferences);
    model.setShowTutorial(true);
    TutorialOverlay overlay(model);
    overlay.resize(1280, 740);
    overlay.show();
    QApplication::setActiveWindow(&overlay);
    for (int step = 0; step < 3; ++step) {
        QTest::mouseClick(overlay.findChild<QWidget*>("continueButton"), Qt::LeftButton);
    }
    auto* picker = overlay.findChild<QWidget*>("appearancePicker");
    EXPECT_EQ(heard(overlay, "appearancePicker"), localized("Apparence").toStdString());
    overlay.findChild<QWidget*>("soundsSwitch")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QWidget& dark = *QApplication::focusWidget();
    EXPECT_TRUE(picker->isAncestorOf(&dark));
    QTest::keyClick(&dark, Qt::Key_Right);
    EXPECT_EQ(model.state().preferences.appearance, AppAppearance::light);
    QWidget& light = *QApplication::focusWidget();
    test::deliverEvents();
    EXPECT_GE(test::ringPixels(overlay, light), 20);
    EXPECT_TRUE(overlay.grab().save(test::screenshotFolder() + "/tutorial-appearance-keys.png"));
    for (const auto& [option, name, chosen] :
         {std::tuple{&dark, "Sombre", false}, std::tuple{&light, "Clair", true}}) {
        QAccessibleInterface& read = *QAccessible::queryAccessibleInterface(option);
        EXPECT_EQ(read.text(QAccessible::Name), localized(name));
        EXPECT_EQ(read.state().checked, chosen) << name;
        EXPECT_TRUE(read.state().checkable);
    }
}

TEST(AssistiveReading, TheCopiesOfAGroupAreReadWithTheirFoldersAndSizes)
{
    test::SortingHarness harness;
    harness.folder.write("home/Pictures/Screenshot 3.png", std::string(30'000, 's'));
    harness.folder.write("home/Pictures/Desk/Screenshot 3.png", std::string(30'000, 's'));
    AppModel& model = harness.loadScanned();
    DuplicatesPage page(model);
    page.resize(900, 700);
    page.show();
    model.findDuplicates();
    harness.settle();
    test::deliverEvents();
    for (const char* control : {"previewButton", "keepButton"}) {
        QStringList heard;
        for (QAbstractButton* button : page.findChildren<QAbstractButton*>(control)) {
            if (button->isVisibleTo(&page)) {
                heard << QAccessible::queryAccessibleInterface(button)->text(
                    QAccessible::Description);
            }
        }
        heard.sort();
        const QString pictures = QString::fromStdString(harness.source);
        const QString size = spokenText(QString::fromStdString(formattedBytes(30'000)));
        EXPECT_EQ(heard.join(" | ").toStdString(),
                  ("Screenshot 3.png, " + pictures + ", " + size + " | Screenshot 3.png, " +
                   pictures + "/Desk, " + size)
                      .toStdString())
            << control;
    }
}

} // namespace
} // namespace tollenvane
