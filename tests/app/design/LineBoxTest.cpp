#include "app/design/LineBox.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "design/SchemeScope.h"
#include "support/LineInk.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QLabel>
#include <QPainter>
#include <array>
#include <cmath>

namespace tollenvane {
namespace {

// Every text style a name is shown in: each weight and every size the screens use, in the
// desktop's family, its fixed-width one, and GNOME's, which draws descenders and cedillas below
// its own descent (scripts/setup installs it).
std::vector<QFont> nameStyles()
{
    EXPECT_TRUE(QFontDatabase::hasFamily(QStringLiteral("Cantarell")))
        << "fonts-cantarell is not installed";
    std::vector<QFont> styles;
    for (int size = 8; size <= 26; ++size) {
        for (const QFont::Weight weight :
             {QFont::Normal, QFont::Medium, QFont::DemiBold, QFont::Bold}) {
            styles.push_back(DesignFont::system(size, weight));
            styles.push_back(DesignFont::monospaced(size, weight));
            QFont gnome = DesignFont::system(size, weight);
            gnome.setFamily(QStringLiteral("Cantarell"));
            styles.push_back(gnome);
        }
    }
    return styles;
}

// The box of a line holds the font's own line and whatever ink reaches beyond it, whichever
// font drew that ink, with its baseline on a whole pixel.
TEST(LineBox, TheBoxHoldsTheFontsLineAndTheInkBeyondIt)
{
    // Ink within the font's line: the line, its ascent rounded to the pixel grid.
    EXPECT_EQ(lineBoxHolding(12.4, 3.2, QRectF(0, -11, 50, 13)), (LineBox{16, 12}));
    // An accent above the ascent lowers the baseline; an underscore or a cedilla below the
    // descent deepens the box.
    EXPECT_EQ(lineBoxHolding(12.4, 3.2, QRectF(0, -13.5, 50, 14)), (LineBox{18, 14}));
    EXPECT_EQ(lineBoxHolding(12.4, 3.2, QRectF(0, -11, 50, 15.5)), (LineBox{17, 12}));
    EXPECT_EQ(lineBoxHolding(9.8, 2.2, QRectF(0, -12.2, 50, 16.4)), (LineBox{18, 13}));
    // Nothing inked: the font's line.
    EXPECT_EQ(lineBoxHolding(9.8, 2.2, QRectF()), (LineBox{13, 10}));
}

// Names as they come: Latin letters that reach below the baseline, and one that mixes them with
// characters the desktop draws from fonts of their own.
const std::array names{QStringLiteral("IMG_1002 yoga jog Ça.png"),
                       QStringLiteral("IMG_2024 写真 \U0001F600 jog Ça.png")};

// A name is shown by a label, a wrapping block, a stock label or a painter: each keeps its
// underscores, descenders and cedillas whole, in both appearances, whichever fonts the text
// engine takes its characters from (a name's isolation marks come from a fallback font whose
// ascent can be taller than the name's font's).
TEST(LineBox, NamesKeepWhatTheyDrawBelowTheBaselineInEveryStyle)
{
    const test::SchemeScope restore;
    AppearanceApplier appearance;
    for (const QString& plain : names) {
        const QString name = shownName(plain);
        const QString before = name.left(name.indexOf(QLatin1Char('_')));
        for (const AppAppearance scheme : {AppAppearance::dark, AppAppearance::light}) {
            appearance.apply(scheme);
            for (const QFont& font : nameStyles()) {
                ElidedLabel label(name);
                label.setFont(font);
                label.resize(label.sizeHint());
                ASSERT_EQ(label.fitted().text, name);
                EXPECT_TRUE(test::showsWholeLine(label.grab().toImage(), label.rect(), 0, name,
                                                 before, font))
                    << "label";

                TextBlock block(name);
                block.setFont(font);
                block.resize(block.sizeHint());
                EXPECT_TRUE(test::showsWholeLine(block.grab().toImage(), block.rect(), 0, name,
                                                 before, font))
                    << "block";

                QLabel stock(name);
                stock.setTextFormat(Qt::PlainText);
                stock.setFont(font);
                stock.setContentsMargins(inkMargins(font));
                stock.resize(stock.sizeHint());
                EXPECT_TRUE(test::showsWholeLine(stock.grab().toImage(), stock.rect(), 0, name,
                                                 before, font))
                    << "stock label";

                const QSize room(
                    static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(name))),
                    lineBox(font, name).height);
                QImage painted(room, QImage::Format_RGB32);
                painted.fill(Theme::color(Theme::panel));
                QPainter painter(&painted);
                painter.setFont(font);
                painter.setPen(Theme::color(Theme::text));
                drawLine(painter, QRectF(QPointF(), room), Qt::AlignLeft, name);
                painter.end();
                EXPECT_TRUE(test::showsWholeLine(painted, painted.rect(), 0, name, before, font))
                    << "painted";
            }
        }
    }
}

