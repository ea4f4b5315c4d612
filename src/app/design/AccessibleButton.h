#pragma once

#include <QAccessibleWidget>

class QAbstractButton;

namespace tollenvane {

// What assistive technology reads of one of the design's buttons: named by its label as read out,
// pressed as a click presses it, so that the button's own rules decide what pressing does. Each
// kind of button adds its states.
class AccessibleButton : public QAccessibleWidget {
public:
    AccessibleButton(QAbstractButton& button, QAccessible::Role role);

    QString text(QAccessible::Text kind) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

protected:
    QAbstractButton& button() const;
};

} // namespace tollenvane
