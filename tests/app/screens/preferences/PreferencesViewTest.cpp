#include "app/screens/preferences/PreferencesView.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/KeyCap.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/preview/SoundOutput.h"
#include "app/screens/preferences/AppearanceTile.h"
#include "app/shell/RootView.h"
#include "design/SchemeScope.h"
#include "model/AppModel.h"
#include "model/support/ModelHarness.h"
#include "model/support/SortingHarness.h"
#include "support/AccessibleEvents.h"
#include "support/DeliverEvents.h"
#include "support/ScopedLanguage.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QSlider>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <filesystem>
#include <functional>

namespace tollenvane {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

template <class T = QWidget>
T& child(const QWidget& parent, const char* name)
{
    auto* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return *found;
}

void choose(QComboBox& picker, int index)
{
    picker.setCurrentIndex(index);
    emit picker.activated(index);
}

// The state file is written exactly once for what `act` did, and says what `check` expects.
void expectOneWrite(test::ModelHarness& harness, const std::function<void()>& act,
                    const std::function<bool(const Preferences&)>& check)
{
    fs::remove(harness.statePath());
    act();
    test::deliverEvents();
    harness.advance(AppModel::saveDelay);
    ASSERT_TRUE(fs::exists(harness.statePath()));
    EXPECT_TRUE(check(harness.stateOnDisk().preferences));
    fs::remove(harness.statePath());
    harness.advance(10s);
    EXPECT_FALSE(fs::exists(harness.statePath()));
}

// The model loaded, in `language` when one is given.
AppModel& loaded(test::ModelHarness& harness, std::optional<AppLanguage> language)
{
    AppModel& model = harness.load();
    if (language) {
        Preferences preferences = model.state().preferences;
        preferences.language = *language;
        model.setPreferences(preferences);
    }
    return model;
}

struct ShownPage {
    test::ModelHarness harness;
    AppModel& model;
    PreferencesView view;

    explicit ShownPage(std::optional<AppLanguage> language = std::nullopt)
        : model(loaded(harness, language))
        , view(model)
    {
        harness.advance(AppModel::saveDelay);
        view.resize(900, 2200);
        view.show();
        test::deliverEvents();
    }
};

TEST(PreferencesView, ShowsTheStoredValuesAndWritesOnlyWhatTheUserChanges)
{
    ShownPage page;
    const PreferencesView& view = page.view;
    EXPECT_EQ(child<QComboBox>(view, "languagePicker").currentText(), "Langue du système");
    EXPECT_TRUE(child<AppearanceTile>(view, "appearance-dark").isSelected());
    EXPECT_FALSE(child<AppearanceTile>(view, "appearance-light").isSelected());
    EXPECT_FALSE(child<QAbstractButton>(view, "soundsSwitch").isChecked());
    EXPECT_TRUE(child<QAbstractButton>(view, "animationsSwitch").isChecked());
    EXPECT_EQ(child<QLabel>(view, "volumePercent").text(), "45\u00A0%");
    EXPECT_EQ(child<QComboBox>(view, "minimumSizePicker").currentText(), "Aucune");

    // Neither the first show, nor a refresh for someone else's change, nor the wheel scrolling
    // the page over a list writes anything.
    fs::remove(page.harness.statePath());
    page.model.setPreferences(page.model.state().preferences);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&child(view, "languagePicker"), &wheel);
    EXPECT_EQ(child<QComboBox>(view, "languagePicker").currentIndex(), 0);
    test::deliverEvents();
    page.harness.advance(10s);
    EXPECT_FALSE(fs::exists(page.harness.statePath()));

