#include "app/screens/tiles/StorageRing.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

#include <QConicalGradient>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace tollenvane {

namespace {

constexpr qreal padding = 8;
constexpr qreal lineWidth = 11;
constexpr int centreSpacing = 5;
// Where the used arc's colours start, in sRGB: a soft violet.
const QColor arcStart = QColor::fromRgbF(0.55f, 0.48f, 1.0f);

// (total - free) / total, without a capacity none.
std::optional<double> usedRatio(std::int64_t total, std::int64_t free)
{
    if (total < 1) {
        return std::nullopt;
    }
    // The difference in 64 bits first; only a hugely negative free can overflow it, and that
    // means full.
    std::int64_t used = 0;
    if (__builtin_sub_overflow(total, free, &used)) {
        used = std::numeric_limits<std::int64_t>::max();
    }
    return static_cast<double>(used) / static_cast<double>(total);
}

QString centreCaption()
{
    return localized("utilisés");
}

} // namespace

double ringFraction(std::int64_t total, std::int64_t free)
{
    const std::optional<double> ratio = usedRatio(total, free);
    return ratio ? std::clamp(*ratio, 0.0, 1.0) : 0.0;
}

QString usedShareText(std::int64_t total, std::int64_t free)
{
    const std::optional<double> ratio = usedRatio(total, free);
    if (!ratio) {
        return QStringLiteral("—");
    }
    return QString::fromStdString(localizedPercent(*ratio, PercentRounding::down));
}

StorageRing::StorageRing(std::int64_t total, std::int64_t free, QWidget* parent)
    : QWidget(parent)
    , total_(total)
    , free_(free)
{
    setObjectName("storage-ring");
    setFigures(total, free);
}

void StorageRing::setFigures(std::int64_t total, std::int64_t free)
{
    total_ = total;
    free_ = free;
    setSpokenName(*this, usedShareText(total, free) + QLatin1Char(' ') + centreCaption());
    update();
}

void StorageRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const qreal side = std::min(width(), height()) - 2 * padding;
    if (side <= lineWidth) {
        return;
    }
    const QPointF centre = QRectF(rect()).center();
    // The stroke is centred on the circle, so the circle sits half a line inside the frame.
    const qreal radius = (side - lineWidth) / 2;
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);

    painter.setPen(QPen(Theme::color(Theme::soft), lineWidth, Qt::SolidLine, Qt::FlatCap));
    painter.drawEllipse(circle);

    // A zero span with round caps would still leave a dot at the top.
    const double fraction = ringFraction(total_, free_);
    if (fraction > 0) {
        // Colours run counter-clockwise from the start angle, the arc clockwise from the top:
        // the violet end stop meets the arc's start. The seam sits just past the start's round
        // cap, so the cap does not take the accent of the far end.
        const double capDegrees = qRadiansToDegrees(lineWidth / 2 / radius);
        QConicalGradient gradient(centre, 90 + capDegrees);
        gradient.setColorAt(0, Theme::color(Theme::accent));
        gradient.setColorAt(1, arcStart);
        painter.setPen(QPen(QBrush(gradient), lineWidth, Qt::SolidLine, Qt::RoundCap));
        painter.drawArc(circle, 90 * 16, -static_cast<int>(std::lround(fraction * 360 * 16)));
    }

    const QFont shareFont = DesignFont::system(25, QFont::DemiBold);
    const QFont captionFont = DesignFont::system(10);
    const int symbolSide = Symbol::sideBeside(24);
    const QFontMetrics shareMetrics(shareFont);
    const QFontMetrics captionMetrics(captionFont);
    const int stackHeight = symbolSide + centreSpacing + shareMetrics.height() + centreSpacing +
                            captionMetrics.height();
    qreal top = centre.y() - stackHeight / 2.0;

    Symbol::paint(painter, QRectF(centre.x() - symbolSide / 2.0, top, symbolSide, symbolSide),
                  "internaldrive", Theme::color(Theme::muted));
    top += symbolSide + centreSpacing;

    painter.setFont(shareFont);
    painter.setPen(Theme::color(Theme::text));
    painter.drawText(QRectF(rect().left(), top, width(), shareMetrics.height()),
                     Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
                     usedShareText(total_, free_));
    top += shareMetrics.height() + centreSpacing;

    painter.setFont(captionFont);
    painter.setPen(Theme::color(Theme::muted));
    painter.drawText(QRectF(rect().left(), top, width(), captionMetrics.height()),
                     Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, centreCaption());
}

} // namespace tollenvane
