#include "app/screens/history/HistoryPage.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/Theme.h"
#include "app/kit/VirtualList.h"
#include "app/screens/history/HistoryRow.h"
#include "app/screens/history/HistoryRules.h"
#include "app/screens/tiles/MetricCard.h"
#include "core/localisation/Formatting.h"
#include "core/persistence/StateStore.h"
#include "design/SchemeScope.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "support/DeliverEvents.h"
#include "support/ListKeys.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
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
    // The rows in sight, top to bottom.
    QList<HistoryRow*> rows() const
    {
        QList<HistoryRow*> shown = page->findChildren<HistoryRow*>();
        shown.removeIf([this](const HistoryRow* row) {
            return !row->isVisible() || !page->viewport()->rect().intersects(QRect(
                                            row->mapTo(page->viewport(), QPoint()), row->size()));
        });
        std::sort(shown.begin(), shown.end(), [](const HistoryRow* one, const HistoryRow* other) {
            return one->y() < other->y();
        });
        return shown;
    }
    void scrollTo(int value)
    {
        page->verticalScrollBar()->setValue(value);
        test::deliverEvents();
    }
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

TEST(HistoryPage, TenThousandSessionsKeepAFewRowsEachShowingItsOwnSession)
{
    test::SortingHarness harness;
    SavedState saved;
    for (int index = 0; index < 10'000; ++index) {
        SessionSummary session = SessionSummary::start();
        session.date += index * 60.0;
        session.kept = index;
        session.trashed = index % 7;
        session.trashBytes = index * 1000;
        saved.history.push_back(session);
    }
    StateStore(harness.statePath()).save(saved);
    harness.file("a.png", 500);
    AppModel& model = harness.loadScanned();
    const std::vector<SessionSummary>& history = model.state().history;
    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    auto shown = std::make_unique<HistoryScreen>(model);
    HistoryScreen& screen = *shown;
    EXPECT_EQ(screen.value("sessionsCard"), QStringLiteral("10000"));
    const auto bounded = [&] { return screen.page->findChildren<HistoryRow*>().size() < 40; };
    EXPECT_TRUE(bounded());
    // Each row shows its own session, whichever row it was before.
    const auto showsItsSession = [&](const HistoryRow& row, std::size_t index) {
        return rowText(row, "countsText") == sessionCountsText(history[index]) &&
               rowText(row, "trashBytesText") ==
                   QString::fromStdString(formattedBytes(history[index].trashBytes));
    };
    ASSERT_FALSE(screen.rows().isEmpty());
    EXPECT_TRUE(showsItsSession(*screen.rows().front(), 0));
    screen.scrollTo(screen.page->verticalScrollBar()->maximum());
    EXPECT_TRUE(bounded());
    EXPECT_TRUE(showsItsSession(*screen.rows().back(), 9'999));
    screen.scrollTo(screen.page->verticalScrollBar()->maximum() / 2);
    const QList<HistoryRow*> middle = screen.rows();
    ASSERT_GE(middle.size(), 2);
    std::size_t at = 0;
    while (at < history.size() && !showsItsSession(*middle.front(), at)) {
        ++at;
    }
    for (qsizetype each = 0; each < middle.size(); ++each) {
        EXPECT_TRUE(showsItsSession(*middle[each], at + static_cast<std::size_t>(each))) << each;
    }
    screen.scrollTo(0);
    const QList<HistoryRow*> top = screen.rows();
    for (qsizetype each = 0; each < top.size(); ++each) {
        EXPECT_TRUE(showsItsSession(*top[each], static_cast<std::size_t>(each))) << each;
    }

    // The rows hold no control: the list is one stop all the same, each session reached by the
    // keys, ringed and read out as it shows.
    auto* other = new QPushButton(QStringLiteral("Other"), &screen.window);
    other->show();
    screen.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen.window));
    const auto& list = *screen.page->findChild<VirtualList*>(QStringLiteral("sessionList"));
    const auto focusedSession = [&]() -> std::optional<std::size_t> {
        const QWidget* focus = QApplication::focusWidget();
        return focus == nullptr ? std::nullopt : list.indexOf(*focus);
    };
    QWidget* left =
        test::walkList({screen.window, *screen.page, *other, history.size(), focusedSession});
    EXPECT_EQ(left, other);
    EXPECT_TRUE(
        screen.window.grab().save(test::screenshotFolder() + "/history-10000-keyboard.png"));
    const auto* current = qobject_cast<HistoryRow*>(QApplication::focusWidget());
    ASSERT_NE(current, nullptr);
    EXPECT_EQ(current->accessibleName(),
              QStringList({rowText(*current, "dateText"), sessionCountsText(history[3]),
                           rowText(*current, "filesText"), rowText(*current, "trashBytesText")})
                  .join(QStringLiteral(", ")));
    EXPECT_TRUE(bounded());

    // A new session comes first, and the rows shown keep their own.
    harness.startSortingAll();
    harness.decide(Decision::trash);
    test::deliverEvents();
    EXPECT_EQ(screen.value("sessionsCard"), QStringLiteral("10001"));
    ASSERT_EQ(history.size(), 10'001U);
    EXPECT_TRUE(showsItsSession(*screen.rows().front(), 0));
    EXPECT_EQ(rowText(*screen.rows().front(), "filesText"), QStringLiteral("1 fichier"));
    EXPECT_TRUE(showsItsSession(*screen.rows().at(1), 1));
    EXPECT_TRUE(bounded());

    const test::SchemeScope restore;
    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        AppearanceApplier().apply(appearance);
        screen.scrollTo(screen.page->verticalScrollBar()->maximum() / 2);
        const QImage picture = screen.window.grab().toImage();
        EXPECT_TRUE(picture.save(test::screenshotFolder() + "/history-10000-" +
                                 QString::fromStdString(std::string(rawValue(appearance))) +
                                 ".png"));
        // The first row whose top is in sight is drawn as a panel.
        const QList<HistoryRow*> rows = screen.rows();
        const auto whole = std::find_if(rows.begin(), rows.end(), [&](const HistoryRow* row) {
            return row->mapTo(&screen.window, QPoint()).y() >= 0;
        });
        ASSERT_NE(whole, rows.end());
        EXPECT_EQ(
            picture.pixelColor((*whole)->mapTo(&screen.window, QPoint((*whole)->width() / 2, 3))),
            Theme::color(Theme::panel));
    }

    // Leaving the page leaves nothing of it behind.
    shown.reset();
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsBefore);
}

} // namespace
} // namespace tollenvane