    expectOneWrite(
        page.harness, [&] { QTest::mouseClick(&child(view, "soundsSwitch"), Qt::LeftButton); },
        [](const Preferences& saved) { return saved.sounds; });
    expectOneWrite(
        page.harness, [&] { QTest::mouseClick(&child(view, "appearance-light"), Qt::LeftButton); },
        [](const Preferences& saved) { return saved.appearance == AppAppearance::light; });
    EXPECT_TRUE(child<AppearanceTile>(view, "appearance-light").isSelected());
    EXPECT_FALSE(child<AppearanceTile>(view, "appearance-dark").isSelected());
    expectOneWrite(
        page.harness, [&] { choose(child<QComboBox>(view, "minimumSizePicker"), 2); },
        [](const Preferences& saved) { return saved.minimumSize == 10'000'000; });
    // A drag is a run of moves: one write, with where it ended.
    expectOneWrite(
        page.harness,
        [&] {
            auto& slider = child<QSlider>(view, "volumeSlider");
            slider.setSliderDown(true);
            for (const int position : {500, 620, 700}) {
                slider.setSliderPosition(position);
            }
            slider.setSliderDown(false);
        },
        [](const Preferences& saved) { return saved.soundVolume == 0.7; });
    EXPECT_EQ(child<QLabel>(view, "volumePercent").text(), "70\u00A0%");
    // Choosing the chosen tile again writes nothing.
    fs::remove(page.harness.statePath());
    QTest::mouseClick(&child(view, "appearance-light"), Qt::LeftButton);
    page.harness.advance(10s);
    EXPECT_FALSE(fs::exists(page.harness.statePath()));

    // Picking a smaller size leaves the index as it is until the user asks for a new scan.
    EXPECT_FALSE(page.model.scanning());
    QTest::mouseClick(&child(view, "rescan"), Qt::LeftButton);
    EXPECT_TRUE(page.model.scanning());

    // The preview plays with the sounds off; the tutorial can be seen again.
    QTest::mouseClick(&child(view, "soundsSwitch"), Qt::LeftButton);
    QTest::mouseClick(&child(view, "soundPreview"), Qt::LeftButton);
    const auto& log = *page.harness.sounds->log;
    EXPECT_NE(std::find(log.begin(), log.end(), "play keep"), log.end());
    QTest::mouseClick(&child(view, "replayTutorial"), Qt::LeftButton);
    EXPECT_TRUE(page.model.showTutorial());
}

// Where no sound output exists, as on the offscreen platform here, the preview says so, in the
// chosen language, as the preview sheet of a sound does.
TEST(PreferencesView, APreviewWithNowhereToBeHeardSaysSo)
{
    if (soundOutputExists()) {
        GTEST_SKIP() << "this machine has a sound output";
    }
    const test::SchemeScope restore;
    AppearanceApplier applier;
    for (const auto& [language, text] :
         {std::pair{AppLanguage::en, "No sound output is available on this computer."},
          std::pair{AppLanguage::de, "Auf diesem Computer ist keine Audioausgabe verfügbar."},
          std::pair{AppLanguage::fr, "Aucune sortie audio n’est disponible sur cet ordinateur."}}) {
        const test::ScopedLanguage shown(language);
        for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
            applier.apply(appearance);
            ShownPage page(language);
            const auto& notice = child<TextBlock>(page.view, "noSoundOutput");
            EXPECT_FALSE(notice.isVisible());
            QTest::mouseClick(&child(page.view, "soundPreview"), Qt::LeftButton);
            test::deliverEvents();
            EXPECT_TRUE(notice.isVisible());
            EXPECT_EQ(notice.text(), QString::fromUtf8(text));
            EXPECT_GE(notice.height(), notice.heightForWidth(notice.width()));
            QWidget& panel = *notice.parentWidget();
            panel.grab().save(test::screenshotFolder() +
                              QStringLiteral("/preferences-no-sound-output-%1-%2.png")
                                  .arg(rawValue(language).data(), rawValue(appearance).data()));
        }
    }
}

TEST(PreferencesView, TheHeldSliderIsLeftAloneUntilLetGo)
{
    ShownPage page;
    auto& slider = child<QSlider>(page.view, "volumeSlider");
    slider.setSliderDown(true);
    slider.setSliderPosition(800);
    Preferences elsewhere = page.model.state().preferences;
    elsewhere.soundVolume = 0.2;
    page.model.setPreferences(elsewhere);
    test::deliverEvents();
    EXPECT_EQ(slider.value(), 800);
    EXPECT_EQ(child<QLabel>(page.view, "volumePercent").text(), "20\u00A0%");

    slider.setSliderDown(false);
    test::deliverEvents();
    EXPECT_EQ(slider.value(), 200);
    EXPECT_DOUBLE_EQ(page.model.state().preferences.soundVolume, 0.2);
}

