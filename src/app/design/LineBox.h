#pragma once

#include <QMargins>
#include <QString>
#include <Qt>

class QFont;
class QPainter;
class QRectF;

namespace tollenvane {

// The room one line of text takes in a font, in whole pixels: the font's own line grown to hold
// the ink letters draw beyond it, accents on capitals above, underscores, descenders and cedillas
// below. A name drawn in it loses no mark that tells it from another: "IMG_1002" never reads
// "IMG 1002", nor "École" "Ecole".
struct LineBox {
    int height = 0;
    int baseline = 0; // from the top of the box

    bool operator==(const LineBox&) const = default;
};

// The rule: a line of a font `ascent` above and `descent` below its baseline that inks `ink`
// (relative to the baseline) takes its own line and that ink, its baseline on a whole pixel.
LineBox lineBoxHolding(qreal ascent, qreal descent, const QRectF& ink);

// The room any line in `font` takes.
LineBox lineBox(const QFont& font);
// The room `text` takes in `font`: the font's, grown to the ink of characters drawn from other
// fonts the desktop falls back on (an emoji, a script the font lacks).
LineBox lineBox(const QFont& font, const QString& text);

// What a stock label needs around its text, whose lines Qt sizes to the font's own line, to give
// the first and the last line their whole line box.
QMargins inkMargins(const QFont& font);

// Draws one line of text in the painter's font, the text's line box centred in `box` with its
// baseline on a whole pixel, aligned horizontally by `horizontal`; nothing of the line is clipped
// to `box`. The baseline is the box's whatever fonts the text engine takes characters from: a
// fallback font's taller ascent (names' isolation marks are drawn from one) would push a line
// placed from its top below its box.
void drawLine(QPainter& painter, const QRectF& box, Qt::Alignment horizontal, const QString& text);

} // namespace tollenvane
