#pragma once

#include <QObject>

class QAbstractScrollArea;
class QWidget;

namespace tollenvane {

// Keeps a page's wheel scrolling from changing the settings it passes over: the wheel over a
// guarded control scrolls the page. A language picked by a stray turn of the wheel would redraw
// the whole window in it.
class ScrollWheelGuard final : public QObject {
public:
    explicit ScrollWheelGuard(QAbstractScrollArea& page);

    void guard(QWidget& control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAbstractScrollArea& page_;
};

} // namespace tollenvane
