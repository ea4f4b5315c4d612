#pragma once

#include "core/insights/FileTally.h"

#include <QString>
#include <QStringList>

namespace tollenvane {

// The count and the size of a tally, as shown.
QStringList tallyFigures(const FileTally& tally);
// "12 fichiers · 3,4 Go": both on one line.
QString tallyText(const FileTally& tally);
// A tile of `title` that shows `tally`, as assistive technology reads it.
QString spokenTally(const QString& title, const FileTally& tally);

} // namespace tollenvane
