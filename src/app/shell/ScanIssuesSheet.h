#pragma once

#include "app/kit/QueuedRefresh.h"

#include <QDialog>

namespace tollenvane {

class AppModel;
class TextBlock;

// Lists the problems of the last scan, as the model words them, so they can be copied.
class ScanIssuesSheet : public QDialog {
    Q_OBJECT

public:
    explicit ScanIssuesSheet(AppModel& model, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();

    AppModel& model_;
    QWidget* list_;
    QWidget* truncated_;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
