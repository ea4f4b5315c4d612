#include "app/screens/summary/SummaryPage.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/design/Theme.h"
#include "app/kit/KeyboardStart.h"
#include "app/screens/summary/SummaryRules.h"
#include "design/SchemeScope.h"
#include "model/support/SortingHarness.h"
#include "shell/ShownWindow.h"
#include "support/DeliverEvents.h"
#include "support/ScopedLanguage.h"
#include "support/Screenshots.h"
#include "support/ShownPage.h"
#include "support/ToldNotices.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

using test::deliverEvents;

TEST(SummaryRules, CountersInOrderAndWhenUndoIsOffered)
{
    SessionSummary summary;
    summary.kept = 4;
    summary.trashed = 3;
    summary.moved = 2;
    summary.deferred = 1;
    const auto counters = summaryCounters(summary);
    std::vector<std::int64_t> values;
    std::vector<std::string> labels;
    for (const SummaryCounter& counter : counters) {
        values.push_back(counter.value);
        labels.emplace_back(counter.labelKey);
    }
    EXPECT_EQ(values, (std::vector<std::int64_t>{4, 3, 2, 1}));
    EXPECT_EQ(labels, (std::vector<std::string>{"Gardés", "Corbeille", "Rangés", "Plus tard"}));

    EXPECT_TRUE(undoEnabled(1, false));
    EXPECT_FALSE(undoEnabled(0, false));
    EXPECT_FALSE(undoEnabled(3, true));
}

TEST(SummaryRules, TheNoticeReadsThePageInOrder)
{
    SessionSummary summary;
    summary.kept = 1;
    summary.trashed = 2;
    summary.moved = 0;
    summary.deferred = 1;
    summary.trashBytes = 1'500'000;
    {
        const test::ScopedLanguage english(AppLanguage::en);
        EXPECT_EQ(summaryNotice(summary),
                  QStringLiteral("Well done. 4 files sorted. A little more clarity. 1 kept, 2 to "
                                 "the Trash, 0 moved, 1 later. 1.5\u00A0MB moved to the Trash. "
                                 "The space will be freed once the Trash is emptied in the file "
                                 "manager."));
    }
    summary.kept = 0;
    summary.trashed = 1;
    summary.deferred = 0;
    EXPECT_EQ(summaryNotice(summary),
              QStringLiteral("Bien joué. 1 fichier trié. Un peu plus de clarté. 0 gardé, 1 à la "
                             "Corbeille, 0 rangé, 0 plus tard. 1,5\u00A0Mo mis à la Corbeille. "
                             "L’espace sera libéré après le vidage de la Corbeille dans le "
                             "gestionnaire de fichiers."));
}

struct ShownSummary : test::ShownPage<SummaryPage> {
    explicit ShownSummary(AppModel& model)
        : ShownPage(QSize(900, 760), model)
    {}

    QString text(const QString& name) { return find<ElidedLabel>(name).text(); }
};

// A session of two cards, one sent to the Trash and one kept, ended on the summary page.
AppModel& endSession(test::SortingHarness& harness)
{
    harness.startSortingTwo();
    harness.decide(Decision::trash);
    harness.decide(Decision::keep);
    return *harness.model;
}

TEST(SummaryPage, ShowsTheSessionAndTakesBackTheLastDecision)
{
    test::SortingHarness harness;
    AppModel& model = endSession(harness);
    ASSERT_EQ(model.page(), Page::summary);
    ShownSummary shown(model);
    EXPECT_EQ(shown.text("sorted-total"),
              QStringLiteral("2 fichiers triés. Un peu plus de clarté."));
    {
        const test::ScopedLanguage english(AppLanguage::en);
        ShownSummary inEnglish(model);
        EXPECT_EQ(inEnglish.text("sorted-total"),
                  QStringLiteral("2 files sorted. A little more clarity."));
    }
    EXPECT_EQ(shown.text("counter-0"), QStringLiteral("1"));
    EXPECT_EQ(shown.text("counter-1"), QStringLiteral("1"));
    EXPECT_EQ(shown.text("counter-2"), QStringLiteral("0"));
    EXPECT_EQ(shown.text("counter-3"), QStringLiteral("0"));
    EXPECT_EQ(shown.text("trashed-bytes"), QStringLiteral("500\u00A0o mis à la Corbeille"));

    auto& undo = shown.find<QWidget>("undo-last");
    ASSERT_TRUE(undo.isEnabled());
    QTest::mouseClick(&undo, Qt::LeftButton);
    ASSERT_TRUE(model.busy());
    EXPECT_FALSE(shown.find<QWidget>("undo-last").isEnabled());
    // Finishing works even while the undo runs.
    QTest::mouseClick(&shown.find<QWidget>("finish"), Qt::LeftButton);
    EXPECT_EQ(model.page(), Page::dashboard);
    harness.settle();
    EXPECT_EQ(model.page(), Page::swipe);
    EXPECT_EQ(shown.text("counter-0"), QStringLiteral("0"));
}

