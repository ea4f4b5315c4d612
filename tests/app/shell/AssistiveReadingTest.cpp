// What a screen reader hears of the window: plain names, pickers named by their labels, choices
// that say whether they are chosen, and copies of one file told apart.
#include "app/deck/MoveSheet.h"
#include "app/design/LocalizedText.h"
#include "app/design/ShownName.h"
#include "app/screens/duplicates/DuplicatesPage.h"
#include "app/shell/RootView.h"
#include "app/tutorial/TutorialOverlay.h"
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
            EXPECT_TRUE(texts.contains(QStringLiteral("<U+202E>txt.exe")));
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

} // namespace
} // namespace tollenvane
