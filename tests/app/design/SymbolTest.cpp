#include "app/design/Symbol.h"

#include "app/design/FileCategoryIcon.h"
#include "app/design/SuggestedFolders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <algorithm>

namespace tollenvane {
namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Qt shortens a missing themed name at its dashes until something matches, so a typo would
// still draw a picture: the file itself must be there.
bool adwaitaHasSymbolic(std::string_view icon)
{
    const QDir scalable(QStringLiteral("/usr/share/icons/Adwaita/scalable"));
    const QStringList contexts = scalable.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    return std::any_of(contexts.begin(), contexts.end(), [&](const QString& context) {
        return QFile::exists(scalable.filePath(context) + "/" + qt(icon) + "-symbolic.svg");
    });
}

TEST(Symbol, TableIsSortedAndEverySourceExists)
{
    const auto table = Symbol::table();
    for (std::size_t i = 1; i < table.size(); ++i) {
        EXPECT_LT(table[i - 1].name, table[i].name) << table[i].name;
    }
    for (const SymbolSource& entry : table) {
        EXPECT_NE(entry.isDrawn(), !entry.themeIcon.empty()) << entry.name;
        if (entry.isDrawn()) {
            EXPECT_TRUE(QFile::exists(":/symbols/" + qt(entry.drawing) + ".svg")) << entry.name;
        } else {
            EXPECT_TRUE(adwaitaHasSymbolic(entry.themeIcon)) << entry.name;
        }
        EXPECT_EQ(Symbol::find(entry.name), &entry);
    }
    EXPECT_EQ(Symbol::find("photo.badge"), nullptr);
}

TEST(Symbol, EveryNameDrawsVisiblePixelsOnlyInTheAskedColour)
{
    const QColor colour(0x20, 0x90, 0xE0);
    const auto table = Symbol::table();
    const int rows = static_cast<int>(table.size() + 11) / 12;
    QImage sheet(12 * 48, rows * 48, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::white);
    QPainter sheetPainter(&sheet);
    int cell = 0;
    for (const SymbolSource& entry : table) {
        for (const qreal ratio : {1.0, 2.0}) {
            const QPixmap pixmap = Symbol::pixmap(entry.name, 32, colour, ratio);
            ASSERT_FALSE(pixmap.isNull()) << entry.name;
            const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
            EXPECT_EQ(image.width(), static_cast<int>(32 * ratio)) << entry.name;
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (pixel.alpha() == 255) {
                        ++opaque;
                        EXPECT_EQ(pixel.rgb(), colour.rgb()) << entry.name;
                    }
                }
            }
            EXPECT_GT(opaque, image.width()) << entry.name << " draws almost nothing";
        }
        Symbol::paint(sheetPainter, QRectF(cell % 12 * 48 + 8, cell / 12 * 48 + 8, 32, 32),
                      entry.name, Qt::black);
        ++cell;
    }
    QDir().mkpath(TOLLENVANE_SCREENSHOTS);
    sheet.save(TOLLENVANE_SCREENSHOTS "/symbols.png");
}

TEST(Symbol, EveryNameTheseComponentsDrawIsInTheTable)
{
    for (const FileFilter type : allFileFilters) {
        EXPECT_NE(Symbol::find(categorySymbol(type)), nullptr) << categorySymbol(type);
    }
    for (const SuggestedFolder& suggestion : suggestedFolders()) {
        EXPECT_NE(Symbol::find(suggestion.symbol), nullptr) << suggestion.symbol;
    }
    EXPECT_NE(Symbol::find("plus"), nullptr);
    EXPECT_TRUE(Symbol::pixmap("no.such.symbol", 16, Qt::black, 1).isNull());
}

} // namespace
} // namespace tollenvane
