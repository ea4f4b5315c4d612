#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <span>
#include <vector>

namespace tollenvane {

// What the decoder process writes on its standard output, and how the application reads it back.
// The application trusts none of it: sizes are checked before a byte is copied.
namespace DecoderOutput {

// No side of a picture handed back is longer than this.
inline constexpr int maxSide = 4096;

// Each picture as its width and height (32-bit little-endian) and its premultiplied ARGB pixels.
QByteArray pictures(std::span<const QImage> images);
// Empty when the bytes are not exactly a run of well-formed pictures.
std::vector<QImage> readPictures(const QByteArray& bytes);

// The bars as 32-bit little-endian floats.
QByteArray bars(std::span<const float> values);
// Empty unless the bytes hold exactly `count` bars, each between 0 and 1.
std::vector<float> readBars(const QByteArray& bytes, int count);

// Each size as its width and height, 32-bit little-endian floats.
QByteArray sizes(std::span<const QSizeF> values);
// Empty unless the bytes hold a whole number of sizes; a size that is not finite is read as empty.
std::vector<QSizeF> readSizes(const QByteArray& bytes);

} // namespace DecoderOutput

} // namespace tollenvane
