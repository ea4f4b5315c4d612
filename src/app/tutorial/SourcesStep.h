#pragma once

#include "app/kit/AddedFolders.h"
#include "app/kit/KeyedRows.h"
#include "app/kit/QueuedRefresh.h"

#include <QWidget>
#include <string>

class QVBoxLayout;

namespace tollenvane {

class AppModel;
class ResultNotice;
class SourceStepRow;

// The third step: the usual folders in one click, any other folder or an external disk, and
// the folders authorised so far.
class SourcesStep final : public QWidget {
    Q_OBJECT

public:
    explicit SourcesStep(AppModel& model, QWidget* parent = nullptr);

private:
    void refresh();

    AppModel& model_;
    QWidget* choosers_;
    QVBoxLayout* rowsLayout_;
    KeyedRows<std::string, SourceStepRow> rows_;
    AddedFolders added_;
    ResultNotice* notice_;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
