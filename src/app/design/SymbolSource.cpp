#include "app/design/SymbolSource.h"

#include <utility>

namespace tollenvane {

namespace {

SymbolSource::Painter& installed()
{
    static SymbolSource::Painter painter;
    return painter;
}

} // namespace

QPixmap SymbolSource::pixmap(const QString& name, int side, const QColor& color)
{
    const Painter& painter = installed();
    return painter && side > 0 ? painter(name, side, color) : QPixmap();
}

SymbolSource::Painter SymbolSource::install(Painter painter)
{
    return std::exchange(installed(), std::move(painter));
}

} // namespace tollenvane
