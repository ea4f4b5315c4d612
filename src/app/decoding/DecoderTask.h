#pragma once

#include <QStringList>
#include <optional>

namespace tollenvane {

// What the decoder process is asked to make of the file it is handed.
enum class DecoderTask {
    picture,        // a thumbnail of a photograph or a screenshot
    drawing,        // an SVG drawing fitted to the thumbnail size
    pdfPage,        // the first page of a PDF document, for its thumbnail
    pdfLayout,      // the size of every page of a PDF document, for the full preview
    pdfReadingPage, // one page of a PDF document at the full preview's width
    videoFrame,     // the first frame a video shows
    waveform,       // the 64 bars of a sound's opening
    icon,           // an icon's picture fitted into a square
};

// One decoding: the task, and for the tasks that take one, the page to draw (from 0) or the
// side of the square to fit an icon into.
struct DecoderRequest {
    // Not explicit: a task alone is a request.
    DecoderRequest(DecoderTask what, int which = 0)
        : task(what)
        , number(which)
    {}

    DecoderTask task;
    int number;
};

// The decoder's command line for `request`, and back; nothing for anything it would not ask.
QStringList decoderArguments(const DecoderRequest& request);
std::optional<DecoderRequest> decoderRequestFrom(const QStringList& arguments);

} // namespace tollenvane
