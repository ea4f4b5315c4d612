#pragma once

#include <QString>
#include <string_view>

namespace tollenvane {

// An item as the controls of its row name it where several items may share a name (the copies of
// a duplicate group, an application installed twice): its name and the folder that holds `path`,
// fit to show, so that no two rows are read alike.
QString nameInFolder(const QString& name, std::string_view path);

} // namespace tollenvane
