#include "app/design/SpokenFigures.h"

#include "app/design/ShownName.h"

namespace tollenvane {

QString spokenWithFigures(const QString& name, const QStringList& figures)
{
    QStringList parts{name};
    parts << figures;
    parts.removeAll(QString());
    return spokenText(parts.join(QStringLiteral(", ")));
}

} // namespace tollenvane