// A row sized by its font alone holds any name of Latin letters, ideographs and emoji: what the
// text engine really draws of them reaches nowhere beyond the font's box, in fonts sized in pixels
// or in points.
TEST(LineBox, ARowSizedByItsFontHoldsLatinLettersIdeographsAndEmoji)
{
    QString latin;
    for (char16_t code = 0x21; code <= 0xff; ++code) {
        if (code <= 0x7e || code >= 0xa1) {
            latin += QChar(code);
        }
    }
    // A character from beyond Latin-1 has the line's own ink read.
    const std::array texts{latin + QStringLiteral("\u2219"),
                           QStringLiteral("写真 漢字 \U0001F600 日本語 中文 \U0001F389")};
    std::vector<QFont> styles = nameStyles();
    for (const qreal points : {7.5, 9.0, 10.0, 11.0, 13.5}) {
        QFont font = DesignFont::system(12, QFont::Normal);
        font.setPointSizeF(points);
        styles.push_back(font);
    }
    for (const QFont& font : styles) {
        for (const QString& text : texts) {
            EXPECT_EQ(lineBox(font, text), lineBox(font))
                << font.key().toStdString() << " " << text.toStdString();
        }
    }
}

// A text has the box of the size it is shown in, whichever size it was measured in before: a
// name shown large on a card is shown small in a row, and the other way round.
TEST(LineBox, ATextMeasuredInTwoSizesHasTheBoxOfEach)
{
    const QFont large = DesignFont::system(26, QFont::Normal);
    const QFont small = DesignFont::system(8, QFont::Normal);
    // A space inks nothing: the text with one more is measured afresh, and its box is the same.
    const auto afresh = [](const QFont& font, const QString& text) {
        return lineBox(font, text + QLatin1Char(' '));
    };
    // Accents stacked above a capital and below a descender reach far beyond the font's box.
    const QString largeFirst = QStringLiteral("A\u0308\u0301\u0303 g\u0327\u0328 card.png");
    const QString smallFirst = QStringLiteral("E\u0308\u0301\u0303 y\u0327\u0328 row.png");

    lineBox(large, largeFirst);
    EXPECT_EQ(lineBox(small, largeFirst), afresh(small, largeFirst));
    lineBox(small, smallFirst);
    EXPECT_EQ(lineBox(large, smallFirst), afresh(large, smallFirst));
}

// A label short of room shrinks its line and loses no more of it than the shrinking does.
TEST(LineBox, AShrunkLabelKeepsItsUnderscore)
{
    const QString name = shownName(QStringLiteral("IMG_1002 yoga jog Ça.png"));
    const QString before = name.left(name.indexOf(QLatin1Char('_')));
    for (const QFont& font : nameStyles()) {
        ElidedLabel label(name);
        label.setFont(font);
        label.setMinimumScale(0.9);
        label.resize(static_cast<int>(label.sizeHint().width() * 0.93), label.sizeHint().height());
        const TextFit fit = label.fitted();
        ASSERT_EQ(fit.text, name);
        ASSERT_LT(fit.scale, 1);
        const test::LineInk shown =
            test::readLine(label.grab().toImage(), label.rect(), 0, before, font, fit.scale);
        const test::LineInk free = test::readFreeLine(name, before, font, fit.scale);
        EXPECT_GE(shown.underscore, 0.75 * free.underscore) << font.key().toStdString();
    }
}

} // namespace
} // namespace tollenvane
