#include "app/screens/duplicates/DuplicatesPage.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/Theme.h"
#include "app/screens/duplicates/DuplicateFileRow.h"
#include "app/screens/duplicates/DuplicateGroupPanel.h"
#include "design/SchemeScope.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "support/DeliverEvents.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QTest>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

// Three copies of a photo and two of a note whose name looks like markup, indexed; the page shown.
struct DuplicatesScreen : test::SortingHarness {
    std::string photo = std::string(40'000, 'p');
    std::string first = folder.write("home/Pictures/beach.jpg", photo);
    std::string second = folder.write("home/Pictures/beach copy.jpg", photo);
    std::string third = folder.write("home/Pictures/2024/beach.jpg", photo);
    std::string note =
        folder.write("home/Pictures/<img src=x> <b>y<b>.txt", std::string(3000, 'n'));
    std::string noteCopy =
        folder.write("home/Pictures/notes/<img src=x> <b>y<b>.txt", std::string(3000, 'n'));
    AppModel& model = loadScanned();
    // The window paints the background, as the shell's does.
    QWidget window;
    DuplicatesPage page{model, &window};

    DuplicatesScreen()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(&page);
        window.resize(900, 900);
        window.show();
        test::deliverEvents();
    }

    QWidget& named(const char* name) const
    {
        auto* widget = page.findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return *widget;
    }
    void search()
    {
        QTest::mouseClick(&named("searchButton"), Qt::LeftButton);
        settle();
        test::deliverEvents();
    }
    DuplicateFileRow& row(const std::string& path) const
    {
        const QString folderText = QDir::cleanPath(QString::fromStdString(path) + "/..");
        const QString name = QString::fromStdString(path).section('/', -1);
        for (auto* row : page.findChildren<DuplicateFileRow*>()) {
            if (row->findChild<ElidedLabel*>("nameText")->text() == name &&
                row->findChild<ElidedLabel*>("folderText")->text() == folderText) {
                return *row;
            }
        }
        ADD_FAILURE() << "no row for " << path;
        throw std::runtime_error("no row");
    }
};

