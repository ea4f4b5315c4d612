#include "app/screens/volumes/VolumeUsageBar.h"

#include "app/design/Theme.h"
#include "app/screens/volumes/VolumeRules.h"

#include <QPainter>

namespace tollenvane {

VolumeUsageBar::VolumeUsageBar(QWidget* parent)
    : QWidget(parent)
{
    setFixedHeight(barHeight);
    setMaximumWidth(maximumBarWidth);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void VolumeUsageBar::setUsage(std::int64_t total, std::int64_t free)
{
    const double fraction = VolumeRules::usageFraction(total, free);
    if (fraction != fraction_) {
        fraction_ = fraction;
        update();
    }
}

void VolumeUsageBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF track = rect();
    const qreal radius = track.height() / 2;
    painter.setBrush(Theme::color(Theme::soft));
    painter.drawRoundedRect(track, radius, radius);
    if (fraction_ <= 0) {
        return;
    }
    QColor used = Theme::color(Theme::orange);
    used.setAlphaF(0.7F);
    painter.setBrush(used);
    painter.drawRoundedRect(
        QRectF(track.left(), track.top(), track.width() * fraction_, track.height()), radius,
        radius);
}

} // namespace tollenvane
