#pragma once

#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

namespace tollenvane::test {

// Each control that took the focus, and what assistive technology was told of it then: Qt tells
// it of every control that takes the focus, and a screen reader speaks each one.
class FocusTold {
public:
    struct Told {
        QPointer<QWidget> control;
        QString name;
        QAccessible::Role role;
        bool hidden;
    };

    FocusTold() { qApp->installEventFilter(&watcher_); }
    ~FocusTold() { qApp->removeEventFilter(&watcher_); }
    FocusTold(const FocusTold&) = delete;
    FocusTold& operator=(const FocusTold&) = delete;

    const std::vector<Told>& told() const { return told_; }
    void clear() { told_.clear(); }
    // Whether `control` took the focus.
    bool toldOf(const QWidget* control) const
    {
        for (const Told& each : told_) {
            if (each.control == control) {
                return true;
            }
        }
        return false;
    }
    // Every control told, for a failure's message.
    std::string transcript() const
    {
        std::string text;
        for (const Told& each : told_) {
            text += (each.control != nullptr ? each.control->objectName().toStdString() : "gone") +
                    " \"" + each.name.toStdString() + "\" role " +
                    std::to_string(static_cast<int>(each.role)) + (each.hidden ? " hidden" : "") +
                    "\n";
        }
        return text;
    }

private:
    // Qt tells assistive technology of each control its focus-in event reaches.
    class Watcher final : public QObject {
    public:
        explicit Watcher(std::vector<Told>& told)
            : told_(told)
        {}
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
                auto* control = static_cast<QWidget*>(watched);
                QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
                told_.push_back({control, accessible->text(QAccessible::Name), accessible->role(),
                                 !control->isVisible()});
            }
            return false;
        }

    private:
        std::vector<Told>& told_;
    };

    std::vector<Told> told_;
    Watcher watcher_{told_};
};

} // namespace tollenvane::test
