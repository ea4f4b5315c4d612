#pragma once

#include <QWidget>

class QAccessibleInterface;

namespace tollenvane {

// Speaks what changes where the keyboard is not: assistive technology takes it for a
// notification and screen readers speak a notification as it shows, where they stay silent when
// a text changes. It draws nothing and is shown only once it has something to say, and stays
// hidden once what holds it hides: shown again with it, it would say something old.
class SpokenNotice final : public QWidget {
    Q_OBJECT

public:
    explicit SpokenNotice(QWidget* parent);

    // Says `text` now, even when it was said last.
    void say(const QString& text);

    // For QAccessible::installFactory: the reading of every notice, none for other objects.
    static QAccessibleInterface* create(const QString& className, QObject* object);

protected:
    void hideEvent(QHideEvent* event) override;
};

} // namespace tollenvane
