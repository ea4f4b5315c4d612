#include "app/screens/history/HistoryPage.h"

#include "app/design/ElidedLabel.h"
#include "app/design/Theme.h"
#include "app/screens/history/HistoryRow.h"
#include "app/screens/tiles/MetricCard.h"
#include "core/localisation/Formatting.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "support/DeliverEvents.h"

#include <gtest/gtest.h>

#include <QVBoxLayout>

namespace tollenvane {
namespace {

// The history page in a window that paints the background, as the shell's does.
struct HistoryScreen {
    QWidget window;
    HistoryPage* page;

    explicit HistoryScreen(AppModel& model)
        : page(new HistoryPage(model, &window))
    {
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page);
        window.resize(900, 700);
        window.show();
        test::deliverEvents();
    }

    QString value(const char* card) const
    {
        return page->findChild<MetricCard*>(QString::fromLatin1(card))->value();
    }
    bool emptyShown() const { return page->findChild<QWidget*>("emptyState")->isVisible(); }
    QList<HistoryRow*> rows() const { return page->findChildren<HistoryRow*>(); }
};

QString rowText(const HistoryRow& row, const char* name)
{
    return row.findChild<ElidedLabel*>(QString::fromLatin1(name))->text();
}

TEST(HistoryPage, AnEmptyHistoryShowsZerosThenEachDecisionCountsAtOnce)
{
    test::SortingHarness harness;
    const std::string first = harness.file("a.png", 500);
    harness.file("b.png", 400);
    AppModel& model = harness.loadScanned();
    HistoryScreen screen(model);
    EXPECT_EQ(screen.value("sessionsCard"), QStringLiteral("0"));
    EXPECT_EQ(screen.value("filesCard"), QStringLiteral("0"));
    EXPECT_EQ(screen.value("trashCard"), QString::fromStdString(formattedBytes(0)));
    EXPECT_TRUE(screen.emptyShown());
    EXPECT_TRUE(screen.rows().isEmpty());

    harness.startSortingAll();
    harness.decide(Decision::trash);
    test::deliverEvents();
    EXPECT_FALSE(screen.emptyShown());
    ASSERT_EQ(screen.rows().size(), 1);
    HistoryRow* const row = screen.rows().at(0);
    EXPECT_EQ(rowText(*row, "filesText"), QStringLiteral("1 fichier"));
    EXPECT_EQ(screen.value("filesCard"), QStringLiteral("1"));

    // The same session goes on: its row is updated in place.
    harness.decide(Decision::keep);
    test::deliverEvents();
    ASSERT_EQ(screen.rows().size(), 1);
    EXPECT_EQ(screen.rows().at(0), row);
    EXPECT_EQ(screen.value("sessionsCard"), QStringLiteral("1"));
    EXPECT_EQ(screen.value("filesCard"), QStringLiteral("2"));
    EXPECT_EQ(screen.value("trashCard"), QString::fromStdString(formattedBytes(500)));
    EXPECT_EQ(rowText(*row, "filesText"), QStringLiteral("2 fichiers"));
    EXPECT_EQ(rowText(*row, "countsText"),
              QStringLiteral("1 gardé · 1 à la Corbeille · 0 rangé · 0 plus tard"));
    EXPECT_EQ(rowText(*row, "trashBytesText"), QString::fromStdString(formattedBytes(500)));
}

} // namespace
} // namespace tollenvane