// The volume is heard as the percentage beside it, rounded alike, rather than as the slider's
// step; an appearance chosen is told checked, the one it replaces unchecked.
TEST(PreferencesView, TheVolumeAndTheAppearanceAreHeardAsShown)
{
    ShownPage page;
    QAccessibleInterface& read =
        *QAccessible::queryAccessibleInterface(&child<QSlider>(page.view, "volumeSlider"));
    ASSERT_NE(read.valueInterface(), nullptr);
    EXPECT_EQ(read.valueInterface()->currentValue().toInt(), 45);
    Preferences preferences = page.model.state().preferences;
    preferences.soundVolume = 0.29;
    page.model.setPreferences(preferences);
    test::deliverEvents();
    EXPECT_EQ(child<QLabel>(page.view, "volumePercent").text(), "29\u00A0%");
    EXPECT_EQ(read.valueInterface()->currentValue().toInt(), 29);
    EXPECT_EQ(read.valueInterface()->maximumValue().toInt(), 100);

    test::AccessibleEvents events;
    QTest::mouseClick(&child(page.view, "appearance-light"), Qt::LeftButton);
    const auto checkedChange = [](const test::ToldEvent& told) { return told.changed.checked; };
    for (const char* tile : {"appearance-light", "appearance-dark"}) {
        EXPECT_TRUE(
            events.waitFor(&child(page.view, tile), QAccessible::StateChanged, checkedChange))
            << tile << "\n"
            << events.transcript();
    }
}

TEST(PreferencesView, ForgettingAsksFirstAndIsLockedDuringASession)
{
    test::SortingHarness harness;
    harness.startSortingTwo();
    AppModel& model = *harness.model;
    QWidget window;
    window.resize(900, 900);
    auto* view = new PreferencesView(model, &window);
    view->resize(900, 900);
    window.show();
    test::deliverEvents();
    EXPECT_FALSE(child(*view, "forgetDecisions").isEnabled());
    EXPECT_FALSE(child(*view, "showHiddenSwitch").isEnabled());
    EXPECT_FALSE(child(*view, "rescan").isEnabled());
    EXPECT_TRUE(child(*view, "languagePicker").isEnabled());
    EXPECT_TRUE(child(*view, "volumeSlider").isEnabled());

    harness.decide(Decision::keep);
    harness.decide(Decision::keep);
    test::deliverEvents();
    ASSERT_FALSE(model.sessionActive());
    ASSERT_EQ(harness.journalEntries().size(), 2U);

    QTest::mouseClick(&child(*view, "forgetDecisions"), Qt::LeftButton);
    auto* alert = view->findChild<QMessageBox*>("forgetAlert");
    ASSERT_NE(alert, nullptr);
    EXPECT_TRUE(alert->isVisible());
    EXPECT_EQ(alert->windowModality(), Qt::WindowModal);
    EXPECT_EQ(alert->textFormat(), Qt::PlainText);
    EXPECT_EQ(alert->windowTitle(), QStringLiteral("Tollenvane"));
    QTest::mouseClick(&child(*alert, "cancelForget"), Qt::LeftButton);
    harness.settle();
    EXPECT_EQ(harness.journalEntries().size(), 2U);

    QTest::mouseClick(&child(*view, "forgetDecisions"), Qt::LeftButton);
    alert = view->findChild<QMessageBox*>("forgetAlert");
    ASSERT_NE(alert, nullptr);
    QTest::mouseClick(&child(*alert, "confirmForget"), Qt::LeftButton);
    harness.settle();
    EXPECT_TRUE(harness.journalEntries().empty());
    EXPECT_FALSE(model.alert());

    // The decided files count again in the next selection.
    model.setup(SessionFilter());
    harness.advance(80ms);
    EXPECT_EQ(model.matchingCount(), 2);
}

