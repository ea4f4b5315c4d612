#pragma once

#include <QImage>

class QIODevice;

namespace tollenvane {

// The first page, its proportions kept, fitted into 900 x 620. Null when the document cannot
// be loaded or has no page.
QImage pdfThumbnail(QIODevice& device);

} // namespace tollenvane
