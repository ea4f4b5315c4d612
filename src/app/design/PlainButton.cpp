#include "app/design/PlainButton.h"

#include "app/design/FocusRing.h"
#include "app/design/Symbol.h"

#include <QPainter>
#include <algorithm>

namespace tollenvane {
namespace {

constexpr qreal disabledOpacity = 0.4;
constexpr int symbolSpacing = 4;

} // namespace

PlainButton::PlainButton(const QString& symbol, int side, ThemeColor color, QWidget* parent)
    : QAbstractButton(parent)
    , symbol_(symbol)
    , side_(side)
    , color_(color)
{
    setCursor(Qt::PointingHandCursor);
}

PlainButton::PlainButton(const QString& text, ThemeColor color, QWidget* parent)
    : QAbstractButton(parent)
    , color_(color)
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
}

PlainButton::PlainButton(const QString& text, const QString& symbol, ThemeColor color,
                         QWidget* parent)
    : PlainButton(text, color, parent)
{
    symbol_ = symbol;
}

void PlainButton::setSymbol(const QString& symbol, ThemeColor color)
{
    symbol_ = symbol;
    color_ = color;
    update();
}

// Room is kept around it for the focus ring.
QSize PlainButton::sizeHint() const
{
    const QSize margins(2 * focusRingMargin, 2 * focusRingMargin);
    if (text().isEmpty() && !symbol_.isEmpty()) {
        return QSize(side_, side_) + margins;
    }
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(text());
    if (symbol_.isEmpty()) {
        return QSize(textWidth, metrics.height()) + margins;
    }
    const int side = Symbol::sideBeside(font().pixelSize());
    return QSize(side + symbolSpacing + textWidth, std::max(side, metrics.height())) + margins;
}

void PlainButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) {
        painter.setOpacity(disabledOpacity);
    }
    const QColor color = Theme::color(color_);
    const QRect content =
        rect().adjusted(focusRingMargin, focusRingMargin, -focusRingMargin, -focusRingMargin);
    if (text().isEmpty() && !symbol_.isEmpty()) {
        Symbol::paint(painter, QRectF(content), symbol_.toStdString(), color);
    } else {
        QRect textRect = content;
        if (!symbol_.isEmpty()) {
            const int side = Symbol::sideBeside(font().pixelSize());
            const QRectF box(content.left(), (height() - side) / 2.0, side, side);
            Symbol::paint(painter, box, symbol_.toStdString(), color);
            textRect.setLeft(content.left() + side + symbolSpacing);
        }
        painter.setPen(color);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
    }
    paintFocusRing(painter, QRectF(rect()), 6, *this);
}

} // namespace tollenvane
