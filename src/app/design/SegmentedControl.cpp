#include "app/design/SegmentedControl.h"

#include "app/design/ChoiceButton.h"
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

// One option, which the keyboard and assistive technology reach; the control draws it and takes
// its clicks.
class Segment final : public ChoiceButton {
public:
    Segment(const QString& option, QWidget& control)
        : ChoiceButton(&control)
    {
        setText(option);
        setAccessibleName(option);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override {}
    // The arrows are the control's, which moves the selection with them, rather than a
    // button's, which would move the focus out of the control.
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            event->ignore();
            return;
        default:
            ChoiceButton::keyPressEvent(event);
        }
    }
    // The control draws the ring round all of its options.
    void focusInEvent(QFocusEvent* event) override
    {
        ChoiceButton::focusInEvent(event);
        parentWidget()->update();
    }
    void focusOutEvent(QFocusEvent* event) override
    {
        ChoiceButton::focusOutEvent(event);
        parentWidget()->update();
    }
};

} // namespace

SegmentedControl::SegmentedControl(const QStringList& options, QWidget* parent)
    : ChoiceGroup(parent)
    , options_(options)
{
    setFont(DesignFont::system(12, QFont::Medium));
    // A click gives the focus to the selected option, which is the control's focus proxy; Tab
    // reaches that option itself.
    setFocusPolicy(Qt::ClickFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    for (int index = 0; index < count(); ++index) {
        auto* segment = new Segment(options_[index], *this);
        segment->setFocusPolicy(Qt::NoFocus);
        connect(segment, &QAbstractButton::clicked, this, [this, index] { choose(index); });
        segments_.push_back(segment);
    }
    if (!segments_.empty()) {
        select(0);
    }
}

void SegmentedControl::setCurrentIndex(int index)
{
    if (index < 0 || index >= count() || index == current_) {
        return;
    }
    select(index);
}

void SegmentedControl::select(int index)
{
    ChoiceButton* previous = segments_[static_cast<std::size_t>(current_)];
    ChoiceButton* next = segments_[static_cast<std::size_t>(index)];
    current_ = index;
    previous->setSelected(false);
    next->setSelected(true);
    next->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(next);
    if (previous != next) {
        if (previous->hasFocus()) {
            next->setFocus(Qt::OtherFocusReason);
        }
        previous->setFocusPolicy(Qt::NoFocus);
    }
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

void SegmentedControl::resizeEvent(QResizeEvent*)
{
    for (int index = 0; index < count(); ++index) {
        segments_[static_cast<std::size_t>(index)]->setGeometry(segmentRect(index));
    }
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
    select(index);
    emit activated(index);
}

} // namespace tollenvane
