#include "app/screens/dashboard/DashboardPage.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/design/SymbolView.h"
#include "app/design/Theme.h"
#include "app/screens/tiles/CategoryTile.h"
#include "app/screens/tiles/MetricCard.h"
#include "app/screens/tiles/RecommendationTile.h"
#include "design/SchemeScope.h"
#include "model/support/SortingHarness.h"
#include "support/DeliverEvents.h"
#include "support/HeardGroup.h"
#include "support/ScopedLanguage.h"
#include "support/Screenshots.h"
#include "support/ShownPage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <filesystem>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;

using test::deliverEvents;

struct ShownDashboard : test::ShownPage<DashboardPage> {
    explicit ShownDashboard(AppModel& model, QSize size = QSize(1040, 1500))
        : ShownPage(size, model)
    {}

    bool shows(const QString& name) { return find<QWidget>(name).isVisible(); }
    bool enabled(const QString& name) { return find<QWidget>(name).isEnabled(); }
    void click(const QString& name) { QTest::mouseClick(&find<QWidget>(name), Qt::LeftButton); }
    QStringList suggestions()
    {
        QStringList names;
        for (const auto* tile : page->findChildren<RecommendationTile*>()) {
            names << tile->objectName();
        }
        return names;
    }
};

// Seconds since 1970 of a day `days` before the model's clock.
long long daysBefore(const test::ModelHarness& harness, int days)
{
    constexpr long long since1970 = 978'307'200;
    return static_cast<long long>(harness.time->wallNow()) + since1970 - days * 86'400LL;
}

// Files of every kind the suggestions look at; the large ones are sparse, so they take no room.
void writeLibrary(test::SortingHarness& harness)
{
    const auto sized = [&](const std::string& name, std::uintmax_t size, int age) {
        const std::string path = harness.file(name, 0);
        fs::resize_file(path, size);
        if (age > 0) {
            test::setModified(path, daysBefore(harness, age));
        }
    };
    sized("rushes.mp4", 2'000'000'000, 0);
    for (int index = 0; index < 5; ++index) {
        sized("backup-" + std::to_string(index) + ".zip", 150'000'000, 60);
        sized("trip-" + std::to_string(index) + ".mov", 20'000'000, 400);
    }
    sized("notes.pdf", 42'000, 0);
    sized("holiday.png", 3'000, 0);
}

TEST(DashboardPage, WithoutSourcesItOffersToChooseFolders)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    ShownDashboard shown(model);

    EXPECT_FALSE(shown.shows("refresh-index"));
    EXPECT_FALSE(shown.shows("resume-card"));
    EXPECT_TRUE(shown.shows("choose-folders"));
    EXPECT_FALSE(shown.shows("start-sorting"));
    EXPECT_FALSE(shown.shows("resume-sorting"));
    EXPECT_TRUE(shown.shows("suggestions-empty"));
    EXPECT_EQ(shown.find<ElidedLabel>("suggestions-empty-title").text(),
              QStringLiteral("Ajoutez vos dossiers pour découvrir les suggestions."));
    EXPECT_FALSE(shown.enabled("category-pdf"));
    EXPECT_EQ(shown.find<ElidedLabel>("ready-sources").text(),
              QStringLiteral("0 dossiers autorisés"));
    EXPECT_EQ(shown.find<ElidedLabel>("volume-name").text(), QStringLiteral("Votre ordinateur"));
    EXPECT_EQ(shown.find<ElidedLabel>("used-space").text(),
              QStringLiteral("0\u00A0o utilisés sur 0\u00A0o"));

    shown.click("choose-folders");
    ASSERT_EQ(harness.panel->requests.size(), 1U);
    EXPECT_TRUE(harness.panel->requests[0].multipleSelection); // sources, not a destination
    EXPECT_FALSE(harness.panel->requests[0].startFolder);
}

TEST(DashboardPage, EachActionCallsTheModelWithItsFilter)
{
    test::SortingHarness harness;
    harness.file("notes.pdf", 300);
    AppModel& model = harness.loadScanned();
    ShownDashboard shown(model);
    ASSERT_TRUE(shown.shows("start-sorting"));
    ASSERT_TRUE(shown.enabled("start-sorting"));
    // The card's action is heard with the volume's figures as drawn.
    EXPECT_EQ(test::heardGroup(shown.find<QWidget>("start-sorting")),
              spokenText("Votre ordinateur, " + shown.find<ElidedLabel>("free-space").text() +
                         ", " + shown.find<ElidedLabel>("used-space").text()));
    EXPECT_TRUE(shown.find<ElidedLabel>("free-space").text().endsWith(" libres maintenant"));
    EXPECT_EQ(shown.find<ElidedLabel>("ready-sources").text(),
              QStringLiteral("1 dossier autorisé"));
    EXPECT_EQ(shown.find<ElidedLabel>("detected-count").text(),
              QStringLiteral("1 fichier détecté"));
    {
        const test::ScopedLanguage english(AppLanguage::en);
        ShownDashboard inEnglish(model);
        EXPECT_EQ(inEnglish.find<ElidedLabel>("detected-count").text(),
                  QStringLiteral("1 file found"));
    }

    model.scan();
    EXPECT_EQ(shown.find<MetricCard>("metric-0").detail(),
              QStringLiteral("analyse progressive en cours"));
    EXPECT_TRUE(shown.shows("suggestions-scanning"));
    EXPECT_FALSE(shown.enabled("refresh-index"));
    harness.settle();
    EXPECT_EQ(shown.find<MetricCard>("metric-0").detail(),
              QStringLiteral("dans vos sources autorisées"));
    EXPECT_TRUE(shown.enabled("refresh-index"));

    SessionFilter pdfOnly;
    pdfOnly.type = FileFilter::pdf;
    shown.click("category-pdf");
    EXPECT_EQ(model.page(), Page::setup);
    EXPECT_EQ(model.filter(), pdfOnly);

    shown.click("start-sorting");
    EXPECT_EQ(model.filter(), SessionFilter());

    const std::size_t cues = harness.played("navigation");
    shown.click("open-disks");
    EXPECT_EQ(model.page(), Page::space);
    shown.click("manage-sources");
    EXPECT_EQ(model.page(), Page::sources);
    EXPECT_EQ(harness.played("navigation"), cues + 2);
}

TEST(DashboardPage, RefreshingKeepsThePageWhereItIs)
{
    test::SortingHarness harness;
    writeLibrary(harness);
    AppModel& model = harness.loadScanned();
    ShownDashboard shown(model, QSize(1040, 600));
    shown.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&shown.window));
    ASSERT_GT(shown.page->verticalScrollBar()->maximum(), 0);
    shown.click("refresh-index");
    deliverEvents();
    ASSERT_TRUE(model.scanning());
    EXPECT_EQ(shown.page->verticalScrollBar()->value(), 0);
    harness.settle();
}

