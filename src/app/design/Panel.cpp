#include "app/design/Panel.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/Theme.h"

#include <QPainter>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int padding = 24;
constexpr qreal cornerRadius = 16;

} // namespace

Panel::Panel(QWidget* parent)
    : QWidget(parent)
    , layout_(new QVBoxLayout(this))
{
    layout_->setContentsMargins(padding, padding, padding, padding);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Inset by half the stroke so the centred hairline stays inside the widget.
    const QPainterPath shape =
        continuousRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius);
    painter.fillPath(shape, Theme::color(Theme::panel));
    painter.setPen(QPen(Theme::color(Theme::line), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPath(shape);
}

} // namespace tollenvane
