#pragma once

#include <QImage>
#include <vector>

class QIODevice;

namespace tollenvane {

// The first page, its proportions kept, fitted into 900 x 620. Null when the document cannot
// be loaded or has no page.
QImage pdfThumbnail(QIODevice& device);

// The first `count` pages at most, each fitted into `box`, and no more than `pixels` in all, for
// reading. Empty when the document cannot be loaded or a page cannot be drawn.
std::vector<QImage> pdfPages(QIODevice& device, QSize box, int count, qint64 pixels);

} // namespace tollenvane
