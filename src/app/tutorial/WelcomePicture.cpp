#include "app/tutorial/WelcomePicture.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr QSizeF cardSize{155, 195};
constexpr qreal cornerRadius = 22;
constexpr int arrowSize = 54;
// The accent's own gradient: a touch lighter at the top than at the bottom.
constexpr int gradientLighter = 112;
constexpr int gradientDarker = 104;

// A card turned about its centre, then moved.
void paintCard(QPainter& painter, QPointF centre, qreal degrees, const QBrush& fill)
{
    painter.save();
    painter.translate(centre);
    painter.rotate(degrees);
    QRectF card(QPointF(), cardSize);
    card.moveCenter(QPointF());
    painter.fillPath(continuousRoundedRect(card, cornerRadius), fill);
    painter.restore();
}

} // namespace

WelcomePicture::WelcomePicture(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(pictureHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize WelcomePicture::sizeHint() const
{
    return {300, pictureHeight};
}

void WelcomePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF middle = QRectF(rect()).center();
    const qreal scale = std::min(1.0, static_cast<qreal>(height()) / pictureHeight);
    painter.translate(middle);
    painter.scale(scale, scale);
    painter.translate(-middle);

    paintCard(painter, middle + QPointF(-45, 8), -14, Theme::color(Theme::panel));

    const QColor orange = Theme::color(Theme::orange);
    QLinearGradient gradient(0, -cardSize.height() / 2, 0, cardSize.height() / 2);
    gradient.setColorAt(0, orange.lighter(gradientLighter));
    gradient.setColorAt(1, orange.darker(gradientDarker));
    paintCard(painter, middle + QPointF(30, 0), 10, gradient);

    const int side = Symbol::sideBeside(arrowSize);
    QRectF arrow(0, 0, side, side);
    arrow.moveCenter(middle + QPointF(30, 0));
    Symbol::paint(painter, arrow, "arrow.right", Theme::color(Theme::ink));
}

} // namespace tollenvane
