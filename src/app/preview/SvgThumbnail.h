#pragma once

#include <QImage>
#include <string_view>

class QIODevice;

namespace tollenvane {

bool isSvgPath(std::string_view path);

// Drawn so that its longest side is 1000, on a transparent ground. Null when the document is
// not valid SVG, has no size, or is too large to be a drawing.
QImage svgThumbnail(QIODevice& device);

} // namespace tollenvane
