#pragma once

#include <QColor>
#include <QPixmap>
#include <QString>
#include <functional>

namespace tollenvane::SymbolSource {

// Paints a named symbol into a square pixmap of the given side, in one colour; a null pixmap
// when the name is unknown.
using Painter = std::function<QPixmap(const QString& name, int side, const QColor& color)>;

// The one place where components obtain their symbols. Until a painter is installed every
// symbol comes out null and components leave its room empty.
QPixmap pixmap(const QString& name, int side, const QColor& color);
// Installs the painter (an empty one removes it); returns the one it replaces.
Painter install(Painter painter);

} // namespace tollenvane::SymbolSource