TEST(DashboardPage, DuringADecisionOnlyTheWayBackToTheDeckStaysOpen)
{
    test::SortingHarness harness;
    writeLibrary(harness);
    harness.loadScanned();
    harness.startSortingAll();
    AppModel& model = *harness.model;
    model.setPage(Page::dashboard);
    ShownDashboard shown(model);
    ASSERT_TRUE(model.sessionActive());
    EXPECT_TRUE(shown.shows("resume-sorting"));
    EXPECT_FALSE(shown.shows("start-sorting"));
    EXPECT_FALSE(shown.shows("resume-card"));
    EXPECT_FALSE(shown.enabled("refresh-index"));
    EXPECT_TRUE(shown.enabled("category-pdf"));

    model.act(Decision::later, std::nullopt, true);
    ASSERT_TRUE(model.busy());
    EXPECT_FALSE(shown.enabled("category-pdf"));
    EXPECT_FALSE(shown.enabled("preset-large"));
    EXPECT_TRUE(shown.enabled("resume-sorting"));

    const std::size_t cues = harness.played("navigation");
    shown.click("resume-sorting");
    EXPECT_EQ(model.page(), Page::swipe);
    EXPECT_EQ(harness.played("navigation"), cues);
    harness.settle();
}

TEST(DashboardPage, APausedSessionIsTakenUpFromItsCard)
{
    test::SortingHarness harness;
    harness.startSortingTwo();
    AppModel& model = harness.restart();
    ASSERT_TRUE(model.canResume());
    ShownDashboard shown(model);
    EXPECT_TRUE(shown.shows("resume-card"));
    EXPECT_TRUE(shown.shows("start-sorting"));
    ASSERT_TRUE(shown.enabled("resume-session"));

    shown.click("resume-session");
    harness.settle();
    EXPECT_TRUE(model.sessionActive());
    EXPECT_FALSE(shown.shows("resume-card"));
}

TEST(DashboardPage, PicturesOfAPopulatedDashboard)
{
    test::SortingHarness harness;
    // The fake answers for the mount point without looking at the disk.
    harness.volumes->disks = {{harness.folder.path(), 11, 512'000'000'000, 200'000'000'000},
                              {"/media/<b>Clé&amp;", 12, 64'000'000'000, 16'000'000'000}};
    writeLibrary(harness);
    AppModel& model = harness.loadScanned();
    model.updateDisk(true);
    harness.settle();
    model.setSelectedVolumeID(12);
    model.applySelectedVolume();

    const test::SchemeScope restore;
    AppearanceApplier applier;
    const QString folder = test::screenshotFolder();
    for (const auto& [appearance, file] :
         {std::pair{AppAppearance::dark, "dashboard-dark.png"},
          std::pair{AppAppearance::light, "dashboard-light.png"}}) {
        applier.apply(appearance);
        ShownDashboard shown(model);
        // Two sizes tie: the earlier preset comes first; the fourth does not show.
        EXPECT_EQ(shown.suggestions(),
                  (QStringList{"preset-large", "preset-creator", "preset-archives"}));
        EXPECT_EQ(shown.find<ElidedLabel>("volume-name").text(), shownName("<b>Clé&amp;"));
        EXPECT_EQ(shown.find<SymbolView>("volume-symbol").symbol(), "externaldrive.fill");
        EXPECT_FALSE(shown.shows("purgeable-space"));
        EXPECT_EQ(shown.find<ElidedLabel>("free-space").text(),
                  QStringLiteral("16\u00A0Go libres maintenant"));

        shown.window.resize(1040, shown.page->widget()->sizeHint().height());
        deliverEvents();
        const QImage picture = shown.window.grab().toImage();
        EXPECT_TRUE(picture.save(folder + "/" + file));
        EXPECT_EQ(picture.pixelColor(4, 4), Theme::color(Theme::bg));
        // The category tile's surface, just inside its padding.
        auto& tile = shown.find<CategoryTile>("category-pdf");
        const QPoint inTile = tile.mapTo(&shown.window, QPoint(8, tile.height() / 2));
        EXPECT_EQ(picture.pixelColor(inTile), Theme::color(Theme::panel));
    }

    // Here a suggestion covers every volume, whichever one is selected.
    ShownDashboard shown(model);
    shown.click("preset-large");
    EXPECT_EQ(model.page(), Page::setup);
    EXPECT_EQ(model.filter(), filter(SpacePreset::large));
    EXPECT_FALSE(model.filter().volumeDevice);
}

} // namespace
} // namespace tollenvane
