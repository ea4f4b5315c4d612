#include "app/design/DisclosureButton.h"

#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"

#include <QPainter>

namespace tollenvane {
namespace {

constexpr int titlePixelSize = 14;
constexpr int gap = 6;

} // namespace

DisclosureButton::DisclosureButton(const QString& title, const QString& symbol, QWidget* parent)
    : QAbstractButton(parent)
    , symbol_(symbol)
{
    setText(title);
    setCheckable(true);
    setFont(DesignFont::system(titlePixelSize, QFont::DemiBold));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize DisclosureButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int side = Symbol::sideBeside(titlePixelSize);
    return {side * 2 + gap * 2 + metrics.horizontalAdvance(text()) + 2 * focusRingMargin,
            std::max(side, metrics.height()) + 2 * focusRingMargin};
}

void DisclosureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = Symbol::sideBeside(titlePixelSize);
    const qreal top = (height() - side) / 2.0;
    const QRectF chevron(focusRingMargin, top, side, side);
    painter.save();
    painter.translate(chevron.center());
    painter.rotate(isChecked() ? 90 : 0);
    painter.translate(-chevron.center());
    Symbol::paint(painter, chevron.adjusted(3, 3, -3, -3), "chevron.right",
                  Theme::color(Theme::muted));
    painter.restore();
    Symbol::paint(painter, QRectF(chevron.right() + gap, top, side, side), symbol_.toStdString(),
                  Theme::color(Theme::text));
    painter.setPen(Theme::color(Theme::text));
    painter.setFont(font());
    const int left = focusRingMargin + (side + gap) * 2;
    painter.drawText(QRect(left, 0, width() - left, height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
    paintFocusRing(painter, QRectF(rect()), 6, *this);
}

} // namespace tollenvane
