#include "app/design/DesignStyle.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/FocusRing.h"
#include "app/design/Theme.h"

#include <QComboBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <utility>

namespace tollenvane {

namespace {

constexpr qreal cornerRadius = 6;
constexpr int scrollBarThickness = 10;
constexpr int scrollHandleMinimum = 28;
constexpr int scrollHandleInset = 2;
constexpr qreal restingHandleOpacity = 0.45;
constexpr qreal activeHandleOpacity = 0.75;
constexpr qreal disabledOpacity = 0.45;
constexpr qreal pressedOpacity = 0.82;
constexpr int chevronHalfWidth = 4;

bool isOn(const QStyleOption& option, QStyle::StateFlag flag)
{
    return option.state.testFlag(flag);
}

// The keyboard's focus; a click gives none to show, as on the painted controls.
bool hasKeyboardFocus(const QStyleOption& option)
{
    return isOn(option, QStyle::State_HasFocus) && isOn(option, QStyle::State_KeyboardFocusChange);
}

// A rounded field or button: `fill` inside a hairline in the line colour, and the design's one
// focus ring while the keyboard holds it.
void paintField(QPainter& painter, const QStyleOption& option, const QColor& fill)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isOn(option, QStyle::State_Enabled)) {
        painter.setOpacity(disabledOpacity);
    }
    const QPainterPath shape =
        continuousRoundedRect(QRectF(option.rect).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius);
    painter.fillPath(shape, fill);
    painter.strokePath(shape, QPen(Theme::color(Theme::line), 1.0));
    painter.restore();
    if (hasKeyboardFocus(option)) {
        paintFocusRing(painter, QRectF(option.rect), cornerRadius);
    }
}

// A slider's own parts, inside the room its ring takes.
QStyleOptionSlider insideRing(const QStyleOptionSlider& slider)
{
    QStyleOptionSlider inside(slider);
    inside.rect =
        slider.rect.adjusted(focusRingMargin, focusRingMargin, -focusRingMargin, -focusRingMargin);
    return inside;
}

void paintChevron(QPainter& painter, const QRect& box, bool enabled)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QColor color = Theme::color(Theme::muted);
    if (!enabled) {
        color = Theme::withAlpha(color, disabledOpacity);
    }
    painter.setPen(QPen(color, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF centre = QRectF(box).center();
    const qreal half = chevronHalfWidth;
    QPainterPath chevron;
    chevron.moveTo(centre + QPointF(-half, -half / 2));
    chevron.lineTo(centre + QPointF(0, half / 2));
    chevron.lineTo(centre + QPointF(half, -half / 2));
    painter.drawPath(chevron);
    painter.restore();
}

// The handle takes the part of the bar that the page takes of the whole range.
QRect scrollBarPart(const QStyleOptionSlider& bar, QStyle::SubControl part)
{
    const QRect whole = bar.rect;
    const bool horizontal = bar.orientation == Qt::Horizontal;
    const int length = horizontal ? whole.width() : whole.height();
    const qint64 range = static_cast<qint64>(bar.maximum) - bar.minimum;
    int handle = length;
    if (range > 0) {
        handle = static_cast<int>(static_cast<qint64>(length) * bar.pageStep /
                                  (range + std::max(bar.pageStep, 1)));
        handle = std::clamp(handle, std::min(scrollHandleMinimum, length), length);
    }
    const int start = QStyle::sliderPositionFromValue(bar.minimum, bar.maximum, bar.sliderPosition,
                                                      length - handle, bar.upsideDown);
    const auto along = [&](int from, int size) {
        return horizontal ? QRect(whole.left() + from, whole.top(), size, whole.height())
                          : QRect(whole.left(), whole.top() + from, whole.width(), size);
    };
    switch (part) {
    case QStyle::SC_ScrollBarGroove:
        return whole;
    case QStyle::SC_ScrollBarSlider:
        return along(start, handle);
    case QStyle::SC_ScrollBarSubPage:
        return along(0, start);
    case QStyle::SC_ScrollBarAddPage:
        return along(start + handle, length - start - handle);
    default:
        return {};
    }
}

void paintScrollBar(QPainter& painter, const QStyleOptionSlider& bar)
{
    const QRect slider = scrollBarPart(bar, QStyle::SC_ScrollBarSlider);
    if (bar.maximum <= bar.minimum || slider.isEmpty()) {
        return;
    }
    const bool active = bar.activeSubControls.testFlag(QStyle::SC_ScrollBarSlider) &&
                        (isOn(bar, QStyle::State_MouseOver) || isOn(bar, QStyle::State_Sunken));
    const QRectF handle = QRectF(slider).adjusted(scrollHandleInset, scrollHandleInset,
                                                  -scrollHandleInset, -scrollHandleInset);
    const qreal radius = std::min(handle.width(), handle.height()) / 2;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::withAlpha(Theme::color(Theme::muted),
                                      active ? activeHandleOpacity : restingHandleOpacity));
    painter.drawRoundedRect(handle, radius, radius);
    painter.restore();
}

} // namespace

