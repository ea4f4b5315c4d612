#pragma once

#include <QString>
#include <QStringList>

namespace tollenvane {

// Texts shown one under the other, read out as one: each ends as a sentence (a full stop is
// added to those that end without one), so that a screen reader pauses between them. Empty
// texts are left out.
QString spokenSentences(const QStringList& texts);

} // namespace tollenvane
