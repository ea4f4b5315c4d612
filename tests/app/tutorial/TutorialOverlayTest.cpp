#include "app/tutorial/TutorialOverlay.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/SegmentedControl.h"
#include "app/design/ShownName.h"
#include "app/design/TextBlock.h"
#include "app/kit/AddedFolders.h"
#include "app/shell/RootView.h"
#include "app/tutorial/DemoCard.h"
#include "app/tutorial/GestureStep.h"
#include "app/tutorial/SourceStepRow.h"
#include "app/tutorial/TutorialRules.h"
#include "core/localisation/Localization.h"
#include "design/SchemeScope.h"
#include "model/support/ModelHarness.h"
#include "model/support/SortingHarness.h"
#include "support/AccessibleEvents.h"
#include "support/DeliverEvents.h"
#include "support/FocusRingPixels.h"
#include "support/Screenshots.h"
#include "support/ToldNotices.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <array>
#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

template <class T = QWidget>
T& child(const QWidget& parent, const char* name)
{
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

void click(const QWidget& parent, const char* name)
{
    QTest::mouseClick(&child(parent, name), Qt::LeftButton);
}

QString counter(const QWidget& overlay)
{
    return child<ElidedLabel>(overlay, "stepCounter").text();
}

void setAnimations(AppModel& model, bool animations)
{
    Preferences preferences = model.state().preferences;
    preferences.animations = animations;
    model.setPreferences(preferences);
}

std::vector<QString> sourceRows(const QWidget& overlay)
{
    std::vector<QString> names;
    for (const SourceStepRow* row : overlay.findChildren<SourceStepRow*>()) {
        names.push_back(row->name());
    }
    return names;
}

// Whether the whole of `widget` shows inside `top`, no ancestor clipping any of it.
bool wholeInSight(const QWidget& widget, const QWidget& top)
{
    const QRect full(widget.mapTo(&top, QPoint()), widget.size());
    QRect seen = full & top.rect();
    for (const QWidget* above = widget.parentWidget(); above != nullptr && above != &top;
         above = above->parentWidget()) {
        seen &= QRect(above->mapTo(&top, QPoint()), above->size());
    }
    return widget.isVisible() && seen == full;
}

const QScrollArea* shownScroll(const QWidget& overlay)
{
    for (const QScrollArea* scroll : overlay.findChildren<QScrollArea*>()) {
        if (scroll->isVisible()) {
            return scroll;
        }
    }
    return nullptr;
}

TEST(TutorialOverlay, NothingIsWrittenOnShowAndEachUserChangeIsSaved)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    // The model's own save after loading lands first.
    harness.advance(std::chrono::seconds(1));
    ASSERT_TRUE(fs::remove(harness.statePath()));
    TutorialOverlay overlay(model);
    overlay.resize(1000, 760);
    overlay.show();
    test::deliverEvents();
    harness.advance(std::chrono::seconds(1));
    EXPECT_FALSE(fs::exists(harness.statePath()));
    EXPECT_EQ(counter(overlay), QStringLiteral("1 / 4"));
    EXPECT_FALSE(child(overlay, "backButton").isVisible());

    // Moving on needs no folder; an added one is listed at once.
    click(overlay, "continueButton");
    click(overlay, "continueButton");
    ASSERT_EQ(counter(overlay), QStringLiteral("3 / 4"));
    harness.standardFolders->folders[StandardFolder::documents] = harness.folder / "home";
    click(overlay, "suggestedFolder.Documents");
    ASSERT_EQ(harness.panel->requests.size(), 1U);
    EXPECT_EQ(harness.panel->requests.back().startFolder, harness.folder / "home");
    harness.panel->answer = std::vector{harness.folder.makeFolder("home/Music")};
    click(overlay, "addFolder");
    harness.settle();
    test::deliverEvents();
    EXPECT_EQ(sourceRows(overlay), std::vector{shownName("Music")});
    click(overlay, "continueButton");
    EXPECT_EQ(counter(overlay), QStringLiteral("4 / 4"));
    EXPECT_FALSE(child(overlay, "continueButton").isVisible());
    EXPECT_TRUE(child(overlay, "finishButton").isVisible());

    harness.advance(AppModel::saveDelay);
    fs::remove(harness.statePath());
    click(overlay, "soundsSwitch");
    EXPECT_TRUE(model.state().preferences.sounds);
    harness.advance(AppModel::saveDelay);
    EXPECT_TRUE(harness.stateOnDisk().preferences.sounds);
    // The refresh that follows the change writes nothing of its own.
    fs::remove(harness.statePath());
    test::deliverEvents();
    harness.advance(std::chrono::seconds(1));
    EXPECT_FALSE(fs::exists(harness.statePath()));

    auto& appearance = child<SegmentedControl>(overlay, "appearancePicker");
    QTest::mouseClick(&appearance, Qt::LeftButton, {}, appearance.segmentRect(1).center());
    harness.advance(AppModel::saveDelay);
    EXPECT_EQ(harness.stateOnDisk().preferences.appearance, AppAppearance::light);

    click(overlay, "backButton");
    EXPECT_EQ(counter(overlay), QStringLiteral("3 / 4"));
    click(overlay, "continueButton");
    click(overlay, "finishButton");
    EXPECT_FALSE(model.showTutorial());
    harness.advance(AppModel::saveDelay);
    EXPECT_TRUE(harness.stateOnDisk().preferences.onboardingComplete);
}

