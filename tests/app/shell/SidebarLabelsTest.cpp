#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/Theme.h"
#include "app/shell/DiskCard.h"
#include "app/shell/NavRow.h"
#include "app/shell/RootView.h"
#include "app/shell/SessionEntry.h"
#include "app/shell/Sidebar.h"
#include "core/localisation/Localization.h"
#include "design/SchemeScope.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "shell/ShownWindow.h"
#include "support/DeliverEvents.h"
#include "support/ScopedLanguage.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

constexpr std::array languages{AppLanguage::fr, AppLanguage::en, AppLanguage::es, AppLanguage::de,
                               AppLanguage::it};

void speak(AppModel& model, AppLanguage language)
{
    Preferences preferences = model.state().preferences;
    preferences.language = language;
    model.setPreferences(preferences);
}

using test::ShownWindow;

// Every label of the sidebar drawn whole in the room its entry has: each row selected or not,
// the way back into a session, the disk card and the section label.
void expectEveryLabelWhole(const ShownWindow& window)
{
    for (NavRow* row : window.sidebar().findChildren<NavRow*>()) {
        const bool selected = row->isSelected();
        for (const bool state : {false, true}) {
            row->setSelected(state);
            EXPECT_EQ(row->titleFit().text.toStdString(), row->text().toStdString())
                << (state ? "selected" : "not selected");
            EXPECT_GE(row->titleFit().scale, 0.9);
        }
        row->setSelected(selected);
    }
    for (SessionEntry* entry : window.sidebar().findChildren<SessionEntry*>()) {
        if (entry->isVisibleTo(&window.sidebar())) {
            EXPECT_EQ(entry->titleFit().text.toStdString(), entry->text().toStdString());
        }
    }
    const auto& card = *window.sidebar().findChild<DiskCard*>(QStringLiteral("diskCard"));
    EXPECT_EQ(card.titleFit().text.toStdString(), card.content().title);
    EXPECT_EQ(card.freeSpaceFit().text.toStdString(), card.content().freeSpace);
    for (const ElidedLabel* label : window.sidebar().findChildren<ElidedLabel*>()) {
        EXPECT_EQ(label->fitted().text.toStdString(), label->text().toStdString());
    }
}

TEST(SidebarLabels, ReadWholeInEveryLanguageDuringAndAfterASession)
{
    const test::ScopedLanguage restoreLanguage(Localization::language());
    test::SortingHarness harness;
    harness.startSortingTwo();
    for (const AppLanguage language : languages) {
        SCOPED_TRACE(rawValue(language));
        speak(*harness.model, language);
        const ShownWindow window(*harness.model);
        auto* running = window.sidebar().findChild<SessionEntry*>(QStringLiteral("runningSession"));
        ASSERT_TRUE(running->isVisibleTo(&window.sidebar()));
        expectEveryLabelWhole(window);
        // A session of thousands of files.
        running->setCount(9999);
        EXPECT_EQ(running->titleFit().text.toStdString(), running->text().toStdString());
        EXPECT_GE(window.sidebar().width(), Sidebar::columnWidth);
    }

    AppModel& model = harness.restart();
    harness.settle();
    ASSERT_TRUE(model.canResume());
    for (const AppLanguage language : languages) {
        SCOPED_TRACE(rawValue(language));
        speak(model, language);
        const ShownWindow window(model);
        ASSERT_TRUE(window.sidebar()
                        .findChild<QWidget*>(QStringLiteral("savedSession"))
                        ->isVisibleTo(&window.sidebar()));
        expectEveryLabelWhole(window);
    }
}

TEST(SidebarLabels, PicturesInEveryLanguageInBothAppearances)
{
    const test::SchemeScope restore;
    const test::ScopedLanguage restoreLanguage(Localization::language());
    AppearanceApplier applier;
    test::SortingHarness harness;
    harness.startSortingTwo();
    harness.model->navigate(Page::space);
    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        applier.apply(appearance);
        for (const AppLanguage language : languages) {
            speak(*harness.model, language);
            const ShownWindow window(*harness.model);
            const QImage picture = window.sidebar().grab().toImage();
            EXPECT_TRUE(
                picture.save(test::screenshotFolder() + "/sidebar-" +
                             QString::fromUtf8(rawValue(language).data()) +
                             (appearance == AppAppearance::dark ? "-dark.png" : "-light.png")));
            EXPECT_EQ(picture.pixelColor(4, picture.height() / 2), Theme::color(Theme::sidebar));
            EXPECT_EQ(picture.pixelColor(picture.width() - 1, picture.height() / 2),
                      Theme::color(Theme::line));
        }
    }
}

} // namespace
} // namespace tollenvane
