#include "app/design/LineBox.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <utility>

namespace tollenvane {

namespace {

// Letters that reach furthest above the capitals and below the baseline in the languages names
// are written in, and the printable rest of ASCII and Latin-1, which most names are written in.
const QString& fontBoxAlphabet()
{
    static const QString alphabet = [] {
        QString letters = QStringLiteral("ÀÁÂÃÄÅÉÊÎÏÔÛÜŸ_gjpqyÇçĄąĘęŞş");
        for (char16_t code = 0x21; code <= 0xff; ++code) {
            if (code <= 0x7e || code >= 0xa1) {
                letters += QChar(code);
            }
        }
        return letters;
    }();
    return alphabet;
}

// An ideograph and an emoji, which the desktop draws from fonts of its own: every row of names
// has room for them too.
const QString fallbackSample = QStringLiteral("漢写\U0001F600");

// Characters whose ink every font box holds: a line of them alone inks nothing beyond its font's
// box, whatever glyphs shaping joins them into, so its own glyphs need not be read.
bool inFontBox(QChar c)
{
    const char16_t code = c.unicode();
    return (code >= 0x20 && code <= 0x7e) || (code >= 0xa0 && code <= 0xff) ||
           // Marks that draw nothing: direction marks and isolates, joiners, word joiner.
           (code >= 0x200b && code <= 0x200f) || (code >= 0x202a && code <= 0x202e) ||
           (code >= 0x2060 && code <= 0x2069);
}

bool inkedWithinFontBox(const QString& line)
{
    return std::all_of(line.cbegin(), line.cend(), inFontBox);
}

// One line laid out as drawText lays out a single line: no wrapping, line breaks as spaces.
QString singleLine(QString text)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('\n') || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            c = QLatin1Char(' ');
        }
    }
    return text;
}

// A single line of text laid out as it is drawn, in whichever fonts draw its characters.
class LaidLine {
public:
    LaidLine(const QString& text, const QFont& font, QPaintDevice* device = nullptr,
             Qt::Alignment horizontal = Qt::AlignLeft,
             Qt::LayoutDirection direction = Qt::LeftToRight, qreal width = 0)
        : layout_(text, font, device)
    {
        QTextOption option(horizontal & Qt::AlignHorizontal_Mask);
        option.setWrapMode(QTextOption::NoWrap);
        option.setTextDirection(direction);
        layout_.setTextOption(option);
        // Without its cache the layout forgets its glyphs at the end of the layout, and shapes
        // the text again to draw it or to read its ink.
        layout_.setCacheEnabled(true);
        layout_.beginLayout();
        line_ = layout_.createLine();
        if (line_.isValid()) {
            line_.setLineWidth(width);
        }
        layout_.endLayout();
    }

    // The ink of the line, relative to its baseline. Read glyph by glyph: the font metrics'
    // tight box of a text drawn from several fonts misses ink of glyphs after a fallback run.
    QRectF ink() const
    {
        QRectF ink;
        for (const QGlyphRun& run : layout_.glyphRuns()) {
            const QRawFont font = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> positions = run.positions();
            for (qsizetype i = 0; i < glyphs.size(); ++i) {
                const QRectF glyph = font.boundingRect(glyphs[i]);
                if (!glyph.isEmpty()) {
                    ink |= glyph.translated(positions[i]);
                }
            }
        }
        return line_.isValid() ? ink.translated(0, -line_.ascent()) : QRectF();
    }

    // Draws the line with its baseline at `baseline`. The line's ascent is the tallest of the
    // fonts that drew it, so its top is placed from the baseline wanted rather than the baseline
    // from the top.
    void draw(QPainter& painter, qreal left, qreal baseline) const
    {
        if (line_.isValid()) {
            layout_.draw(&painter, QPointF(left, baseline - line_.ascent()));
        }
    }

private:
    QTextLayout layout_;
    QTextLine line_;
};

