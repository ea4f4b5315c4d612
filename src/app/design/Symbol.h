#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <span>
#include <string_view>

class QPainter;

namespace tollenvane {

// Where the picture of one named symbol comes from: a symbolic icon of the freedesktop theme
// (its name without the "-symbolic" suffix), or one of our own drawings in the resources.
struct SymbolSource {
    std::string_view name;
    std::string_view themeIcon;
    std::string_view drawing;

    bool isDrawn() const { return !drawing.empty(); }
};

// The named pictograms of the screens, drawn in one colour chosen by the caller.
namespace Symbol {

// A symbol sits in a square a little taller than the text it accompanies.
inline constexpr qreal boxScale = 1.15;
// The side of that square beside text of `fontPixelSize`.
int sideBeside(qreal fontPixelSize);

// Every symbol name the screens use, each once.
std::span<const SymbolSource> table();
// The entry of a name; nullptr for a name the table lacks.
const SymbolSource* find(std::string_view name);

// The symbol in a square of `size` device-independent pixels, every visible pixel in `color`.
// A name the table lacks gives a null pixmap and a warning.
QPixmap pixmap(std::string_view name, int size, const QColor& color, qreal devicePixelRatio);
QIcon icon(std::string_view name, const QColor& color);
// Paints the symbol centred in `box`, as large as the box's shorter side.
void paint(QPainter& painter, const QRectF& box, std::string_view name, const QColor& color);

// Makes themed lookups search the freedesktop icon folders and fall back on Adwaita, for
// desktops without an icon theme (CI's offscreen platform among them). Main thread; once is
// enough, more is harmless.
void useIconTheme();

} // namespace Symbol
} // namespace tollenvane
