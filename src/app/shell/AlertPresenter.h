#pragma once

#include "app/kit/QueuedRefresh.h"

#include <QObject>
#include <QPointer>
#include <string>

class QMessageBox;
class QWidget;

namespace tollenvane {

class AppModel;

// Shows the model's alert over `window` and clears it in the model once the user dismissed it.
class AlertPresenter : public QObject {
    Q_OBJECT

public:
    AlertPresenter(AppModel& model, QWidget& window);

private:
    void refresh();
    void dismissed();

    AppModel& model_;
    QWidget& window_;
    QPointer<QMessageBox> box_;
    std::string shownID_;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
