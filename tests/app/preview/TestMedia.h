#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <functional>
#include <string>

namespace tollenvane::test {

// Media made by the tests themselves, so that no binary fixture is needed.

// Left half `left`, right half `right`.
QByteArray twoColourJpeg(QSize size, QColor left, QColor right);
// The same JPEG with an EXIF block whose orientation tag says "turn 90° clockwise to view".
QByteArray withClockwiseOrientation(const QByteArray& jpeg);
// A PNG that is nothing but a valid header announcing `size`.
QByteArray pngHeaderOnly(QSize size);
// A PNG of `size` filled with `fill`, with a comment whose checksum is wrong: readers warn of it,
// drop the comment and show the picture.
QByteArray pngWithDamagedComment(QSize size, QColor fill);
// A PDF of `pages` pages of `pageSize` points, filled with `fill`.
void writePdf(const std::string& path, QSize pageSize, QColor fill, int pages = 1);
// A PDF whose pages paint no background of their own, as most documents: only a dark band across
// the top tenth of each page, and on the last page a blue one across its bottom tenth.
void writeBarePdf(const std::string& path, QSize pageSize, int pages);

// A raw video stream the media backend recognises by its content: `frames` frames of one red at
// 25 a second.
std::string redVideo(QSize size, int frames);

// Files built to hang a decoder: a drawing whose groups each use the one before ten times, ten
// deep, and a document whose page tree is its own grandchild.
std::string svgBomb();
std::string loopingPdf();

// A WAVE file at 44.1 kHz, 16-bit integer or 32-bit float samples; `sample(frame, channel)`
// gives each sample, from -1 to 1 (floats may be anything).
using SampleSource = std::function<float(int frame, int channel)>;
enum class SampleFormat { int16, float32 };
QByteArray waveFile(int channels, int frames, SampleFormat format, const SampleSource& sample);
// The same sound, mono, 16-bit, as FLAC in an Ogg container: a compressed format's container and
// codec that only the media backend reads, with the samples stored as they are.
QByteArray oggFlac(int frames, const SampleSource& sample);

} // namespace tollenvane::test
