#include "app/design/TextFit.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <vector>

namespace tollenvane {

namespace {

const QString ellipsis = QStringLiteral("\u2026");

std::vector<qsizetype> graphemeBoundaries(const QString& text)
{
    std::vector<qsizetype> boundaries;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = 0; at >= 0; at = finder.toNextBoundary()) {
        boundaries.push_back(at);
    }
    return boundaries;
}

// The most graphemes, counted by `measure(n)` as n grows, whose width stays within budget.
template <class Measure>
std::size_t mostThatFit(std::size_t available, qreal budget, const Measure& measure)
{
    std::size_t low = 0;
    std::size_t high = available;
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (measure(middle) <= budget) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

QString elide(const QString& text, const QFontMetricsF& metrics, qreal width, ElisionSide side)
{
    const std::vector<qsizetype> boundaries = graphemeBoundaries(text);
    const std::size_t count = boundaries.size() - 1;
    const qreal budget = width - metrics.horizontalAdvance(ellipsis);
    const auto headWidth = [&](std::size_t n) {
        return metrics.horizontalAdvance(text.left(boundaries[n]));
    };
    const auto tailWidth = [&](std::size_t n) {
        return metrics.horizontalAdvance(text.mid(boundaries[count - n]));
    };
    if (side == ElisionSide::end) {
        return text.left(boundaries[mostThatFit(count, budget, headWidth)]) + ellipsis;
    }
    // Each side gets half the room, so the start and the end stay equally visible whatever
    // the width of their characters; the tail takes what the head leaves over.
    std::size_t head = mostThatFit(count, budget / 2, headWidth);
    std::size_t tail = mostThatFit(count - head, budget - headWidth(head), tailWidth);
    const auto joined = [&] {
        return text.left(boundaries[head]) + ellipsis + text.mid(boundaries[count - tail]);
    };
    // Shaping across the join can make the whole a little wider than its parts.
    while (head + tail > 0 && metrics.horizontalAdvance(joined()) > width) {
        (head > tail ? head : tail) -= 1;
    }
    return joined();
}

} // namespace

TextFit fitText(const QString& text, const QFontMetricsF& metrics, qreal width, ElisionSide side,
                qreal minimumScale)
{
    return fitText(text, metrics.horizontalAdvance(text), metrics, width, side, minimumScale);
}

TextFit fitText(const QString& text, qreal natural, const QFontMetricsF& metrics, qreal width,
                ElisionSide side, qreal minimumScale)
{
    if (natural <= width) {
        return {text, 1.0};
    }
    const qreal scale = std::clamp(minimumScale, 0.01, 1.0);
    if (natural * scale <= width) {
        return {text, width / natural};
    }
    return {elide(text, metrics, width / scale, side), scale};
}

} // namespace tollenvane
