#pragma once

#include <QAccessibleWidget>

namespace tollenvane {

class PercentSlider;

// What assistive technology reads of a percent slider: its value in whole percent, rounded as a
// shown percentage is, which Linux screen readers speak at focus and at each step.
class AccessiblePercentSlider final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessiblePercentSlider(PercentSlider& slider);

    // For QAccessible::installFactory: the reading of every percent slider, none for others.
    static QAccessibleInterface* create(const QString& className, QObject* object);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    PercentSlider& slider() const;
};

} // namespace tollenvane