// The keyboard arrives on Finish, and Tab goes through the buttons in the order drawn, either way.
TEST(SummaryPage, TheKeyboardStartsOnFinishAndTabFollowsTheButtonsAsDrawn)
{
    test::SortingHarness harness;
    AppModel& model = endSession(harness);
    QWidget window;
    auto* before = new QPushButton(QStringLiteral("Before"), &window);
    auto* page = new SummaryPage(model, &window);
    auto* after = new QPushButton(QStringLiteral("After"), &window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(before);
    layout->addWidget(page, 1);
    layout->addWidget(after);
    window.resize(900, 900);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    deliverEvents();
    auto* undo = page->findChild<QWidget*>("undo-last");
    auto* finish = page->findChild<QWidget*>("finish");

    ASSERT_TRUE(dynamic_cast<KeyboardStart*>(page)->takeKeyboard());
    EXPECT_EQ(QApplication::focusWidget(), finish);

    const auto focusAfter = [](bool forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                        forward ? Qt::NoModifier : Qt::ShiftModifier);
        return QApplication::focusWidget();
    };
    before->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(focusAfter(true), undo);
    EXPECT_EQ(focusAfter(true), finish);
    EXPECT_EQ(focusAfter(true), after);
    EXPECT_EQ(focusAfter(false), finish);
    EXPECT_EQ(focusAfter(false), undo);
    EXPECT_EQ(focusAfter(false), before);
}

TEST(SummaryPage, IsToldOnceAfterTheKeyboardArrivesOnFinish)
{
    test::SortingHarness harness;
    harness.startSortingTwo();
    AppModel& model = *harness.model;
    test::ShownWindow window(model);
    const test::AccessibleEvents told;
    harness.decide(Decision::trash);
    harness.decide(Decision::keep);
    ASSERT_EQ(model.page(), Page::summary);

    const QString summary = spokenText(summaryNotice(model.summary()));
    ASSERT_TRUE(test::waitForNotice(told, summary)) << told.transcript();
    auto* finish = window.view.findChild<QWidget*>(QStringLiteral("finish"));
    ASSERT_NE(finish, nullptr);
    EXPECT_TRUE(finish->hasFocus());
    const auto focused = test::focusAt(told, *finish);
    ASSERT_TRUE(focused.has_value());
    EXPECT_LT(*focused, *test::noticeAt(told, summary));
    EXPECT_EQ(test::noticesSaid(told), std::vector<std::string>{summary.toStdString()});
}

TEST(SummaryPage, Pictures)
{
    test::SortingHarness harness;
    AppModel& model = endSession(harness);
    const test::SchemeScope restore;
    AppearanceApplier applier;
    const QString folder = test::screenshotFolder();
    for (const auto& [appearance, file] : {std::pair{AppAppearance::dark, "summary-dark.png"},
                                           std::pair{AppAppearance::light, "summary-light.png"}}) {
        applier.apply(appearance);
        ShownSummary shown(model);
        const QImage picture = shown.window.grab().toImage();
        EXPECT_TRUE(picture.save(folder + "/" + file));
        EXPECT_EQ(picture.pixelColor(4, 4), Theme::color(Theme::bg));
        // The counter strip's surface, inside its padding, centred on the page.
        auto& strip = shown.find<QWidget>("summary-counters");
        const QPoint inStrip = strip.mapTo(&shown.window, QPoint(10, strip.height() / 2));
        EXPECT_EQ(picture.pixelColor(inStrip), Theme::color(Theme::panel));
        const int middle = strip.mapTo(&shown.window, strip.rect().center()).x();
        EXPECT_NEAR(middle, shown.page->viewport()->width() / 2, 2);
    }
}

} // namespace
} // namespace tollenvane
