#include "app/preview/WaveformView.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/Theme.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tollenvane {

WaveformView::WaveformView(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void WaveformView::setBars(std::vector<float> bars)
{
    bars_ = std::move(bars);
    updateGeometry();
    update();
}

QSize WaveformView::sizeHint() const
{
    const auto count = static_cast<qreal>(bars_.size());
    const qreal width = count > 0 ? count * barWidth + (count - 1) * barGap : 0;
    return {static_cast<int>(std::ceil(width)), frameHeight};
}

qreal WaveformView::barHeight(float value)
{
    const qreal height = static_cast<qreal>(value) * fullHeight;
    return std::isfinite(height) ? std::max(height, minimumHeight) : minimumHeight;
}

void WaveformView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor fill = Theme::color(Theme::orange);
    fill.setAlphaF(0.65F);
    painter.setBrush(fill);
    const qreal middle = height() / 2.0;
    qreal left = (width() - sizeHint().width()) / 2.0;
    for (const float value : bars_) {
        const qreal barHeight = WaveformView::barHeight(value);
        const QRectF bar(left, middle - barHeight / 2, barWidth, barHeight);
        painter.drawPath(continuousRoundedRect(bar, barWidth / 2));
        left += barWidth + barGap;
    }
}

} // namespace tollenvane
