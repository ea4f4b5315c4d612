#pragma once

#include <QFontMetricsF>
#include <QString>

namespace tollenvane {

// Where a line too long for its room loses characters.
enum class ElisionSide { middle, end };

// One line of text fitted to a width: the text to draw and the scale to draw it at.
struct TextFit {
    QString text;
    qreal scale = 1.0;

    bool operator==(const TextFit&) const = default;
};

// Fits one line into width: first shrinks it down to minimumScale, and only when that is not
// enough elides it at that scale, always between whole graphemes, so no accent, emoji sequence
// or flag is ever split.
TextFit fitText(const QString& text, const QFontMetricsF& metrics, qreal width, ElisionSide side,
                qreal minimumScale = 1.0);
// The same, for a text whose natural width in `metrics` is already known: measuring it again
// would shape it again.
TextFit fitText(const QString& text, qreal natural, const QFontMetricsF& metrics, qreal width,
                ElisionSide side, qreal minimumScale = 1.0);

} // namespace tollenvane
