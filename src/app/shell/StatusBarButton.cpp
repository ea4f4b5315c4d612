#include "app/shell/StatusBarButton.h"

#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"

#include <QPainter>
#include <cmath>

namespace tollenvane {

namespace {

constexpr int spacing = 5;

} // namespace

StatusBarButton::StatusBarButton(const QString& text, const QString& symbol, int pixelSize,
                                 QWidget* parent)
    : QAbstractButton(parent)
    , symbol_(symbol)
{
    setText(text);
    setSpokenName(*this, text);
    setFont(DesignFont::system(pixelSize));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // A click leaves the focus, and the deck's keys with it, where it was; Tab still comes here.
    setFocusPolicy(Qt::TabFocus);
}

int StatusBarButton::symbolSide() const
{
    return symbol_.isEmpty() ? 0 : Symbol::sideBeside(font().pixelSize());
}

QSize StatusBarButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int side = symbolSide();
    const int width = metrics.horizontalAdvance(text()) + (side > 0 ? side + spacing : 0);
    return QSize(width + 2 * focusRingMargin,
                 std::max(metrics.height(), side) + 2 * focusRingMargin);
}

void StatusBarButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    LiftButtonStyle::applyTo(painter, *this);
    const QColor orange = Theme::color(Theme::orange);
    const int side = symbolSide();
    int left = focusRingMargin;
    if (side > 0) {
        Symbol::paint(painter, QRectF(left, (height() - side) / 2.0, side, side),
                      symbol_.toStdString(), orange);
        left += side + spacing;
    }
    painter.setPen(orange);
    painter.setFont(font());
    painter.drawText(QRect(left, 0, width() - focusRingMargin - left, height()),
                     Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, text());
    paintFocusRing(painter, QRectF(rect()), 6, *this);
}

} // namespace tollenvane
