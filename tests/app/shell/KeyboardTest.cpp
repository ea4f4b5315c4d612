// Each page walked with Tab only: its controls in the order the page shows them, each one marked
// by the focus ring while it holds the focus, each with a name read out for it.
#include "app/design/AppearanceApplier.h"
#include "app/design/FocusRing.h"
#include "app/shell/RootView.h"
#include "design/SchemeScope.h"
#include "screens/storage/ScannedDesk.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace tollenvane {
namespace {

// The name a screen reader reads out for `widget`.
QString readName(QWidget& widget)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

QString nameOf(QWidget& widget)
{
    return widget.objectName().isEmpty() ? readName(widget) : widget.objectName();
}

// Stock widgets take their look, focus included, from the application's style.
bool paintsItself(const QWidget& widget)
{
    return qobject_cast<const QComboBox*>(&widget) == nullptr &&
           qobject_cast<const QLineEdit*>(&widget) == nullptr &&
           qobject_cast<const QPushButton*>(&widget) == nullptr &&
           qobject_cast<const QAbstractSlider*>(&widget) == nullptr &&
           qobject_cast<const QAbstractScrollArea*>(&widget) == nullptr;
}

// Pixels of the ring's colour in and just around `widget`, as the window shows them.
int ringPixels(QWidget& window, QWidget& widget)
{
    constexpr int around = 16;
    const QRect area = QRect(widget.mapTo(&window, QPoint()), widget.size())
                           .adjusted(-around, -around, around, around)
                           .intersected(window.rect());
    const QImage picture = window.grab(area).toImage();
    const QColor ring = Theme::color(focusRingColor);
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor seen = picture.pixelColor(x, y);
            if (std::abs(seen.red() - ring.red()) + std::abs(seen.green() - ring.green()) +
                    std::abs(seen.blue() - ring.blue()) <=
                12) {
                ++count;
            }
        }
    }
    return count;
}

// As the window system delivers it: to the focused control, so that a page scrolls to the next.
void pressTab(QWidget& window)
{
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused != nullptr ? focused : &window, Qt::Key_Tab);
}

struct Walk {
    Page page;
    // The tutorial over the page, which then takes no focus.
    bool tutorial = false;
    // Controls that must come in this order; others may come between them.
    std::vector<QString> order;
    // The control whose focus the saved picture shows.
    QString shown;
};

// The names of the focus stops, from the first Tab until the focus comes back round.
std::vector<QString> walkWithTab(QWidget& window, const QString& picture, const QString& shown)
{
    std::vector<QString> names;
    QWidget* first = nullptr;
    for (int press = 0; press < 120; ++press) {
        pressTab(window);
        QWidget* focused = QApplication::focusWidget();
        if (focused == nullptr || focused == first) {
            break;
        }
        if (first == nullptr) {
            first = focused;
        }
        names.push_back(nameOf(*focused));
        const std::string where = picture.toStdString() + ": " + names.back().toStdString();
        EXPECT_FALSE(readName(*focused).isEmpty()) << where << " has no name";
        if (paintsItself(*focused)) {
            EXPECT_GE(ringPixels(window, *focused), 20) << where << " shows no ring";
        }
        if (names.back() == shown) {
            EXPECT_TRUE(window.grab().save(picture));
        }
    }
    return names;
}

