#pragma once

#include <QString>
#include <QStringList>

namespace tollenvane {

// What assistive technology reads of a control that shows figures beside its name, as the
// platform reads a button's whole label: the name, then each figure in the order drawn, as one
// plain text ("Images, 26 files, 3.4 MB"). `name` may be shown, isolation marks and all; empty
// figures are left out.
QString spokenWithFigures(const QString& name, const QStringList& figures);

} // namespace tollenvane