std::vector<QString> keyCaps(const QWidget& root)
{
    std::vector<QString> keys;
    for (const KeyCap* cap : root.findChildren<KeyCap*>()) {
        keys.push_back(cap->key());
    }
    return keys;
}

bool shows(const QWidget& root, const QString& text)
{
    const auto blocks = root.findChildren<TextBlock*>();
    return std::any_of(blocks.begin(), blocks.end(),
                       [&](const TextBlock* block) { return block->text() == text; });
}

TEST(PreferencesView, AChosenLanguageRedrawsTheWindowInIt)
{
    const test::ScopedLanguage restore(AppLanguage::fr);
    test::ModelHarness harness;
    AppModel& model = harness.load();
    model.setPage(Page::settings);
    const RootView root(model);
    test::deliverEvents();
    ASSERT_NE(root.findChild<PreferencesView*>(), nullptr);
    EXPECT_TRUE(shows(root, "Les détails qui comptent."));

    choose(child<QComboBox>(root, "languagePicker"), 5);
    test::deliverEvents();
    EXPECT_TRUE(shows(root, "I dettagli che contano."));
    EXPECT_EQ(child<QComboBox>(root, "languagePicker").currentText(), "Italiano");

    choose(child<QComboBox>(root, "languagePicker"), 4);
    test::deliverEvents();
    EXPECT_TRUE(shows(root, "Die Details, die zählen."));
    const auto keys = keyCaps(root);
    for (const char* key : {"←", "→", "↑", "↓", "Leertaste", "Strg+Z", "Strg+N", "Strg+O"}) {
        EXPECT_NE(std::find(keys.begin(), keys.end(), QString::fromUtf8(key)), keys.end()) << key;
    }
    harness.advance(AppModel::saveDelay);
    EXPECT_EQ(harness.stateOnDisk().preferences.language, AppLanguage::de);
}

QColor pixelOf(const QImage& picture, const QWidget& page, const QWidget& widget, QPoint at)
{
    return picture.pixelColor(widget.mapTo(&page, at) * picture.devicePixelRatio());
}

TEST(PreferencesView, PicturesInBothAppearances)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    const QString folder = test::screenshotFolder();
    test::ModelHarness harness;
    AppModel& model = harness.load();

    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        applier.apply(appearance);
        Preferences preferences = model.state().preferences;
        preferences.appearance = appearance;
        model.setPreferences(preferences);
        PreferencesView view(model);
        view.resize(820, 1840);
        view.show();
        test::deliverEvents();
        const QImage picture = view.grab().toImage();
        const QString name = QStringLiteral("preferences-%1.png").arg(rawValue(appearance).data());
        EXPECT_TRUE(picture.save(folder + "/" + name));

        // Texts that wrap get the height of all their lines.
        for (const TextBlock* block : view.findChildren<TextBlock*>()) {
            EXPECT_GE(block->height(), block->heightForWidth(block->width()))
                << block->text().toStdString();
        }
        // Only the chosen tile is tinted; the others keep the soft fill.
        const auto& chosen = child<AppearanceTile>(
            view, appearance == AppAppearance::dark ? "appearance-dark" : "appearance-light");
        const auto& system = child<AppearanceTile>(view, "appearance-system");
        const QPoint inside(6, chosen.height() / 2);
        EXPECT_NE(pixelOf(picture, view, chosen, inside), Theme::color(Theme::soft));
        EXPECT_EQ(pixelOf(picture, view, system, inside), Theme::color(Theme::soft));
        // The automatic picture lightens its trailing band over the dark window.
        const auto& dark = child<AppearanceTile>(view, "appearance-dark");
        const QPoint band(system.width() - 16, 12 + 33);
        EXPECT_GT(pixelOf(picture, view, system, band).lightness(),
                  pixelOf(picture, view, dark, band).lightness() + 20);
    }
}

} // namespace
} // namespace tollenvane