// The keyboard stays on the button that opened the chooser: the folder it added is told.
TEST(TutorialOverlay, AFolderAddedIsToldByName)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    setAnimations(model, false);
    TutorialOverlay overlay(model);
    overlay.resize(1000, 760);
    overlay.show();
    QApplication::setActiveWindow(&overlay);
    click(overlay, "continueButton");
    click(overlay, "continueButton");
    ASSERT_EQ(counter(overlay), QStringLiteral("3 / 4"));
    const test::AccessibleEvents told;
    harness.panel->answer = std::vector{harness.folder.makeFolder("home/Music")};
    click(overlay, "addFolder");
    harness.settle();
    EXPECT_TRUE(test::waitForNotice(told, spokenText(foldersAddedNotice({"Music"}))))
        << told.transcript();
}

TEST(TutorialOverlay, TheDemonstrationTouchesNoFile)
{
    test::SortingHarness harness;
    const std::string card = harness.startSortingTwo();
    AppModel& model = *harness.model;
    setAnimations(model, false);
    model.setShowTutorial(true);
    TutorialOverlay overlay(model);
    overlay.resize(1000, 760);
    overlay.show();
    click(overlay, "continueButton");
    test::deliverEvents();

    for (const Demonstration& shown : demonstrations()) {
        click(overlay, ("demo-" + std::string(rawValue(shown.decision))).c_str());
        EXPECT_EQ(harness.sounds->log->back(), "play " + std::string(rawValue(shown.decision)));
    }
    auto& demo = child<DemoCard>(overlay, "demoCard");
    EXPECT_EQ(demo.offset(), demonstration(Decision::later).nudge);
    EXPECT_TRUE(child(overlay, "resetDemo").isVisible());
    click(overlay, "resetDemo");
    EXPECT_EQ(demo.offset(), QPointF());
    EXPECT_FALSE(overlay.gestureStep().demonstrated());

    // A press that barely moves is no drag; one that goes far enough demonstrates.
    const QPoint middle = demo.rect().center();
    QTest::mousePress(&demo, Qt::LeftButton, {}, middle);
    QTest::mouseMove(&demo, middle + QPoint(-6, 0));
    QTest::mouseRelease(&demo, Qt::LeftButton, {}, middle + QPoint(-6, 0));
    EXPECT_EQ(demo.offset(), QPointF());
    QTest::mousePress(&demo, Qt::LeftButton, {}, middle);
    QTest::mouseMove(&demo, middle + QPoint(-40, 0));
    EXPECT_EQ(demo.offset(), QPointF(-40, 0));
    QTest::mouseMove(&demo, middle + QPoint(-90, 0));
    QTest::mouseRelease(&demo, Qt::LeftButton, {}, middle + QPoint(-90, 0));
    EXPECT_EQ(demo.offset(), demonstration(Decision::trash).nudge);
    EXPECT_EQ(harness.played("trash"), 2U);

    harness.settle();
    EXPECT_TRUE(fs::exists(card));
    EXPECT_EQ(model.queueCount(), 2);
    EXPECT_EQ(model.undoCount(), 0);
    EXPECT_EQ(model.summary().trashed, 0);

    // While the session runs, sources are listed but none can be added.
    click(overlay, "continueButton");
    test::deliverEvents();
    EXPECT_EQ(sourceRows(overlay), std::vector{shownName("Pictures")});
    EXPECT_FALSE(child(overlay, "addFolder").isEnabled());
    EXPECT_FALSE(child(overlay, "suggestedFolder.Bureau").isEnabled());
    overlay.grab().save(test::screenshotFolder() + "/tutorial-sources-during-a-session.png");
}