// The ink of the fallback sample in `font`, from one measure per family, weight and style: the
// fallback fonts, loaded at each size for it alone, would cost a few milliseconds a size. Their
// ink grows with the size; the whole pixels either side of the scaled ink hold what hinting moves.
QRectF fallbackInk(const QFont& font)
{
    constexpr qreal measuredPixels = 256;
    QFont measured = font;
    qreal scale = 1;
    if (font.pixelSize() > 0) {
        measured.setPixelSize(int(measuredPixels));
        scale = font.pixelSize() / measuredPixels;
    } else {
        measured.setPointSizeF(measuredPixels);
        scale = font.pointSizeF() / measuredPixels;
    }
    static QHash<QFont, QRectF> known;
    auto found = known.constFind(measured);
    if (found == known.constEnd()) {
        found = known.insert(measured, LaidLine(fallbackSample, measured).ink());
    }
    const QRectF ink = *found;
    if (ink.isEmpty()) {
        return {};
    }
    return QRectF(QPointF(ink.left() * scale, std::floor(ink.top() * scale) - 1),
                  QPointF(ink.right() * scale, std::ceil(ink.bottom() * scale) + 1));
}

// The ink of the letters of the font's box, measured once per font: rows and labels ask at every
// layout. Fonts are only measured on the main thread.
const QRectF& fontInk(const QFont& font)
{
    static QHash<QFont, QRectF> known;
    const auto found = known.constFind(font);
    if (found != known.constEnd()) {
        return *found;
    }
    return *known.insert(font, LaidLine(fontBoxAlphabet(), font).ink() | fallbackInk(font));
}

// The ink of `line` in `font` beyond the font's box, measured by `measure` the first time: rows
// repaint the same names again and again, and reading a line's glyphs costs more than drawing
// them. Main thread only.
template <class Measure>
QRectF keptInk(const QFont& font, const QString& line, const Measure& measure)
{
    if (inkedWithinFontBox(line)) {
        return {};
    }
    constexpr qsizetype kept = 4096;
    static QHash<std::pair<QFont, QString>, QRectF> known;
    const std::pair<QFont, QString> key(font, line);
    const auto found = known.constFind(key);
    if (found != known.constEnd()) {
        return *found;
    }
    if (known.size() >= kept) {
        known.clear();
    }
    return *known.insert(key, measure());
}

LineBox boxOf(const QFont& font, const QRectF& textInk)
{
    const QFontMetricsF metrics(font);
    return lineBoxHolding(metrics.ascent(), metrics.descent(), fontInk(font).united(textInk));
}

} // namespace

LineBox lineBoxHolding(qreal ascent, qreal descent, const QRectF& ink)
{
    LineBox box;
    box.baseline = static_cast<int>(std::max(std::ceil(-ink.top()), std::round(ascent)));
    box.height = static_cast<int>(
        std::max(box.baseline + std::ceil(ink.bottom()), std::ceil(box.baseline + descent)));
    return box;
}

LineBox lineBox(const QFont& font)
{
    return boxOf(font, QRectF());
}

LineBox lineBox(const QFont& font, const QString& text)
{
    const QString line = singleLine(text);
    return boxOf(font, keptInk(font, line, [&] { return LaidLine(line, font).ink(); }));
}

QMargins inkMargins(const QFont& font)
{
    const LineBox box = lineBox(font);
    const QFontMetricsF metrics(font);
    return QMargins(
        0, static_cast<int>(std::max(0.0, std::ceil(box.baseline - metrics.ascent()))), 0,
        static_cast<int>(std::max(0.0, std::ceil(box.height - box.baseline - metrics.descent()))));
}

void drawLine(QPainter& painter, const QRectF& box, Qt::Alignment horizontal, const QString& text)
{
    const QString shown = singleLine(text);
    const LaidLine line(shown, painter.font(), painter.device(), horizontal,
                        painter.layoutDirection(), box.width());
    const LineBox room =
        boxOf(painter.font(), keptInk(painter.font(), shown, [&] { return line.ink(); }));
    line.draw(painter, box.left(),
              std::round(box.top() + (box.height() - room.height) / 2) + room.baseline);
}

} // namespace tollenvane
