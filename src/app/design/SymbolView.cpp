#include "app/design/SymbolView.h"

#include "app/design/Symbol.h"

#include <QPainter>

namespace tollenvane {

SymbolView::SymbolView(const QString& symbol, int side, ThemeColor color, QWidget* parent)
    : QWidget(parent)
    , symbol_(symbol)
    , side_(side)
    , color_(color)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolView::paintEvent(QPaintEvent*)
{
    const QPixmap pixmap =
        Symbol::pixmap(symbol_.toStdString(), side_, Theme::color(color_), devicePixelRatioF());
    if (pixmap.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(QRect((width() - side_) / 2, (height() - side_) / 2, side_, side_), pixmap);
}

} // namespace tollenvane
