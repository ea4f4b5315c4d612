#include "app/screens/storage/ExplorerRules.h"

#include "app/design/DesignFont.h"
#include "app/design/Theme.h"
#include "core/access/FolderGrant.h"
#include "model/access/SourceStatus.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>

namespace tollenvane {
namespace {

using namespace ExplorerRules;

std::vector<StorageNode> nodes(std::size_t count, std::int64_t tailBytes = 10)
{
    std::vector<StorageNode> result;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string name = "n" + std::to_string(i);
        result.push_back({"/src/" + name, name, i % 2 == 0, i < tileLimit ? 1000 : tailBytes, 1});
    }
    return result;
}

TEST(ExplorerRules, TilesFoldWhatComesAfterTheThirtySecondNodeWhenItHoldsBytes)
{
    EXPECT_EQ(tiles(nodes(32)).size(), 32U);
    EXPECT_EQ(tiles(nodes(40, 0)).size(), 32U);
    const std::vector<StorageNode> folded = tiles(nodes(40, 7));
    ASSERT_EQ(folded.size(), 33U);
    EXPECT_TRUE(isOthers(folded.back()));
    EXPECT_EQ(folded.back().bytes, 8 * 7);
    EXPECT_EQ(folded.back().count, 8); // nodes, not files
    EXPECT_FALSE(folded.back().directory);
    EXPECT_TRUE(tiles({}).empty());
}

TEST(ExplorerRules, ActivationAndTheListLength)
{
    const StorageNode others = tiles(nodes(40, 7)).back();
    EXPECT_EQ(activate(others, 8, 40).visibleLimit, 40);
    EXPECT_EQ(activate(others, 8, 500).kind, Activation::Kind::widenList);
    EXPECT_EQ(activate(others, 8, 500).visibleLimit, 108);
    EXPECT_EQ(activate(others, 308, 500).visibleLimit, 308); // a larger list stays
    EXPECT_EQ(activate(others, 800, 500).visibleLimit, 500);

    const StorageNode folder{"/src/a", "a", true, 5, 1};
    const Activation open = activate(folder, 208, 250);
    EXPECT_EQ(open.kind, Activation::Kind::openFolder);
    EXPECT_EQ(open.visibleLimit, 8);
    EXPECT_EQ(open.path, "/src/a");
    const Activation preview = activate({"/src/b.jpg", "b.jpg", false, 5, 1}, 108, 250);
    EXPECT_EQ(preview.kind, Activation::Kind::inspectFile);
    EXPECT_EQ(preview.visibleLimit, 108);

    // 250 nodes: 8, then 108, 208, 250, and back to 8.
    int limit = initialLimit;
    std::vector<std::pair<bool, bool>> footers{{showsMore(limit, 250), showsLess(limit)}};
    for (int step = 0; step < 3; ++step) {
        limit = moreLimit(limit, 250);
        footers.emplace_back(showsMore(limit, 250), showsLess(limit));
    }
    EXPECT_EQ(limit, 250);
    EXPECT_EQ(footers, (std::vector<std::pair<bool, bool>>{
                           {true, false}, {true, true}, {true, true}, {false, true}}));
    // Fewer nodes than the limit after a rescan: all listed, nothing more to show.
    EXPECT_FALSE(showsMore(108, 20));
    EXPECT_FALSE(showsLess(8));
    EXPECT_TRUE(showsLess(9));
}

TEST(ExplorerRules, GoingBackStaysWithinTheResolvedRoots)
{
    std::vector<FolderGrant> sources(3);
    sources[0].id = "a";
    sources[1].id = "b";
    sources[2].id = "c";
    const std::map<std::string, SourceStatus> statuses{
        {"a", SourceStatus::at("/nowhere/home/Projects")}, {"b", SourceStatus::failed("gone")}};
    const std::vector<std::string> found = roots(sources, statuses);
    ASSERT_EQ(found, std::vector<std::string>{"/nowhere/home/Projects"});

    EXPECT_EQ(goBack("/nowhere/home/Projects", found), std::nullopt);
    EXPECT_EQ(goBack("/nowhere/home/Projects/Films", found), "/nowhere/home/Projects");
    EXPECT_EQ(goBack("/nowhere/home/Projects/Films/Cuts", found), "/nowhere/home/Projects/Films");
    EXPECT_EQ(goBack("/nowhere/home/ProjectsOld/x", found), std::nullopt);
    EXPECT_EQ(goBack("/nowhere/home/Projects/Films", {}), std::nullopt);
}

TEST(ExplorerRules, BlockLabelsPaletteAndFrames)
{
    const BlockLabel nameOnly = blockLabel(90, 60);
    EXPECT_TRUE(nameOnly.name);
    EXPECT_FALSE(nameOnly.symbol);
    EXPECT_FALSE(nameOnly.size);
    EXPECT_EQ(nameOnly.padding, 12);
    const BlockLabel full = blockLabel(100, 80);
    EXPECT_TRUE(full.symbol && full.name && full.size);
    const BlockLabel bare = blockLabel(60, 200);
    EXPECT_FALSE(bare.symbol || bare.name || bare.size);
    EXPECT_EQ(bare.padding, 0);
    EXPECT_FALSE(blockLabel(95, 71).symbol); // strictly greater

    EXPECT_EQ(paletteIndex(7), 2U);
    EXPECT_EQ(tileColor(7), tileColor(2));
    EXPECT_EQ(tileColor(5), Theme::color(Theme::orange));

    EXPECT_EQ(blockFrame({0, 10, 20, 30, 40}), QRectF(12, 22, 26, 36));
    EXPECT_EQ(blockFrame({0, 0, 0, 3, 1}).size(), QSizeF(0, 0));
    EXPECT_EQ(blockFrame({0, 0, 0, std::nan(""), 10}).width(), 0);
    const std::vector<TreemapRect> layout{{3, 0, 0, 100, 50}, {1, 100, 0, 50, 50}};
    EXPECT_EQ(tileAt(layout, {10, 10}), 3U);
    EXPECT_EQ(tileAt(layout, {120, 40}), 1U);
    EXPECT_EQ(tileAt(layout, {100, 10}), std::nullopt); // the gutter between them
    EXPECT_EQ(tileAt(layout, {10, 60}), std::nullopt);
}

TEST(ExplorerRules, BlockNamesBreakOnlyBetweenWordsAndOtherwiseEndShort)
{
    const QFont font = DesignFont::system(11, QFont::DemiBold);
    const QFontMetricsF metrics(font);
    const QChar ellipsis(0x2026);
    const auto fits = [&](const QStringList& lines, qreal width) {
        for (const QString& line : lines) {
            EXPECT_LE(metrics.horizontalAdvance(line), width) << line.toStdString();
        }
    };
    // Names without a break between words take one line, cut at its end, never inside a word.
    for (const QString& unbroken :
         {QStringLiteral("IMG_20240715_183522_final_export_version_2_large.jpg"),
          QStringLiteral("Phone_backup_jpgy"), QStringLiteral("Capture d’écran 2024.png")}) {
        const qreal width = metrics.horizontalAdvance(unbroken.section(QLatin1Char(' '), 0, 0)) - 4;
        const QStringList lines = nameLines(unbroken, font, width);
        ASSERT_EQ(lines.size(), 1) << unbroken.toStdString();
        fits(lines, width);
        EXPECT_TRUE(lines[0].endsWith(ellipsis)) << lines[0].toStdString();
        EXPECT_TRUE(unbroken.startsWith(lines[0].chopped(1))) << lines[0].toStdString();
    }

    const qreal width = 120;
    EXPECT_EQ(nameLines(QStringLiteral("Films de vacances"), font, width),
              QStringList({QStringLiteral("Films de vacances")}));
    const QStringList family = nameLines(QStringLiteral("Photos de famille anciennes"), font, 80);
    ASSERT_EQ(family.size(), 2);
    fits(family, 80);
    EXPECT_EQ(family[0], QStringLiteral("Photos de"));
    EXPECT_TRUE(family[1].startsWith(QStringLiteral("famille"))) << family[1].toStdString();
    const QStringList longTail = nameLines(
        QStringLiteral("Photos de_famille_anciennes_et_nouvelles_de_vacances"), font, width);
    ASSERT_EQ(longTail.size(), 2);
    fits(longTail, width);
    EXPECT_EQ(longTail[0], QStringLiteral("Photos"));
    EXPECT_TRUE(longTail[1].startsWith(QStringLiteral("de_famille"))) << longTail[1].toStdString();
    EXPECT_TRUE(longTail[1].endsWith(ellipsis));
}

} // namespace
} // namespace tollenvane