// The tutorial opens with the keyboard on its way on, its ring drawn: Enter goes through every
// step and ends it, and a way back that goes hands the keyboard to the way on.
TEST(TutorialOverlay, OpensWithTheFocusDrawnOnItsWayOn)
{
    const test::SchemeScope restore;
    for (const auto& [appearance, suffix] :
         {std::pair{AppAppearance::dark, "dark"}, std::pair{AppAppearance::light, "light"}}) {
        AppearanceApplier().apply(appearance);
        test::ModelHarness harness;
        AppModel& model = harness.load();
        RootView view(model);
        view.resize(1200, 840);
        view.show();
        QApplication::setActiveWindow(&view);
        test::deliverEvents();
        const auto& overlay = child<TutorialOverlay>(view, "tutorialOverlay");
        auto& onward = child(overlay, "continueButton");
        ASSERT_EQ(QApplication::focusWidget(), &onward);
        EXPECT_GE(test::ringPixels(view, onward), 20);
        view.grab().save(test::screenshotFolder() + "/tutorial-opening-focus-" + suffix + ".png");

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        EXPECT_EQ(overlay.step(), 1);
        auto& back = child(overlay, "backButton");
        back.setFocus(Qt::TabFocusReason);
        QTest::keyClick(&back, Qt::Key_Return);
        EXPECT_EQ(overlay.step(), 0);
        EXPECT_EQ(QApplication::focusWidget(), &onward);

        for (int step = 1; step < tutorialStepCount; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            EXPECT_EQ(overlay.step(), step);
        }
        auto& finish = child(overlay, "finishButton");
        ASSERT_EQ(QApplication::focusWidget(), &finish);
        EXPECT_GE(test::ringPixels(view, finish), 20);
        QTest::keyClick(&finish, Qt::Key_Return);
        EXPECT_TRUE(model.state().preferences.onboardingComplete);
    }
}