QAbstractButton& button(QWidget& row, const char* name)
{
    return *row.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

TEST(DuplicatesPage, TheEmptyStateOffersASearchThatShowsItsProgressThenTheGroups)
{
    DuplicatesScreen screen;
    EXPECT_TRUE(screen.named("emptyState").isVisible());
    EXPECT_TRUE(screen.named("searchButton").isEnabled());
    EXPECT_FALSE(screen.named("progressPanel").isVisible());
    EXPECT_FALSE(screen.named("groupList").isVisible());

    screen.model.scan();
    test::deliverEvents();
    EXPECT_FALSE(screen.named("searchButton").isEnabled());
    screen.settle();
    test::deliverEvents();
    ASSERT_TRUE(screen.named("searchButton").isEnabled());

    QTest::mouseClick(&screen.named("searchButton"), Qt::LeftButton);
    ASSERT_TRUE(screen.model.findingDuplicates());
    test::deliverEvents();
    EXPECT_TRUE(screen.named("progressPanel").isVisible());
    EXPECT_FALSE(screen.named("emptyState").isVisible());
    EXPECT_FALSE(screen.named("searchButton").isVisible());
    EXPECT_EQ(static_cast<ElidedLabel&>(screen.named("progressText")).text(),
              QStringLiteral("Préparation…"));
    screen.settle();
    test::deliverEvents();

    EXPECT_FALSE(screen.named("progressPanel").isVisible());
    EXPECT_FALSE(screen.named("emptyState").isVisible());
    EXPECT_FALSE(screen.named("searchButton").isVisible());
    const auto panels = screen.page.findChildren<DuplicateGroupPanel*>();
    ASSERT_EQ(panels.size(), 2);
    // The photos free the most and come first.
    const auto* top = screen.model.duplicateGroups().front().files.front().path() == screen.third
                          ? panels.at(0)
                          : panels.at(1);
    EXPECT_EQ(top->findChild<ElidedLabel*>("copiesText")->text(),
              QStringLiteral("3 copies identiques"));
    // A name that looks like markup shows as it is.
    EXPECT_TRUE(screen.row(screen.note).isVisible());
    EXPECT_TRUE(screen.row(screen.noteCopy).isVisible());

    // A new search shows its panel above the groups it will replace, which keep their panels.
    QTest::mouseClick(&button(screen.row(screen.first), "previewButton"), Qt::LeftButton);
    screen.model.findDuplicates();
    test::deliverEvents();
    EXPECT_TRUE(screen.named("progressPanel").isVisible());
    EXPECT_EQ(screen.page.findChildren<DuplicateGroupPanel*>(), panels);
    QTest::mouseClick(&screen.named("cancelButton"), Qt::LeftButton);
    EXPECT_FALSE(screen.model.findingDuplicates());
    screen.settle();
    test::deliverEvents();
    EXPECT_FALSE(screen.named("progressPanel").isVisible());
    EXPECT_EQ(screen.page.findChildren<DuplicateGroupPanel*>(), panels);
    ASSERT_TRUE(screen.model.inspectedFile());
    EXPECT_EQ(screen.model.inspectedFile()->path(), screen.first);
}

TEST(DuplicatesPage, KeepingACopySortsTheOthersAndThenNoCopyCanBeKept)
{
    DuplicatesScreen screen;
    screen.search();
    for (auto* keep : screen.page.findChildren<QAbstractButton*>("keepButton")) {
        EXPECT_TRUE(keep->isEnabled());
    }

    QTest::mouseClick(&button(screen.row(screen.second), "keepButton"), Qt::LeftButton);
    screen.settle();
    test::deliverEvents();
    EXPECT_TRUE(screen.model.sessionActive());
    EXPECT_EQ(screen.cardPaths(), (std::vector<std::string>{screen.third, screen.first}));
    const auto entries = screen.journalEntries();
    ASSERT_EQ(entries.size(), 1U);
    EXPECT_EQ(entries.front().path, screen.second);
    EXPECT_EQ(entries.front().stamp->decision, Decision::keep);

    const auto keeps = screen.page.findChildren<QAbstractButton*>("keepButton");
    ASSERT_EQ(keeps.size(), 5);
    for (auto* keep : keeps) {
        EXPECT_FALSE(keep->isEnabled());
    }
}

TEST(DuplicatesPage, ManyGroupsArriveSliceBySliceFromTheEventLoop)
{
    test::SortingHarness harness;
    for (int index = 0; index < 40; ++index) {
        const std::string content(100 + index, static_cast<char>('a' + index % 26));
        harness.folder.write("home/Pictures/" + std::to_string(index) + "/a.txt", content);
        harness.folder.write("home/Pictures/" + std::to_string(index) + "/b.txt", content);
    }
    AppModel& model = harness.loadScanned();
    model.findDuplicates();
    harness.settle();
    ASSERT_EQ(model.duplicateGroups().size(), 40U);

    DuplicatesPage page(model);
    page.resize(900, 700);
    page.show();
    // The first refresh builds what fills a window; the rest comes from the event loop.
    QCoreApplication::sendPostedEvents();
    EXPECT_GT(page.shownGroups(), 0U);
    EXPECT_LT(page.shownGroups(), 40U);
    for (int round = 0; round < 1000 && !page.complete(); ++round) {
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(page.complete());
    const auto panels = page.findChildren<DuplicateGroupPanel*>();
    EXPECT_EQ(panels.size(), 40);
    EXPECT_EQ(page.findChildren<DuplicateFileRow*>().size(), 80);
}

TEST(DuplicatesPage, PicturesInBothAppearances)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    const QString folder = QStringLiteral(TOLLENVANE_SCREENSHOTS);
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const auto& [appearance, file] :
         {std::pair{AppAppearance::dark, "duplicates-dark.png"},
          std::pair{AppAppearance::light, "duplicates-light.png"}}) {
        applier.apply(appearance);
        DuplicatesScreen screen;
        screen.search();
        screen.model.findDuplicates();
        test::deliverEvents();
        const QImage picture = screen.window.grab().toImage();
        EXPECT_TRUE(picture.save(folder + "/" + file));
        auto* panel = screen.page.findChildren<DuplicateGroupPanel*>().at(0);
        const QPoint inside = panel->mapTo(&screen.window, QPoint(8, panel->height() / 2));
        EXPECT_EQ(picture.pixelColor(inside), Theme::color(Theme::panel));
        EXPECT_EQ(picture.pixelColor(4, 4), Theme::color(Theme::bg));
        screen.model.cancelDuplicates();
    }
}

} // namespace
} // namespace tollenvane
