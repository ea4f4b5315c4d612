#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>

namespace tollenvane {

// A rounded rectangle inset by `inset` in a picture of `size`, blurred by about `blur` pixels:
// the shadow a card casts. Slow enough to be made once per size and kept.
QPixmap blurredRoundedRect(QSize size, int inset, qreal radius, int blur, const QColor& color);

} // namespace tollenvane
