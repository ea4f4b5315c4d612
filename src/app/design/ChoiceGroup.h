#pragma once

#include <QWidget>

class QAccessibleInterface;

namespace tollenvane {

// Choices, or controls that share what a header says of them, standing under one name, which
// assistive technology speaks as the focus enters them, before the control that takes it. A plain
// widget is read as layout, whose name screen readers pass over.
class ChoiceGroup : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // For QAccessible::installFactory: the reading of every group, none for other objects.
    static QAccessibleInterface* accessible(const QString& className, QObject* object);
};

} // namespace tollenvane
