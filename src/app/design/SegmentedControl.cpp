#include "app/design/SegmentedControl.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/Theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr int segmentPadding = 14;
constexpr int verticalPadding = 6;
constexpr int inset = 2;
constexpr qreal outerRadius = 8;
constexpr qreal innerRadius = 6;

} // namespace

SegmentedControl::SegmentedControl(const QStringList& options, QWidget* parent)
    : QWidget(parent)
    , options_(options)
{
    setFont(DesignFont::system(12, QFont::Medium));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SegmentedControl::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == current_) {
        return;
    }
    current_ = index;
    update();
}

QSize SegmentedControl::sizeHint() const
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const QString& option : options_) {
        widest = std::max(widest, metrics.horizontalAdvance(option));
    }
    // Equal segments, as wide as the widest option.
    return QSize(count() * (widest + 2 * segmentPadding) + 2 * inset,
                 metrics.height() + 2 * verticalPadding + 2 * inset);
}

QRect SegmentedControl::segmentRect(int index) const
{
    const QRect inner = rect().adjusted(inset, inset, -inset, -inset);
    const int left = inner.left() + inner.width() * index / std::max(1, count());
    const int right = inner.left() + inner.width() * (index + 1) / std::max(1, count());
    return QRect(left, inner.top(), right - left, inner.height());
}

void SegmentedControl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(LiftButtonStyle::opacity(isEnabled(), false));

    const QPen hairline(Theme::color(Theme::line), 1.0);
    const QPainterPath outer =
        continuousRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), outerRadius);
    painter.fillPath(outer, Theme::color(Theme::soft));
    painter.strokePath(outer, hairline);

    for (int index = 0; index < count(); ++index) {
        const QRect segment = segmentRect(index);
        const bool selected = index == current_;
        if (selected) {
            const QPainterPath chip =
                continuousRoundedRect(QRectF(segment).adjusted(0.5, 0.5, -0.5, -0.5), innerRadius);
            painter.fillPath(chip, Theme::color(Theme::panel));
            painter.strokePath(chip, hairline);
        }
        painter.setPen(Theme::color(selected ? Theme::text : Theme::muted));
        painter.drawText(segment, Qt::AlignCenter | Qt::TextSingleLine, options_[index]);
    }
    paintFocusRing(painter, QRectF(rect()), outerRadius, *this);
}

void SegmentedControl::mouseReleaseEvent(QMouseEvent* event)
{
    for (int index = 0; index < count(); ++index) {
        if (segmentRect(index).contains(event->position().toPoint())) {
            choose(index);
            return;
        }
    }
}

void SegmentedControl::keyPressEvent(QKeyEvent* event)
{
    const bool forward = event->key() == Qt::Key_Right;
    if (!forward && event->key() != Qt::Key_Left) {
        QWidget::keyPressEvent(event);
        return;
    }
    choose(std::clamp(current_ + (forward ? 1 : -1), 0, count() - 1));
}

void SegmentedControl::choose(int index)
{
    if (index == current_) {
        return;
    }
    current_ = index;
    update();
    emit activated(index);
}

} // namespace tollenvane
