#include "app/screens/applications/ApplicationsPage.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/Theme.h"
#include "app/screens/applications/ApplicationRow.h"
#include "design/SchemeScope.h"
#include "screens/applications/ApplicationsHarness.h"
#include "support/DeliverEvents.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
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
    std::unique_ptr<ApplicationsPage> page;

    explicit ShownPage(bool settle = true)
    {
        harness.load();
        page = std::make_unique<ApplicationsPage>(harness.pageServices());
        page->resize(900, 1100);
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
    EXPECT_EQ(shown.names(),
              (std::vector<QString>{"Editor", "<b>x<br>", "Viewer"})); // rows in layout order
    EXPECT_EQ(shown.find<QLabel>(QStringLiteral("count")).text(), QStringLiteral("3"));
    EXPECT_EQ(shown.find<QLabel>(QStringLiteral("count")).textFormat(), Qt::PlainText);
    EXPECT_TRUE(shown.find(QStringLiteral("sortApplications")).isEnabled());
    EXPECT_FALSE(shown.find(QStringLiteral("emptyState")).isVisibleTo(shown.page.get()));

    // A search narrows the list; the rows that stay are the same widgets.
    auto* editorRow = shown.page->findChildren<ApplicationRow*>().front();
    QTest::keyClicks(&shown.find<QLineEdit>(QStringLiteral("search")), QStringLiteral("EDIT"));
    test::deliverEvents();
    EXPECT_EQ(shown.names(), std::vector<QString>{"Editor"});
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
    shown.find<QLineEdit>(QStringLiteral("search")).clear();
    emit age.activated(0);
    test::deliverEvents();
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

void takePicture(AppAppearance appearance, const QString& file)
{
    const test::SchemeScope restore;
    AppearanceApplier().apply(appearance);
    ShownPage shown;
    shown.harness.runningApplications = {shown.viewer};
    shown.harness.model->refreshRunningApplications();
    test::deliverEvents();
    const QImage shot = shown.page->grab().toImage();
    // The page background shows through; a row is drawn on the panel colour.
    EXPECT_EQ(shot.pixelColor(4, 4), Theme::color(Theme::bg));
    const QWidget* row = shown.page->findChildren<ApplicationRow*>().front();
    const QPoint inside = row->mapTo(shown.page.get(), QPoint(row->width() / 2, 6));
    EXPECT_EQ(shot.pixelColor(inside), Theme::color(Theme::panel));
    const QString shots = QStringLiteral(TOLLENVANE_SCREENSHOTS);
    ASSERT_TRUE(QDir().mkpath(shots));
    EXPECT_TRUE(shot.save(shots + "/" + file));
}

TEST(ApplicationsPage, Pictures)
{
    takePicture(AppAppearance::dark, QStringLiteral("applications-dark.png"));
    takePicture(AppAppearance::light, QStringLiteral("applications-light.png"));
}

} // namespace
} // namespace tollenvane
