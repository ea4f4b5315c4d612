#include "app/design/FileCategoryIcon.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <set>

namespace tollenvane {
namespace {

QImage drawn(FileFilter type, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    FileCategoryIcon::paint(painter, QRectF(0, 0, size, size), type);
    return image.convertToFormat(QImage::Format_ARGB32);
}

TEST(FileCategoryIcon, ColourPairsAndPictogramsAreTheCategorys)
{
    EXPECT_EQ(categoryColors(FileFilter::screenshots).light.rgb(), QColor(0x63, 0xC2, 0xFF).rgb());
    EXPECT_EQ(categoryColors(FileFilter::screenshots).deep.rgb(), QColor(0x29, 0x66, 0xE8).rgb());
    EXPECT_EQ(categoryColors(FileFilter::archives).deep.rgb(), QColor(0xA3, 0x78, 0x47).rgb());
    EXPECT_EQ(categoryColors(FileFilter::applications).light.rgb(), QColor(0xA1, 0xAB, 0xFF).rgb());
    EXPECT_EQ(categorySymbol(FileFilter::screenshots), "viewfinder");
    EXPECT_EQ(categorySymbol(FileFilter::audio), "waveform");
    EXPECT_EQ(categorySymbol(FileFilter::videos), "play.rectangle.fill");
}

TEST(FileCategoryIcon, LayersShowTheirOwnColours)
{
    QImage row(9 * 64, 64, QImage::Format_ARGB32_Premultiplied);
    row.fill(Qt::white);
    QPainter rowPainter(&row);
    std::set<QRgb> cards;
    for (const FileFilter type : allFileFilters) {
        const QImage image = drawn(type, 40);
        const QColor deep = categoryColors(type).deep;
        // The tile's rounded corner leaves the very corner empty.
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
        // Beside the cards only the pale tile: the deep colour at 0.14.
        const QColor tile = image.pixelColor(2, 20);
        EXPECT_NEAR(tile.alpha(), 0.14 * 255, 2);
        // Premultiplied at so low an alpha, components round by a few units.
        EXPECT_NEAR(tile.red(), deep.red(), 8);
        EXPECT_NEAR(tile.blue(), deep.blue(), 8);
        // The front card is opaque near its top, in the light half of its gradient.
        const QColor card = image.pixelColor(22, 8);
        EXPECT_EQ(card.alpha(), 255);
        cards.insert(card.rgb());
        rowPainter.drawImage(static_cast<int>(cards.size() - 1) * 64, 0, drawn(type, 64));
    }
    EXPECT_EQ(cards.size(), allFileFilters.size());
    // The white pictogram sits in the middle.
    const QImage large = drawn(FileFilter::all, 80);
    int white = 0;
    for (int y = 28; y < 52; ++y) {
        for (int x = 28; x < 52; ++x) {
            white += large.pixelColor(x, y).lightness() > 245 ? 1 : 0;
        }
    }
    EXPECT_GT(white, 40);
    QDir().mkpath(TOLLENVANE_SCREENSHOTS);
    row.save(TOLLENVANE_SCREENSHOTS "/file-category-icons.png");
}

} // namespace
} // namespace tollenvane
