#pragma once

#include <QString>
#include <QStringView>
#include <string>

namespace tollenvane {

// A file, folder, volume or application name (or a path) made fit to show. A person decides a
// file's fate from its name, so no name may pass for another: bidirectional controls, other
// format and control characters and line separators show as visible marks, a name of spaces
// only shows its spaces, and the whole is isolated so it cannot reorder the text around it.
QString shownName(QStringView name);
QString shownName(const std::string& name);

} // namespace tollenvane
