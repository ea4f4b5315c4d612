#include "app/design/Spinner.h"

#include <QPainter>
#include <QVariantAnimation>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr int turnMilliseconds = 900;
// The visible part of the ring.
constexpr int arcDegrees = 270;
constexpr qreal trackOpacity = 0.18;

} // namespace

Spinner::Spinner(Size size, ThemeColor color, QWidget* parent)
    : QWidget(parent)
    , side_(static_cast<int>(size))
    , color_(color)
    , turn_(new QVariantAnimation(this))
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    turn_->setStartValue(0.0);
    turn_->setEndValue(360.0);
    turn_->setDuration(turnMilliseconds);
    turn_->setLoopCount(-1);
    connect(turn_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        angle_ = value.toReal();
        update();
    });
}

bool Spinner::isSpinning() const
{
    return turn_->state() == QAbstractAnimation::Running;
}

QSize Spinner::sizeHint() const
{
    return QSize(side_, side_);
}

void Spinner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal stroke = std::max(1.5, side_ / 9.0);
    const QRectF ring = QRectF((width() - side_) / 2.0, (height() - side_) / 2.0, side_, side_)
                            .adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2);
    QColor color = Theme::color(color_);
    QColor track = color;
    track.setAlphaF(trackOpacity);
    painter.setPen(QPen(track, stroke));
    painter.drawEllipse(ring);
    painter.setPen(QPen(color, stroke, Qt::SolidLine, Qt::RoundCap));
    // Qt counts angles anticlockwise in sixteenths of a degree; the arc turns clockwise.
    painter.drawArc(ring, static_cast<int>(-angle_ * 16), arcDegrees / 3 * 16);
}

void Spinner::showEvent(QShowEvent* event)
{
    turn_->start();
    QWidget::showEvent(event);
}

void Spinner::hideEvent(QHideEvent* event)
{
    turn_->stop();
    QWidget::hideEvent(event);
}

} // namespace tollenvane
