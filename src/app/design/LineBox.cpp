#include "app/design/LineBox.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tollenvane {

namespace {

// Letters that reach furthest above the capitals and below the baseline in the languages names
// are written in.
const QString reachingUp = QStringLiteral("ÀÁÂÃÄÅÉÊÎÏÔÛÜŸ");
const QString reachingDown = QStringLiteral("_gjpqyÇçĄąĘęŞş");

LineBox measured(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const qreal above = -metrics.tightBoundingRect(reachingUp).top();
    const qreal below = metrics.tightBoundingRect(reachingDown).bottom();
    LineBox box;
    box.baseline = static_cast<int>(std::max(std::ceil(above), std::round(metrics.ascent())));
    box.height = static_cast<int>(
        std::max(box.baseline + std::ceil(below), std::ceil(box.baseline + metrics.descent())));
    return box;
}

} // namespace

LineBox lineBox(const QFont& font)
{
    // Measured once per font: rows and labels ask at every layout. Fonts are only measured on
    // the main thread.
    static QHash<QString, LineBox> known;
    const QString key = font.key();
    const auto found = known.constFind(key);
    if (found != known.constEnd()) {
        return *found;
    }
    return *known.insert(key, measured(font));
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
    const LineBox line = lineBox(painter.font());
    const qreal baseline = std::round(box.top() + (box.height() - line.height) / 2) + line.baseline;
    const QFontMetricsF metrics(painter.font());
    // Laid out from the top, the font's ascent above the chosen baseline.
    painter.drawText(QRectF(box.left(), baseline - metrics.ascent(), box.width(),
                            metrics.ascent() + metrics.descent()),
                     horizontal | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
}

} // namespace tollenvane
