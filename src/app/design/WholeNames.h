#pragma once

#include <QString>

namespace tollenvane {

// `text` with every line break inside a shown name taken away: a name is isolated by the
// safe-text helper (FSI … PDI); a word joiner at each of its break opportunities and no-break
// spaces for its spaces keep it on one line wherever the text wraps, so that the text engine's
// breaks between ideographs or at spaces never split a name that fits a line. A name longer than
// its line still breaks where the line ends, as a word too long for its line does. The joiners
// draw nothing.
QString namesKeptWhole(const QString& text);

} // namespace tollenvane
