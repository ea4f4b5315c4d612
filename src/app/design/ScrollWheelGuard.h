#pragma once

#include <QObject>

class QWidget;

namespace tollenvane {

// Keeps the wheel from changing the pickers it passes over (lists, spin boxes, sliders): it
// scrolls the page under them instead, and never gives them the focus. A setting changed by a
// stray turn of the wheel would leave files out of a session without a word, or redraw the whole
// window in another language; the keyboard and the mouse still change a picker.
class ScrollWheelGuard final : public QObject {
public:
    // Guards every picker of the application while it lives.
    ScrollWheelGuard();
    ~ScrollWheelGuard() override;
    ScrollWheelGuard(const ScrollWheelGuard&) = delete;
    ScrollWheelGuard& operator=(const ScrollWheelGuard&) = delete;

    static bool isPicker(const QWidget& widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace tollenvane
