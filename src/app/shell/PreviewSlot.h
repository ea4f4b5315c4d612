#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace tollenvane {

class AppModel;

class QuickLookSheet;

// Where the window opens the full preview of a file picked on another screen: the sheet stands
// while the model holds an inspected file, and closing it clears that file.
class PreviewSlot : public QObject {
    Q_OBJECT

public:
    PreviewSlot(AppModel& model, QWidget& window);

private:
    void refresh();

    AppModel& model_;
    QWidget& window_;
    QPointer<QuickLookSheet> sheet_;
};

} // namespace tollenvane
