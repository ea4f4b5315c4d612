#pragma once

#include <QSize>

namespace tollenvane {

// The largest picture each producer makes, which bounds what one cache entry can cost.
inline constexpr int imageThumbnailSide = 1000;
inline constexpr QSize pdfThumbnailBox{900, 620};
inline constexpr QSize genericThumbnailBox{1000, 650};
// The full preview reads a document's pages at the sheet's width, each no taller than the
// decoder hands back; it reaches this many pages, more than any real document has.
inline constexpr QSize pdfReadingBox{800, 4096};
inline constexpr int pdfReadingMaxPages = 100'000;

// `size` scaled down, never up, to fit `box`, keeping its proportions; at least one pixel a side.
QSize fittedSize(QSize size, QSize box);

} // namespace tollenvane
