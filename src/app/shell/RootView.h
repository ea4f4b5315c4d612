#pragma once

#include <QWidget>

namespace tollenvane {

class AppModel;

// The window's whole content: the sidebar beside the current page, the status bar, and the
// covers, overlays, sheets and alerts above them.
class RootView final : public QWidget {
    Q_OBJECT

public:
    explicit RootView(AppModel& model, QWidget* parent = nullptr);

private:
    AppModel& model_;
};

} // namespace tollenvane
