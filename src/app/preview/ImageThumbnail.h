#pragma once

#include <QImage>

class QIODevice;

namespace tollenvane {

// Pictures with more pixels than this are refused before decoding: their thumbnail is not worth
// the time, and a forged header must not make the decoder try.
inline constexpr long long maxImagePixels = 200'000'000;

// Decoded straight at thumbnail size, longest side at most 1000, turned upright as the file's
// orientation tag says. Null when the device holds no readable picture.
QImage imageThumbnail(QIODevice& device);

} // namespace tollenvane
