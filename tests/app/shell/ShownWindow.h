#pragma once

#include "app/shell/RootView.h"
#include "support/DeliverEvents.h"

#include <QApplication>
#include <QString>
#include <QWidget>

namespace tollenvane::test {

// The whole window at the size it opens at, shown and active.
struct ShownWindow {
    RootView view;

    explicit ShownWindow(AppModel& model)
        : view(model)
    {
        view.resize(1200, 840);
        view.show();
        QApplication::setActiveWindow(&view);
        deliverEvents();
    }

    QWidget& sidebar() const { return *view.findChild<QWidget*>(QStringLiteral("sidebar")); }
};

} // namespace tollenvane::test
