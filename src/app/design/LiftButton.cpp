#include "app/design/LiftButton.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"

#include <QPainter>
#include <cmath>
#include <utility>

namespace tollenvane {

namespace {} // namespace

LiftButton::LiftButton(const QString& title, const QString& symbol,
                       const std::function<void()>& action, ButtonLook look, QWidget* parent)
    : QAbstractButton(parent)
    , symbol_(symbol)
    , look_(std::move(look))
{
    setText(title);
    setSpokenName(*this, title);
    setFont(look_.font);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    if (action) {
        connect(this, &QAbstractButton::clicked, this, [action] { action(); });
    }
}

int LiftButton::symbolSide() const
{
    return Symbol::sideBeside(font().pixelSize());
}

QSize LiftButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int labelWidth = metrics.horizontalAdvance(text()) + look_.spacing + symbolSide();
    const int labelHeight = std::max(metrics.height(), symbolSide());
    return QSize(labelWidth + 2 * look_.horizontalPadding, labelHeight + 2 * look_.verticalPadding);
}

void LiftButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    LiftButtonStyle::applyTo(painter, *this);

    const QPainterPath shape =
        continuousRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), look_.cornerRadius);
    painter.fillPath(shape, Theme::color(look_.fill));
    if (look_.stroke) {
        painter.setPen(
            QPen(Theme::color(*look_.stroke), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        painter.drawPath(shape);
    }

    const QColor foreground =
        look_.foreground ? Theme::color(*look_.foreground) : palette().color(QPalette::ButtonText);
    const QFontMetrics metrics(font());
    const int side = symbolSide();
    const int textWidth = metrics.horizontalAdvance(text());
    const int labelWidth = textWidth + look_.spacing + side;
    const int left = (width() - labelWidth) / 2;
    const int textLeft = look_.symbolFirst ? left + side + look_.spacing : left;
    const int symbolLeft = look_.symbolFirst ? left : left + textWidth + look_.spacing;

    painter.setPen(foreground);
    painter.drawText(QRect(textLeft, 0, textWidth, height()), Qt::AlignCenter | Qt::TextSingleLine,
                     text());
    const QPixmap symbolPixmap =
        Symbol::pixmap(symbol_.toStdString(), side, foreground, devicePixelRatioF());
    if (!symbolPixmap.isNull()) {
        painter.drawPixmap(QRect(symbolLeft, (height() - side) / 2, side, side), symbolPixmap);
    }
    paintFocusRing(painter, QRectF(rect()), look_.cornerRadius, *this);
}

} // namespace tollenvane
