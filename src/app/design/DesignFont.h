#pragma once

#include <QFont>

namespace tollenvane::DesignFont {

// The desktop's own family at a size in device-independent pixels.
QFont system(int pixelSize, QFont::Weight weight = QFont::Normal);
// The desktop's fixed-width family, standing in for the monospaced design.
QFont monospaced(int pixelSize, QFont::Weight weight = QFont::Normal);
// The same font with letters spaced by a fixed amount, in pixels (negative tightens).
QFont tracked(QFont font, qreal tracking);

} // namespace tollenvane::DesignFont