// On a laptop's screen and at the window's smallest, a step whose content is taller than its room
// shows a scroll bar, Tab brings each of its controls into sight (a long list of folders
// included), and the step's heading and its way on stay in sight all along.
TEST(TutorialOverlay, EveryStepIsWithinReachOnASmallScreen)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    setAnimations(model, false);
    std::vector<std::string> folders;
    for (int index = 1; index <= 9; ++index) {
        folders.push_back(harness.folder.makeFolder("home/Folder " + std::to_string(index)));
    }
    harness.panel->answer = folders;
    for (const QSize size : {QSize(960, 660), QSize(1280, 740)}) {
        TutorialOverlay overlay(model);
        overlay.resize(size);
        overlay.show();
        QApplication::setActiveWindow(&overlay);
        test::deliverEvents();
        int scrolled = 0;
        const std::array stepNames{"step-welcome", "step-gestureDemo", "step-sources",
                                   "step-preferences"};
        for (int step = 0; step < tutorialStepCount; ++step) {
            SCOPED_TRACE(testing::Message()
                         << size.width() << "x" << size.height() << " step " << step);
            if (step == 1) {
                click(overlay, "demo-keep");
            }
            if (step == 2 && model.state().sources.empty()) {
                click(overlay, "addFolder");
                harness.settle();
            }
            test::deliverEvents();
            const QScrollArea* scroll = shownScroll(overlay);
            ASSERT_NE(scroll, nullptr);
            const QWidget& content = *scroll->widget();
            const bool hidden = content.height() > scroll->viewport()->height();
            // No room is scrolled for nothing.
            EXPECT_LE(content.height(), std::max(scroll->viewport()->height(),
                                                 content.heightForWidth(content.width())));
            EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), hidden);
            scrolled += hidden ? 1 : 0;
            // The first step has nothing to focus: it fits.
            EXPECT_TRUE(step > 0 || !hidden);
            const QWidget* heading = child(overlay, stepNames[step]).layout()->itemAt(0)->widget();
            QWidget& onward = child(overlay, step == 3 ? "finishButton" : "continueButton");

            onward.setFocus(Qt::TabFocusReason);
            int rows = 0;
            int inside = 0;
            for (int stop = 0; stop < 60; ++stop) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget* focused = QApplication::focusWidget();
                ASSERT_NE(focused, nullptr);
                EXPECT_TRUE(wholeInSight(*focused, overlay)) << focused->objectName().toStdString();
                if (step > 0) {
                    EXPECT_TRUE(wholeInSight(*heading, overlay));
                }
                EXPECT_TRUE(wholeInSight(onward, overlay));
                // The text under the last control shows with it.
                if (focused->objectName() == QStringLiteral("resetDemo")) {
                    const auto texts = child(overlay, stepNames[step]).findChildren<TextBlock*>();
                    const TextBlock* lowest = *std::max_element(
                        texts.begin(), texts.end(), [&](const TextBlock* a, const TextBlock* b) {
                            return a->mapTo(&overlay, QPoint()).y() <
                                   b->mapTo(&overlay, QPoint()).y();
                        });
                    EXPECT_TRUE(wholeInSight(*lowest, overlay)) << lowest->text().toStdString();
                }
                inside += scroll->isAncestorOf(focused) ? 1 : 0;
                rows += qobject_cast<SourceStepRow*>(focused) != nullptr ? 1 : 0;
                if (focused == &onward) {
                    break;
                }
            }
            EXPECT_EQ(QApplication::focusWidget(), &onward);
            EXPECT_EQ(rows, step == 2 ? 9 : 0);
            if (step > 0) {
                EXPECT_GT(inside, 0);
            }
            overlay.grab().save(test::screenshotFolder() +
                                QStringLiteral("/tutorial-%1x%2-step-%3.png")
                                    .arg(size.width())
                                    .arg(size.height())
                                    .arg(step));
            if (step + 1 < tutorialStepCount) {
                click(overlay, "continueButton");
            }
        }
        // The tallest steps do not fit the smallest window: the test saw them scroll.
        EXPECT_GT(scrolled, 0);
    }
}

// A step left scrolled down and come back to shows its heading's side first, as it did the
// first time.
TEST(TutorialOverlay, AStepShownAgainStartsAtItsTop)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    setAnimations(model, false);
    TutorialOverlay overlay(model);
    overlay.resize(960, 660);
    overlay.show();
    test::deliverEvents();
    click(overlay, "continueButton");
    test::deliverEvents();
    QScrollBar& bar = *shownScroll(overlay)->verticalScrollBar();
    ASSERT_GT(bar.maximum(), 0) << "the step fits: nothing to scroll";
    bar.setValue(bar.maximum());
    click(overlay, "continueButton");
    click(overlay, "backButton");
    test::deliverEvents();
    ASSERT_EQ(counter(overlay), QStringLiteral("2 / 4"));
    EXPECT_EQ(&bar, shownScroll(overlay)->verticalScrollBar());
    EXPECT_EQ(bar.value(), 0);
}

