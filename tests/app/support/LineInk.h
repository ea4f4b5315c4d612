#pragma once

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

namespace tollenvane::test {

// What one line of text inks on a picture, read from its pixels.
struct LineInk {
    int top = 0;    // first row with ink
    int bottom = 0; // last row with ink
    // When the line begins with a letter standing on the baseline with a straight stem ("I",
    // "F", "M"): the last row of that stem, just above the baseline.
    std::optional<int> baseline;
    // With a baseline and an underscore to look for: the ink below the baseline in the middle
    // of that underscore, in pixels of full ink, across its thinnest column.
    qreal underscore = 0;
};

// Reads the line drawn in `area` of `picture` (nothing else inked there; its top left pixel is
// the background), `origin` being where the text starts horizontally. `before`, when not empty,
// is the text before an underscore, drawn in `font` at `scale`.
LineInk readLine(const QImage& picture, const QRect& area, qreal origin, const QString& before,
                 const QFont& font, qreal scale = 1.0);

// The same, of `text` drawn in black on white free of any box.
LineInk readFreeLine(const QString& text, const QString& before, const QFont& font,
                     qreal scale = 1.0);

// Whether the picture shows the whole line, as tall as it is drawn free of any box: when
// `before` is given, the underscore that follows it inked below the baseline, as thick and as
// deep as the font draws it.
testing::AssertionResult showsWholeLine(const QImage& picture, const QRect& area, qreal origin,
                                        const QString& text, const QString& before,
                                        const QFont& font, qreal scale = 1.0);

} // namespace tollenvane::test
