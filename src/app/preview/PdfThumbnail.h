#pragma once

#include <QImage>
#include <QSizeF>
#include <vector>

class QIODevice;

namespace tollenvane {

// Pages are drawn on white paper, as every document viewer shows them: most documents leave
// their background unpainted.

// The first page, its proportions kept, fitted into 900 x 620. Null when the document cannot
// be loaded or has no page.
QImage pdfThumbnail(QIODevice& device);

// The size in points of each page, the first pdfReadingMaxPages at most. Empty when the document
// cannot be loaded or has no page.
std::vector<QSizeF> pdfPageSizes(QIODevice& device);

// A page's size at the full preview's width, proportions kept; a page without a usable size of
// its own takes an A4 sheet's.
QSize pdfReadingSize(QSizeF points);

// Page `page` (from 0) at its reading size. Null when the document cannot be loaded, has no such
// page, or the page cannot be drawn.
QImage pdfReadingPage(QIODevice& device, int page);

} // namespace tollenvane
