#include "app/preview/ThumbnailBounds.h"

#include <algorithm>

namespace tollenvane {

QSize fittedSize(QSize size, QSize box)
{
    if (size.isEmpty()) {
        return {};
    }
    if (size.width() <= box.width() && size.height() <= box.height()) {
        return size;
    }
    const QSize scaled = size.scaled(box, Qt::KeepAspectRatio);
    return {std::max(scaled.width(), 1), std::max(scaled.height(), 1)};
}

} // namespace tollenvane
