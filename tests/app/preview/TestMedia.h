#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <string>

namespace tollenvane::test {

// Media made by the tests themselves, so that no binary fixture is needed.

// Left half `left`, right half `right`.
QByteArray twoColourJpeg(QSize size, QColor left, QColor right);
// The same JPEG with an EXIF block whose orientation tag says "turn 90° clockwise to view".
QByteArray withClockwiseOrientation(const QByteArray& jpeg);
// A PNG that is nothing but a valid header announcing `size`.
QByteArray pngHeaderOnly(QSize size);
// A one-page PDF of `pageSize` points, filled with `fill`.
void writePdf(const std::string& path, QSize pageSize, QColor fill);

} // namespace tollenvane::test