DesignStyle::DesignStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{}

int DesignStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const
{
    switch (metric) {
    case PM_ScrollBarExtent:
        return scrollBarThickness;
    case PM_ScrollBarSliderMin:
        return scrollHandleMinimum;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QRect DesignStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                  SubControl part, const QWidget* widget) const
{
    if (control == CC_ScrollBar) {
        if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            return scrollBarPart(*bar, part);
        }
    }
    if (control == CC_Slider) {
        if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            const QStyleOptionSlider inside = insideRing(*slider);
            return QProxyStyle::subControlRect(control, &inside, part, widget);
        }
    }
    return QProxyStyle::subControlRect(control, option, part, widget);
}

// A slider keeps room around its groove and handle for the ring.
QSize DesignStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const
{
    const QSize base = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_Slider) {
        return base + QSize(2 * focusRingMargin, 2 * focusRingMargin);
    }
    return base;
}

void DesignStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const
{
    switch (element) {
    case PE_PanelButtonCommand: {
        QColor fill = Theme::color(Theme::soft);
        if (isOn(*option, State_Sunken) || isOn(*option, State_On)) {
            fill = Theme::withAlpha(fill, pressedOpacity);
        } else if (isOn(*option, State_MouseOver)) {
            fill = Theme::color(Theme::panel);
        }
        paintField(*painter, *option, fill);
        return;
    }
    case PE_PanelLineEdit:
        // A field without a frame, as inside a spin box, stays flat.
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
            frame != nullptr && frame->lineWidth > 0) {
            paintField(*painter, *option, Theme::color(Theme::panel));
            return;
        }
        break;
    case PE_FrameLineEdit:
        return;
    case PE_FrameFocusRect:
        // Push buttons and pickers draw their focus with their edge.
        if (qobject_cast<const QPushButton*>(widget) == nullptr &&
            qobject_cast<const QComboBox*>(widget) == nullptr && hasKeyboardFocus(*option)) {
            paintFocusRing(*painter, QRectF(option->rect), cornerRadius);
        }
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void DesignStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const
{
    switch (control) {
    case CC_ScrollBar:
        if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            paintScrollBar(*painter, *bar);
            return;
        }
        break;
    case CC_ComboBox:
        if (const auto* combo = qstyleoption_cast<const QStyleOptionComboBox*>(option);
            combo != nullptr && !combo->editable) {
            paintField(*painter, *option,
                       Theme::color(isOn(*option, State_MouseOver) ? Theme::panel : Theme::soft));
            paintChevron(*painter, subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, widget),
                         isOn(*option, State_Enabled));
            return;
        }
        break;
    case CC_Slider:
        if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option)) {
            // The stock slider marks its focus in the accent colour: the design's ring instead.
            // Its parts are placed by subControlRect, which keeps the ring's room once.
            QStyleOptionSlider unfocused(*slider);
            unfocused.state &= ~State_HasFocus;
            QProxyStyle::drawComplexControl(control, &unfocused, painter, widget);
            if (hasKeyboardFocus(*option)) {
                paintFocusRing(*painter, QRectF(option->rect), cornerRadius);
            }
            return;
        }
        break;
    case CC_SpinBox:
        if (const auto* spin = qstyleoption_cast<const QStyleOptionSpinBox*>(option)) {
            if (spin->frame) {
                paintField(*painter, *option, Theme::color(Theme::panel));
            }
            for (const auto& [part, arrow] : {std::pair{SC_SpinBoxUp, PE_IndicatorArrowUp},
                                              std::pair{SC_SpinBoxDown, PE_IndicatorArrowDown}}) {
                QStyleOption indicator(*option);
                indicator.rect = subControlRect(CC_SpinBox, option, part, widget);
                indicator.palette.setColor(QPalette::ButtonText, Theme::color(Theme::muted));
                indicator.palette.setColor(QPalette::WindowText, Theme::color(Theme::muted));
                proxy()->drawPrimitive(arrow, &indicator, painter, widget);
            }
            return;
        }
        break;
    default:
        break;
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void DesignStyle::polish(QWidget* widget)
{
    QProxyStyle::polish(widget);
    // Hover changes the look of these, which Fusion does not ask a repaint for.
    if (qobject_cast<QPushButton*>(widget) != nullptr ||
        qobject_cast<QComboBox*>(widget) != nullptr ||
        qobject_cast<QScrollBar*>(widget) != nullptr) {
        widget->setAttribute(Qt::WA_Hover);
    }
}

} // namespace tollenvane
