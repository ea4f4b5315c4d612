#include "app/kit/NameInFolder.h"

#include "app/design/ShownName.h"
#include "core/base/Path.h"

namespace tollenvane {

QString nameInFolder(const QString& name, std::string_view path)
{
    const std::string_view folder = path::parent(path);
    return shownName(name) + QStringLiteral(", ") +
           shownName(QString::fromUtf8(folder.data(), static_cast<qsizetype>(folder.size())));
}

} // namespace tollenvane
