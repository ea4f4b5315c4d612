#include "app/design/Switch.h"

#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/SpokenName.h"
#include "app/design/Theme.h"

#include <QPainter>

namespace tollenvane {

namespace {

constexpr QSizeF trackSize(32, 18);
constexpr qreal knobInset = 2;
constexpr int titleSpacing = 12;

} // namespace

Switch::Switch(const QString& title, QWidget* parent)
    : QAbstractButton(parent)
{
    setText(title);
    setSpokenName(*this, title);
    setCheckable(true);
    setFont(DesignFont::system(13));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize Switch::sizeHint() const
{
    const QFontMetrics metrics(font());
    const int titleWidth = text().isEmpty() ? 0 : metrics.horizontalAdvance(text()) + titleSpacing;
    return QSize(
        titleWidth + static_cast<int>(trackSize.width()) + 2 * focusRingMargin,
        std::max(metrics.height(), static_cast<int>(trackSize.height()) + 2 * focusRingMargin));
}

QRectF Switch::trackRect() const
{
    return QRectF(
        QPointF(width() - focusRingMargin - trackSize.width(), (height() - trackSize.height()) / 2),
        trackSize);
}

bool Switch::hitButton(const QPoint& position) const
{
    return rect().contains(position);
}

void Switch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(LiftButtonStyle::opacity(isEnabled(), false));

    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRectF(0, 0, trackRect().left() - titleSpacing, height()),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());

    const QRectF track = trackRect();
    const qreal radius = track.height() / 2;
    const qreal knob = track.height() - 2 * knobInset;
    if (isChecked()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::color(Theme::orange));
    } else {
        painter.setPen(QPen(Theme::color(Theme::line), 1.0));
        painter.setBrush(Theme::color(Theme::soft));
    }
    painter.drawRoundedRect(track.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);

    const qreal knobLeft =
        isChecked() ? track.right() - knobInset - knob : track.left() + knobInset;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::color(isChecked() ? Theme::panel : Theme::muted));
    painter.drawEllipse(QRectF(knobLeft, track.top() + knobInset, knob, knob));
    const qreal margin = focusRingMargin;
    paintFocusRing(painter, track.adjusted(-margin, -margin, margin, margin), radius + margin,
                   *this);
}

} // namespace tollenvane