// The buttons that turn the page say which step is shown, heard when the keyboard reaches them;
// a step the keyboard stays behind on is told as it shows, which a screen reader speaks.
TEST(TutorialOverlay, TheButtonsThatTurnThePageTellWhichStepIsShown)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    setAnimations(model, false);
    TutorialOverlay overlay(model);
    overlay.show();
    const auto told = [&overlay](const char* button) {
        auto* way = overlay.findChild<QWidget*>(QString::fromLatin1(button));
        return QAccessible::queryAccessibleInterface(way)->text(QAccessible::Description);
    };
    EXPECT_EQ(told("continueButton"),
              "Étape 1 sur 4 : Faites de la place sans vous prendre la tête.");
    click(overlay, "continueButton");
    EXPECT_EQ(told("continueButton"), "Étape 2 sur 4 : Un geste suffit.");
    QWidget& notice = child(overlay, "stepNotice");
    EXPECT_TRUE(notice.isVisible());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&notice)->role(), QAccessible::Notification);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&notice)->text(QAccessible::Name),
              "Étape 2 sur 4 : Un geste suffit.");
    // A demonstration's message is told once: the step shown again tells only itself.
    click(overlay, "demo-keep");
    QWidget& demoNotice = child(overlay, "demoNotice");
    EXPECT_TRUE(demoNotice.isVisible());
    click(overlay, "continueButton");
    click(overlay, "backButton");
    EXPECT_FALSE(demoNotice.isVisible());
    click(overlay, "demo-keep");
    EXPECT_TRUE(demoNotice.isVisible());
    click(overlay, "continueButton");
    click(overlay, "continueButton");
    EXPECT_EQ(told("finishButton"), "Étape 4 sur 4 : Faites comme chez vous.");
    click(overlay, "backButton");
    EXPECT_EQ(told("backButton"), "Étape 3 sur 4 : Par où commence-t-on ?");
}

// Where the keyboard stays behind, what shows is told as a notice, which a screen reader speaks as
// it shows: a step turned to, the same one again after going back, and what a demonstration did.
TEST(TutorialOverlay, WhatShowsWhereTheKeyboardStaysIsTold)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    setAnimations(model, false);
    TutorialOverlay overlay(model);
    overlay.show();
    QApplication::setActiveWindow(&overlay);
    auto& onward = child(overlay, "continueButton");
    onward.setFocus(Qt::TabFocusReason);
    test::AccessibleEvents events;
    QTest::keyClick(&onward, Qt::Key_Return);
    auto& back = child(overlay, "backButton");
    back.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&back, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), &onward);
    QTest::keyClick(&onward, Qt::Key_Return);
    ASSERT_EQ(overlay.step(), 1);
    const auto shown = events.about(&child(overlay, "stepNotice"), QAccessible::ObjectShow);
    EXPECT_EQ(std::count_if(shown.begin(), shown.end(),
                            [](const test::ToldEvent& told) {
                                return told.name == "Étape 2 sur 4 : Un geste suffit.";
                            }),
              2)
        << events.transcript();

    auto& demo = child(overlay, "demo-trash");
    demo.setFocus(Qt::TabFocusReason);
    QTest::keyClick(&demo, Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), &demo);
    const QString message = child<TextBlock>(overlay, "demoMessage").text();
    EXPECT_TRUE(events.waitFor(&child(overlay, "demoNotice"), QAccessible::ObjectShow,
                               [&](const test::ToldEvent& told) { return told.name == message; }))
        << message.toStdString() << "\n"
        << events.transcript();
}

TEST(TutorialOverlay, ALanguageChosenMidWayRebuildsTheWindowFromTheFirstStep)
{
    const AppLanguage before = Localization::language();
    test::ModelHarness harness;
    AppModel& model = harness.load();
    const RootView view(model);
    test::deliverEvents();
    click(view, "continueButton");
    click(view, "continueButton");

    auto& picker = child<QComboBox>(view, "languagePicker");
    const QPointer<QComboBox> old(&picker);
    picker.setCurrentIndex(2);
    emit picker.activated(2);
    test::deliverEvents();
    EXPECT_TRUE(old.isNull());
    EXPECT_EQ(child<TutorialOverlay>(view, "tutorialOverlay").step(), 0);
    EXPECT_EQ(child<QAbstractButton>(view, "continueButton").text(), QStringLiteral("Continue"));
    harness.advance(AppModel::saveDelay);
    EXPECT_EQ(harness.stateOnDisk().preferences.language, AppLanguage::en);
    Localization::setLanguage(before);
}

} // namespace
} // namespace tollenvane
