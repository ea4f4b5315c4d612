#pragma once

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <algorithm>
#include <string>
#include <vector>

namespace tollenvane::test {

// Each control that took the focus while this lives: Qt tells assistive technology of each
// control its focus-in event reaches, and a screen reader speaks each one.
class FocusTold final : public QObject {
public:
    FocusTold() { qApp->installEventFilter(this); }
    ~FocusTold() override { qApp->removeEventFilter(this); }

    const std::vector<QPointer<QWidget>>& told() const { return told_; }
    void clear() { told_.clear(); }
    bool toldOf(const QWidget* control) const
    {
        return std::find(told_.begin(), told_.end(), control) != told_.end();
    }
    // Every control told, by its name for objects and for assistive technology.
    std::string transcript() const
    {
        std::string text;
        for (const QWidget* control : told_) {
            text += control == nullptr ? std::string("gone\n")
                                       : control->objectName().toStdString() + " \"" +
                                             control->accessibleName().toStdString() + "\"\n";
        }
        return text;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
            told_.emplace_back(static_cast<QWidget*>(watched));
        }
        return false;
    }

private:
    std::vector<QPointer<QWidget>> told_;
};

} // namespace tollenvane::test
