#pragma once

#include <QString>
#include <optional>

namespace tollenvane {

// What the decoder process is asked to make of the file it is handed.
enum class DecoderTask {
    picture,    // a thumbnail of a photograph or a screenshot
    drawing,    // an SVG drawing fitted to the thumbnail size
    pdfPage,    // the first page of a PDF document, for its thumbnail
    pdfPages,   // the first pages of a PDF document, for the full preview
    videoFrame, // the first frame a video shows
    waveform,   // the 64 bars of a sound's opening
};

QString decoderTaskName(DecoderTask task);
std::optional<DecoderTask> decoderTaskNamed(const QString& name);

} // namespace tollenvane
