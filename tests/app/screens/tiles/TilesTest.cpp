#include "app/design/AppearanceApplier.h"
#include "app/design/ShownName.h"
#include "app/design/Theme.h"
#include "app/screens/tiles/CategoryTile.h"
#include "app/screens/tiles/MetricCard.h"
#include "app/screens/tiles/RecommendationTile.h"
#include "app/screens/tiles/StorageRing.h"
#include "core/localisation/Formatting.h"
#include "design/SchemeScope.h"
#include "support/ScopedLanguage.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QDir>
#include <QGridLayout>
#include <QTest>
#include <cstdint>
#include <limits>

namespace tollenvane {
namespace {

TEST(StorageRingRule, FractionAndShareFollowTheFigures)
{
    struct Case {
        std::int64_t total;
        std::int64_t free;
        double fraction;
        const char* share;
    };
    const std::int64_t huge = std::numeric_limits<std::int64_t>::max();
    for (const Case& c : {
             Case{0, 0, 0.0, "—"}, Case{-5, 0, 0.0, "—"}, Case{1000, 571, 0.429, "42\u00A0%"},
             Case{100, 71, 0.29, "29\u00A0%"}, Case{10000, 1, 0.9999, "99\u00A0%"},
             Case{1000, 0, 1.0, "100\u00A0%"},
             Case{1000, 2000, 0.0, "0\u00A0%"},    // a stale free figure
             Case{1000, -1, 1.0, "100\u00A0%"},    // a negative free
             Case{huge, -huge, 1.0, "100\u00A0%"}, // the difference does not fit in 64 bits
         }) {
        SCOPED_TRACE(std::to_string(c.total) + "/" + std::to_string(c.free));
        EXPECT_NEAR(ringFraction(c.total, c.free), c.fraction, 1e-9);
        EXPECT_EQ(usedShareText(c.total, c.free), QString::fromUtf8(c.share));
    }
    const test::ScopedLanguage english(AppLanguage::en);
    EXPECT_EQ(usedShareText(1000, 300), QStringLiteral("70%"));
}

TEST(TilesTest, TextsActionsAndHover)
{
    MetricCard metric("Taille", "3 Go", "internaldrive", "");
    EXPECT_EQ(metric.detail(), QStringLiteral("dans vos dossiers sélectionnés"));
    metric.setDetail("<b>x</b>");
    EXPECT_EQ(metric.detail(), QStringLiteral("<b>x</b>"));

    int taps = 0;
    CategoryTile category(FileFilter::pdf, {}, [&] { ++taps; });
    category.resize(category.sizeHint().expandedTo(QSize(200, 0)));
    QTest::mouseClick(&category, Qt::LeftButton);
    category.setEnabled(false);
    QTest::mouseClick(&category, Qt::LeftButton);
    EXPECT_EQ(taps, 1);
    // Heard with the figures it shows, as they change.
    const auto heard = [](QWidget& tile) {
        return QAccessible::queryAccessibleInterface(&tile)->text(QAccessible::Name);
    };
    const auto bytes = [](std::int64_t count) {
        return spokenText(QString::fromStdString(formattedBytes(count)));
    };
    EXPECT_EQ(heard(category), "PDF, 0 fichiers, " + bytes(0));
    category.setTally({26, 3'400'000});
    EXPECT_EQ(heard(category), "PDF, 26 fichiers, " + bytes(3'400'000));
    EXPECT_FALSE(category.hovering());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&category, &enter);
    EXPECT_TRUE(category.hovering());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&category, &leave);
    EXPECT_FALSE(category.hovering());

    EXPECT_EQ(recommendationIconType(SpacePreset::downloads), FileFilter::documents);
    EXPECT_EQ(recommendationIconType(SpacePreset::creator), FileFilter::videos);
    RecommendationTile preset(SpacePreset::large, {2, 5'000'000'000}, [&] { ++taps; });
    EXPECT_EQ(heard(preset), "Très gros fichiers, 2 fichiers, " + bytes(5'000'000'000));
    // A one-line explanation still reserves its minimum block, so a wider tile is no lower.
    EXPECT_EQ(preset.heightForWidth(2000), preset.heightForWidth(1000));
    EXPECT_GT(preset.heightForWidth(120), preset.heightForWidth(1000));
    preset.resize(300, preset.heightForWidth(300));
    QTest::mouseClick(&preset, Qt::LeftButton);
    EXPECT_EQ(taps, 2);
}

// Every tile in a grid, as the pages place them.
std::unique_ptr<QWidget> tileBoard()
{
    auto board = std::make_unique<QWidget>();
    board->setAutoFillBackground(true);
    board->setFixedWidth(760);
    auto* grid = new QGridLayout(board.get());
    grid->setContentsMargins(24, 24, 24, 24);
    grid->setSpacing(12);
    const auto ring = [&](std::int64_t total, std::int64_t free, int column) {
        auto* widget = new StorageRing(total, free);
        widget->setObjectName(QStringLiteral("ring-%1").arg(column));
        widget->setFixedSize(144, 144);
        grid->addWidget(widget, 0, column);
    };
    ring(0, 0, 0);
    ring(1000, 571, 1);
    ring(1000, 0, 2);
    grid->addWidget(new MetricCard("Fichiers analysés", "12408", "doc.text.magnifyingglass",
                                   "analyse progressive en cours"),
                    1, 0);
    grid->addWidget(new MetricCard("Taille sur disque", "84,2 Go", "internaldrive", ""), 1, 1);
    grid->addWidget(new CategoryTile(FileFilter::screenshots, {42, 31'000'000}, {}), 2, 0);
    auto* disabled = new CategoryTile(FileFilter::all, {}, {});
    disabled->setEnabled(false);
    grid->addWidget(disabled, 2, 1);
    grid->addWidget(new RecommendationTile(SpacePreset::creator, {3, 4'200'000'000}, {}), 3, 0);
    grid->addWidget(new RecommendationTile(SpacePreset::downloads, {120, 950'000'000}, {}), 3, 1);
    return board;
}

TEST(TilesTest, PicturesInBothAppearances)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    const QString folder = test::screenshotFolder();
    for (const auto& [appearance, file] : {std::pair{AppAppearance::dark, "tiles-dark.png"},
                                           std::pair{AppAppearance::light, "tiles-light.png"}}) {
        applier.apply(appearance);
        const std::unique_ptr<QWidget> board = tileBoard();
        board->adjustSize();
        EXPECT_TRUE(board->grab().toImage().save(folder + "/" + file));

        // At the top of each ring, just right of 12 o'clock, in the middle of the stroke:
        // the track alone at 0 %, the arc at 100 %.
        for (const auto& [name, arc] : {std::pair{"ring-0", false}, std::pair{"ring-2", true}}) {
            auto* widget = board->findChild<StorageRing*>(name);
            ASSERT_NE(widget, nullptr);
            const QImage ring = widget->grab().toImage();
            const QColor top = ring.pixelColor(ring.width() / 2 + 4, 8 + 5);
            EXPECT_EQ(top == Theme::color(Theme::soft), !arc) << name;
        }
    }
}

} // namespace
} // namespace tollenvane