TEST(Keyboard, EveryPageTabsInItsOrderAndRingsTheFocus)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    const QString folder = test::screenshotFolder();
    test::ScannedDesk desk;
    AppModel& model = desk.model();

    // The sidebar and the status bar come first on every page; then the page, top to bottom.
    const std::vector<Walk> walks = {
        {Page::dashboard,
         false,
         {"nav-settings", "refresh-index", "start-sorting", "open-disks", "category-screenshots",
          "category-images", "category-videos", "category-pdf", "category-audio",
          "category-archives", "category-documents", "category-all", "manage-sources"},
         "open-disks"},
        {Page::space,
         false,
         {"nav-settings",     "refreshVolumes",   "selectVolume",     "chooseFolders",
          "selectVolume",     "chooseFolders",    "allSourcesButton", "treemap",
          "rowButton",        "sortButton",       "revealButton",     "preset-large",
          "preset-oldVideos", "preset-downloads", "preset-archives",  "preset-screenshots",
          "preset-creator",   "duplicatesCard",   "firstGuide",       "secondGuide"},
         "selectVolume"},
        {Page::setup,
         false,
         {"nav-settings", "volumePicker", "searchField", "typeTile-all", "typeTile-screenshots",
          "typeTile-images", "typeTile-videos", "typeTile-pdf", "typeTile-audio",
          "typeTile-archives", "typeTile-documents", "sizePicker", "agePicker",
          "includeReviewedSwitch", "largestFirstSwitch", "downloadsOnlySwitch"},
         "typeTile-images"},
        {Page::sources,
         false,
         {"nav-settings", "addButton", "rescanButton", "openButton", "removeButton",
          "suggestedFolder.Bureau", "suggestedFolder.Documents", "suggestedFolder.Téléchargements",
          "suggestedFolder.Images"},
         "removeButton"},
        {Page::settings,
         false,
         {"nav-settings", "languagePicker", "replayTutorial", "appearance-dark", "appearance-light",
          "appearance-system", "soundsSwitch", "volumeSlider", "soundPreview", "animationsSwitch",
          "confirmTrashSwitch", "showHiddenSwitch", "minimumSizePicker", "rescan",
          "forgetDecisions"},
         "appearance-light"},
        {Page::dashboard,
         true,
         {"closeTutorial", "continueButton", "languagePicker"},
         "continueButton"},
        {Page::applications,
         false,
         {"nav-settings", "search", "age", "order", "refresh", "disclosure"},
         "disclosure"},
    };
    for (const auto& [appearance, suffix] :
         {std::pair{AppAppearance::dark, "dark"}, std::pair{AppAppearance::light, "light"}}) {
        applier.apply(appearance);
        for (const Walk& walk : walks) {
            model.navigate(walk.page);
            model.setShowTutorial(walk.tutorial);
            RootView view(model);
            view.resize(1200, 840);
            view.show();
            QApplication::setActiveWindow(&view);
            desk.settle();
            const std::string file = "keyboard-" +
                                     std::string(walk.tutorial ? "tutorial" : rawValue(walk.page)) +
                                     "-" + suffix + ".png";
            const std::vector<QString> names =
                walkWithTab(view, folder + "/" + QString::fromStdString(file), walk.shown);
            std::string seen;
            for (const QString& name : names) {
                seen += name.toStdString() + " | ";
            }
            auto next = names.begin();
            for (const QString& expected : walk.order) {
                next = std::find(next, names.end(), expected);
                EXPECT_NE(next, names.end()) << file << ": " << expected.toStdString()
                                             << " missing or out of order in " << seen;
            }
        }
    }
}

TEST(Keyboard, EnterAndSpacePressTheFocusedControl)
{
    test::ScannedDesk desk;
    AppModel& model = desk.model();
    model.navigate(Page::space);
    RootView view(model);
    view.resize(1200, 840);
    view.show();
    QApplication::setActiveWindow(&view);
    desk.settle();
    const auto press = [&](const QString& name, Qt::Key key) {
        for (int tab = 0; tab < 120; ++tab) {
            pressTab(view);
            QWidget* focused = QApplication::focusWidget();
            if (focused != nullptr && nameOf(*focused) == name) {
                QTest::keyClick(focused, key);
                desk.settle();
                return;
            }
        }
        ADD_FAILURE() << "Tab never reaches " << name.toStdString();
    };

    // The map's first block is the largest: the source at the top, then its folder of films.
    press(QStringLiteral("treemap"), Qt::Key_Return);
    EXPECT_EQ(model.storagePath(), std::optional<std::string>(desk.source));
    press(QStringLiteral("treemap"), Qt::Key_Space);
    EXPECT_EQ(model.storagePath(), std::optional<std::string>(desk.path("Films")));
    press(QStringLiteral("parentButton"), Qt::Key_Enter);
    EXPECT_EQ(model.storagePath(), std::optional<std::string>(desk.source));
    press(QStringLiteral("nav-history"), Qt::Key_Space);
    EXPECT_EQ(model.page(), Page::history);
}

} // namespace
} // namespace tollenvane
