#include "app/design/AccessiblePercentSlider.h"

#include "app/design/PercentSlider.h"
#include "core/localisation/Formatting.h"

#include <algorithm>
#include <cmath>

namespace tollenvane {

AccessiblePercentSlider::AccessiblePercentSlider(PercentSlider& slider)
    : QAccessibleWidget(&slider, QAccessible::Slider)
{}

QAccessibleInterface* AccessiblePercentSlider::create(const QString& className, QObject* object)
{
    auto* slider = className == QLatin1String(PercentSlider::staticMetaObject.className())
                       ? qobject_cast<PercentSlider*>(object)
                       : nullptr;
    return slider != nullptr ? new AccessiblePercentSlider(*slider) : nullptr;
}

PercentSlider& AccessiblePercentSlider::slider() const
{
    return *static_cast<PercentSlider*>(widget());
}

void* AccessiblePercentSlider::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                               : QAccessibleWidget::interface_cast(type);
}

QString AccessiblePercentSlider::text(QAccessible::Text kind) const
{
    return kind == QAccessible::Value ? currentValue().toString() : QAccessibleWidget::text(kind);
}

QVariant AccessiblePercentSlider::currentValue() const
{
    const PercentSlider& shown = slider();
    const int range = std::max(1, shown.maximum() - shown.minimum());
    return wholePercent(static_cast<double>(shown.value() - shown.minimum()) / range);
}

void AccessiblePercentSlider::setCurrentValue(const QVariant& value)
{
    PercentSlider& shown = slider();
    const double share = std::clamp(value.toDouble(), 0.0, 100.0) / 100;
    shown.setValue(shown.minimum() +
                   static_cast<int>(std::lround(share * (shown.maximum() - shown.minimum()))));
}

} // namespace tollenvane
