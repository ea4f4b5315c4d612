#include "app/screens/applications/ApplicationsPage.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/screens/appdata/AppDataRow.h"
#include "app/screens/applications/ApplicationRow.h"
#include "design/SchemeScope.h"
#include "screens/applications/ApplicationsHarness.h"
#include "support/DeliverEvents.h"
#include "support/RecordPaths.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace tollenvane {
namespace {

// Three applications, one named like markup (a file name cannot hold a slash), and the page
// shown over them.
struct ShownPage {
    test::ApplicationsHarness harness;
    std::string editor =
        harness.bundle(harness.machine + "/Editor.app", "org.example.editor", "2.1", 40'000);
    std::string markup = harness.bundle(harness.own + "/<b>x<br>.app", "org.example.x", {}, 9000);
    std::string viewer =
        harness.bundle(harness.own + "/Viewer.app", "org.example.viewer", "1.0", 2000);
    std::string broken = test::writeBundle(harness.machine + "/Broken.app", "org.example.broken");
    std::unique_ptr<ApplicationsPage> page;

    explicit ShownPage(bool settle = true, const std::vector<RemovedApplication>& removed = {})
    {
        harness.remember(removed);
        harness.load();
        page = std::make_unique<ApplicationsPage>(harness.pageServices());
        page->resize(900, 1300);
        page->show();
        test::deliverEvents();
        if (settle) {
            harness.settle();
            test::deliverEvents();
        }
    }

    template <class T = QWidget>
    T& find(const QString& name) const
    {
        T* found = page->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return *found;
    }
    std::vector<QString> names() const
    {
        std::vector<QString> shown;
        for (ApplicationRow* row : page->findChildren<ApplicationRow*>()) {
            if (row->isVisibleTo(page.get())) {
                shown.push_back(row->findChild<ElidedLabel*>(QStringLiteral("name"))->text());
            }
        }
        return shown;
    }
};

TEST(ApplicationsPage, ShowingListsOnceLargestFirstAndShowsNamesLiterally)
{
    ShownPage shown;
    AppModel& model = *shown.harness.model;
    ASSERT_EQ(model.applications().size(), 3U);
    EXPECT_EQ(shown.names(), (std::vector<QString>{shownName("Editor"), shownName("<b>x<br>"),
                                                   shownName("Viewer")})); // rows in layout order
    EXPECT_EQ(shown.find<ElidedLabel>(QStringLiteral("count")).text(), QStringLiteral("3"));
    EXPECT_TRUE(shown.find(QStringLiteral("sortApplications")).isEnabled());
    EXPECT_FALSE(shown.find(QStringLiteral("emptyState")).isVisibleTo(shown.page.get()));
    EXPECT_EQ(shown.find<TextBlock>(QStringLiteral("issueCount")).text(),
              QStringLiteral("1 application inaccessible."));
    EXPECT_EQ(shown.page->findChildren<TextBlock*>(QStringLiteral("applicationIssue")).size(), 1);

    // A search narrows the list; the rows that stay are the same widgets.
    auto* editorRow = shown.page->findChildren<ApplicationRow*>().front();
    QTest::keyClicks(&shown.find<QLineEdit>(QStringLiteral("search")), QStringLiteral("EDIT"));
    test::deliverEvents();
    EXPECT_EQ(shown.names(), std::vector<QString>{shownName("Editor")});
    EXPECT_EQ(shown.page->findChildren<ApplicationRow*>().front(), editorRow);

    // Nothing is older than 30 days when no last use is known: the empty state says so.
    auto& age = shown.find<QComboBox>(QStringLiteral("age"));
    age.setCurrentIndex(1);
    emit age.activated(1);
    test::deliverEvents();
    EXPECT_TRUE(shown.names().empty());
    EXPECT_TRUE(shown.find(QStringLiteral("emptyState")).isVisibleTo(shown.page.get()));
    EXPECT_FALSE(shown.find(QStringLiteral("sortApplications")).isEnabled());

    // The reveal button hands the bundle to the file manager.
    auto& search = shown.find<QLineEdit>(QStringLiteral("search"));
    QTest::keyClick(&search, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&search, Qt::Key_Backspace);
    emit age.activated(0);
    test::deliverEvents();
    EXPECT_EQ(shown.names().size(), 3U);
    auto* reveal = shown.page->findChildren<ApplicationRow*>().front()->findChild<QWidget*>(
        QStringLiteral("reveal"));
    QTest::mouseClick(reveal, Qt::LeftButton);
    EXPECT_EQ(shown.harness.revealer.revealed, std::vector<std::string>{shown.editor});
}

TEST(ApplicationsPage, StopReturnsTheRefreshButtonAtOnceAndAPageOpenedMeanwhileStartsNothing)
{
    ShownPage shown(false);
    AppModel& model = *shown.harness.model;
    ASSERT_TRUE(model.scanningApplications());
    EXPECT_TRUE(shown.find(QStringLiteral("progress")).isVisibleTo(shown.page.get()));
    EXPECT_FALSE(shown.find(QStringLiteral("refresh")).isVisibleTo(shown.page.get()));
    EXPECT_FALSE(shown.find(QStringLiteral("emptyState")).isVisibleTo(shown.page.get()));

    // A second page while the inventory runs does not start another one.
    const std::size_t jobs = shown.harness.executor->pending();
    ApplicationsPage second(shown.harness.pageServices());
    test::deliverEvents();
    EXPECT_EQ(shown.harness.executor->pending(), jobs);

    QTest::mouseClick(&shown.find<QPushButton>(QStringLiteral("stop")), Qt::LeftButton);
    EXPECT_FALSE(model.scanningApplications());
    test::deliverEvents();
    EXPECT_TRUE(shown.find(QStringLiteral("refresh")).isVisibleTo(shown.page.get()));
    EXPECT_FALSE(shown.find(QStringLiteral("progress")).isVisibleTo(shown.page.get()));
    shown.harness.settle();
    EXPECT_TRUE(model.applications().empty());
}

TEST(ApplicationsPage, SortingHandsTheModelOnlyWhatTheDeckWouldTakeInTheListsOrder)
{
    ShownPage shown;
    AppModel& model = *shown.harness.model;
    shown.harness.runningApplications = {shown.viewer};
    model.refreshRunningApplications();
    test::deliverEvents();
    auto* viewerRow = shown.page->findChildren<ApplicationRow*>().back();
    EXPECT_TRUE(viewerRow->findChild<QWidget*>(QStringLiteral("running"))->isVisibleTo(viewerRow));
    EXPECT_FALSE(viewerRow->findChild<QWidget*>(QStringLiteral("examine"))->isVisibleTo(viewerRow));

    QTest::mouseClick(&shown.find(QStringLiteral("sortApplications")), Qt::LeftButton);
    shown.harness.settle();
    ASSERT_TRUE(model.sessionActive());
    EXPECT_EQ(test::pathsOf(model.pending().remaining()),
              (std::vector<std::string>{shown.editor, shown.markup}));
    test::deliverEvents();
    EXPECT_FALSE(shown.find(QStringLiteral("sortApplications")).isEnabled());
    EXPECT_FALSE(shown.page->findChildren<ApplicationRow*>()
                     .front()
                     ->findChild<QWidget*>(QStringLiteral("examine"))
                     ->isEnabled());
}

void takePicture(AppAppearance appearance, const QString& file)
{
    const test::SchemeScope restore;
    AppearanceApplier().apply(appearance);
    ShownPage shown(true, {{"org.example.gone", "Gone.app", "/opt/Gone.app"}});
    shown.harness.leftData(".cache", "org.example.gone", 3'000'000);
    shown.harness.runningApplications = {shown.viewer};
    shown.harness.model->refreshRunningApplications();
    QTest::mouseClick(&shown.find(QStringLiteral("disclosure")), Qt::LeftButton);
    shown.harness.model->inspectAppData();
    shown.harness.settle();
    test::deliverEvents();
    // The inspector, open, shows in the same picture.
    ASSERT_EQ(shown.page->findChildren<AppDataRow*>().size(), 1U);
    const QImage shot = shown.page->grab().toImage();
    // The page background shows through; a row is drawn on the panel colour.
    EXPECT_EQ(shot.pixelColor(4, 4), Theme::color(Theme::bg));
    const QWidget* row = shown.page->findChildren<ApplicationRow*>().front();
    const QPoint inside = row->mapTo(shown.page.get(), QPoint(row->width() / 2, 6));
    EXPECT_EQ(shot.pixelColor(inside), Theme::color(Theme::panel));
    const QString shots = test::screenshotFolder();
    EXPECT_TRUE(shot.save(shots + "/" + file));
}

TEST(ApplicationsPage, Pictures)
{
    takePicture(AppAppearance::dark, QStringLiteral("applications-dark.png"));
    takePicture(AppAppearance::light, QStringLiteral("applications-light.png"));
}

} // namespace
} // namespace tollenvane
