#include "app/screens/summary/SummaryBadge.h"

#include "app/design/Symbol.h"
#include "app/design/Theme.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr qreal discOpacity = 0.08;
constexpr int checkPixelSize = 42;

} // namespace

SummaryBadge::SummaryBadge(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("summary-badge");
    setFixedSize(side, side);
}

void SummaryBadge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor disc = Theme::color(Theme::orange);
    disc.setAlphaF(discOpacity);
    painter.setPen(Qt::NoPen);
    painter.setBrush(disc);
    painter.drawEllipse(QRectF(rect()));

    const qreal check = Symbol::sideBeside(checkPixelSize);
    const QRectF box((width() - check) / 2, (height() - check) / 2, check, check);
    Symbol::paint(painter, box, "checkmark", Theme::color(Theme::orange));
}

} // namespace tollenvane
