#include "app/deck/PlainButton.h"

#include "app/design/Symbol.h"

#include <QPainter>

namespace tollenvane {
namespace {

constexpr qreal disabledOpacity = 0.4;

} // namespace

PlainButton::PlainButton(const QString& symbol, int side, ThemeColor color, QWidget* parent)
    : QAbstractButton(parent)
    , symbol_(symbol)
    , side_(side)
    , color_(color)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

PlainButton::PlainButton(const QString& text, ThemeColor color, QWidget* parent)
    : QAbstractButton(parent)
    , color_(color)
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

QSize PlainButton::sizeHint() const
{
    if (!symbol_.isEmpty()) {
        return {side_, side_};
    }
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()), metrics.height()};
}

void PlainButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) {
        painter.setOpacity(disabledOpacity);
    }
    const QColor color = Theme::color(color_);
    if (!symbol_.isEmpty()) {
        Symbol::paint(painter, QRectF(rect()), symbol_.toStdString(), color);
        return;
    }
    painter.setPen(color);
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

} // namespace tollenvane
