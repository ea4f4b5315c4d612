#include "app/screens/appdata/LeftoverDataView.h"

#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/kit/VirtualList.h"
#include "app/screens/appdata/AppDataControls.h"
#include "screens/applications/ApplicationsHarness.h"
#include "support/DeliverEvents.h"
#include "support/ScopedLanguage.h"
#include "support/ToldNotices.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>
#include <QTest>

namespace tollenvane {
namespace {

// The inspector of a model whose state remembers `removed`.
struct ShownInspector {
    test::ApplicationsHarness harness;
    std::unique_ptr<LeftoverDataView> inspector;

    explicit ShownInspector(const std::vector<RemovedApplication>& removed)
    {
        harness.remember(removed);
    }
    void show()
    {
        harness.load();
        inspector = std::make_unique<LeftoverDataView>(*harness.model, harness.revealer);
        inspector->show();
        test::deliverEvents();
        EXPECT_FALSE(shown(QStringLiteral("inspectorContent")));
        QTest::mouseClick(&find(QStringLiteral("disclosure")), Qt::LeftButton);
    }
    template <class T = QWidget>
    T& find(const QString& name) const
    {
        T* found = inspector->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return *found;
    }
    bool shown(const QString& name) const { return find(name).isVisibleTo(inspector.get()); }
    std::vector<QString> titles() const
    {
        std::vector<QString> found;
        for (QWidget* row : find<VirtualList>(QStringLiteral("appDataEntries")).rows()) {
            found.push_back(row->findChild<ElidedLabel*>(QStringLiteral("title"))->text());
        }
        return found;
    }
};

void inspectorActive(const ShownInspector& shown)
{
    shown.inspector->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shown.inspector.get()));
}

TEST(LeftoverDataView, WithoutRemovedApplicationsOnlyExplainsAndItOpensClosed)
{
    ShownInspector shown({});
    shown.show();
    EXPECT_TRUE(shown.shown(QStringLiteral("noRemovedApplications")));
    EXPECT_FALSE(shown.shown(QStringLiteral("searchAppData")));

    // Its header is heard as what it is: a button that opens and closes the section.
    QWidget& header = shown.find(QStringLiteral("disclosure"));
    QAccessibleInterface& read = *QAccessible::queryAccessibleInterface(&header);
    EXPECT_EQ(read.role(), QAccessible::Button);
    EXPECT_FALSE(read.state().checkable);
    EXPECT_TRUE(read.state().expandable);
    EXPECT_TRUE(read.state().expanded);
    QTest::mouseClick(&header, Qt::LeftButton);
    EXPECT_FALSE(read.state().expanded);

    EXPECT_FALSE(
        appDataControls({.removedApplications = 1, .scanningApplications = true}).searchEnabled);
    EXPECT_FALSE(appDataControls({.removedApplications = 1, .sessionActive = true}).searchEnabled);
    EXPECT_TRUE(appDataControls({.removedApplications = 1}).searchEnabled);
}

