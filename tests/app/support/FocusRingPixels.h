#pragma once

#include "app/design/FocusRing.h"
#include "app/design/Theme.h"

#include <QImage>
#include <QWidget>
#include <cstdlib>

namespace tollenvane::test {

// Pixels of the focus ring's colour in and just around `widget`, as `window` shows them.
inline int ringPixels(QWidget& window, QWidget& widget)
{
    constexpr int around = 16;
    const QRect area = QRect(widget.mapTo(&window, QPoint()), widget.size())
                           .adjusted(-around, -around, around, around)
                           .intersected(window.rect());
    const QImage picture = window.grab(area).toImage();
    const QColor ring = Theme::color(focusRingColor);
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor seen = picture.pixelColor(x, y);
            if (std::abs(seen.red() - ring.red()) + std::abs(seen.green() - ring.green()) +
                    std::abs(seen.blue() - ring.blue()) <=
                12) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace tollenvane::test
