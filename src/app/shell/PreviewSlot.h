#pragma once

#include <QObject>

class QWidget;

namespace tollenvane {

class AppModel;

// Where the window opens the full preview of a file picked on another screen (the model's
// inspected file). It follows the model here; the preview sheet itself plugs in at refresh().
class PreviewSlot : public QObject {
    Q_OBJECT

public:
    PreviewSlot(AppModel& model, QWidget& window);

private:
    void refresh();

    AppModel& model_;
    QWidget& window_;
};

} // namespace tollenvane
