#include "app/screens/tiles/TilePainting.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/Symbol.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace tollenvane::TilePainting {

QFont titleFont()
{
    return DesignFont::system(13, QFont::DemiBold);
}

QFont smallFont()
{
    return DesignFont::system(11);
}

QFont actionFont()
{
    return DesignFont::system(11, QFont::DemiBold);
}

QPainterPath cardShape(const QRectF& rect, qreal cornerRadius)
{
    return continuousRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius);
}

void paintLine(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
               const QColor& color)
{
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(
        box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
        QFontMetrics(font).elidedText(text, Qt::ElideRight, static_cast<int>(box.width())));
}

int actionHeight()
{
    return std::max(QFontMetrics(actionFont()).height(),
                    Symbol::sideBeside(actionFont().pixelSize()));
}

void paintAction(QPainter& painter, const QRectF& row, const QString& text)
{
    const int arrowSide = Symbol::sideBeside(actionFont().pixelSize());
    const QColor accent = Theme::color(Theme::orange);
    paintLine(painter, row.adjusted(0, 0, -arrowSide, 0), text, actionFont(), accent);
    Symbol::paint(painter,
                  QRectF(row.right() - arrowSide, row.top() + (row.height() - arrowSide) / 2.0,
                         arrowSide, arrowSide),
                  "arrow.right", accent);
}

} // namespace tollenvane::TilePainting