TEST(LeftoverDataView, ListsWhatWasFoundWithOwnersAndStopsAtOnce)
{
    ShownInspector shown({{"org.example.gone", "<i>Gone</i>.app", "/opt/Gone.app"}});
    const std::string cache = shown.harness.leftData(".cache", "org.example.gone", 3000);
    const std::string settings = shown.harness.leftData(".config", "org.example.gone", 20);
    shown.show();
    EXPECT_TRUE(shown.shown(QStringLiteral("searchAppData")));
    EXPECT_FALSE(shown.shown(QStringLiteral("noRemovedApplications")));
    EXPECT_FALSE(shown.shown(QStringLiteral("appDataEntries")));

    // Searched from the keyboard: the search, disabled while it runs, hands the focus to
    // "Arrêter", which gives it back once the search is over.
    inspectorActive(shown);
    QWidget& search = shown.find(QStringLiteral("searchAppData"));
    search.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&search, Qt::Key_Space);
    test::deliverEvents();
    EXPECT_TRUE(shown.shown(QStringLiteral("stopAppData")));
    EXPECT_FALSE(search.isEnabled());
    EXPECT_TRUE(shown.find(QStringLiteral("stopAppData")).hasFocus());
    shown.harness.settle();
    test::deliverEvents();
    EXPECT_FALSE(shown.shown(QStringLiteral("stopAppData")));
    EXPECT_TRUE(search.hasFocus());
    EXPECT_EQ(shown.titles(),
              (std::vector<QString>{shownName("<i>Gone</i>.app") + " \u00B7 Caches",
                                    shownName("<i>Gone</i>.app") + " \u00B7 Préférences"}));

    QWidget* first = shown.find<VirtualList>(QStringLiteral("appDataEntries")).rowAt(0);
    QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("reveal")), Qt::LeftButton);
    EXPECT_EQ(shown.harness.revealer.revealed, std::vector<std::string>{cache});

    // A second search stopped at once: the spinner goes, the last report stays.
    QTest::mouseClick(&shown.find(QStringLiteral("searchAppData")), Qt::LeftButton);
    QTest::mouseClick(&shown.find(QStringLiteral("stopAppData")), Qt::LeftButton);
    test::deliverEvents();
    EXPECT_FALSE(shown.shown(QStringLiteral("stopAppData")));
    EXPECT_TRUE(shown.find(QStringLiteral("searchAppData")).isEnabled());
    EXPECT_EQ(shown.titles().size(), 2U);
    EXPECT_EQ(settings, shown.harness.folder / "home/.config/org.example.gone");
}

// Opening and closing the section, and a search that ends, are told where the keyboard stays; a
// search the user stopped is not.
TEST(LeftoverDataView, OpeningClosingAndWhatASearchFoundAreTold)
{
    ShownInspector shown({{"org.example.gone", "Gone.app", "/opt/Gone.app"}});
    shown.harness.leftData(".cache", "org.example.gone", 3000);
    shown.harness.leftData(".config", "org.example.gone", 20);
    const test::AccessibleEvents told;
    shown.show();
    inspectorActive(shown);
    const QString opened = spokenText(disclosureNotice(true));
    ASSERT_TRUE(test::waitForNotice(told, opened)) << told.transcript();

    QTest::mouseClick(&shown.find(QStringLiteral("searchAppData")), Qt::LeftButton);
    shown.harness.settle();
    const QString found = spokenText(inspectionEndNotice(shown.harness.model->appData()));
    ASSERT_TRUE(test::waitForNotice(told, found));
    QTest::mouseClick(&shown.find(QStringLiteral("searchAppData")), Qt::LeftButton);
    QTest::mouseClick(&shown.find(QStringLiteral("stopAppData")), Qt::LeftButton);
    shown.harness.settle();
    QTest::mouseClick(&shown.find(QStringLiteral("disclosure")), Qt::LeftButton);
    const QString closed = spokenText(disclosureNotice(false));
    ASSERT_TRUE(test::waitForNotice(told, closed));
    EXPECT_EQ(test::noticesSaid(told),
              (std::vector<std::string>{opened.toStdString(), found.toStdString(),
                                        closed.toStdString()}));

    const test::ScopedLanguage english(AppLanguage::en);
    EXPECT_EQ(found, QStringLiteral("Recherche terminée : 2 éléments trouvés."));
    AppDataReport report;
    EXPECT_EQ(inspectionEndNotice(report), QStringLiteral("Search finished: no data found."));
    report.entries.resize(1);
    report.issues = {"a", "b"};
    EXPECT_EQ(inspectionEndNotice(report),
              QStringLiteral("Search finished: 1 item found. 2 items could not be read."));
    EXPECT_EQ(disclosureNotice(true), QStringLiteral("Expanded"));
}

} // namespace
} // namespace tollenvane
