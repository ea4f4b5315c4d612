#pragma once

#include "app/kit/KeyedRows.h"
#include "app/kit/QueuedRefresh.h"

#include <QWidget>
#include <string>

class QPushButton;
class QVBoxLayout;

namespace tollenvane {

class AppDataRow;
class AppModel;
class DisclosureButton;
class FileRevealer;
class Spinner;
class TextBlock;

// The closed-by-default section that looks for the data removed applications left behind and
// lists it for the user to check in the file manager. It only inspects: nothing is cleaned.
class LeftoverDataView final : public QWidget {
    Q_OBJECT

public:
    LeftoverDataView(AppModel& model, FileRevealer& revealer, QWidget* parent = nullptr);

private:
    void refresh();

    AppModel& model_;
    FileRevealer& revealer_;
    DisclosureButton* disclosure_;
    QWidget* content_;
    TextBlock* noRemoved_;
    QWidget* searchLine_;
    QWidget* search_;
    Spinner* spinner_;
    QPushButton* stop_;
    QWidget* entries_;
    QVBoxLayout* entryLayout_;
    QWidget* issues_;
    QVBoxLayout* issueLayout_;
    KeyedRows<std::string, AppDataRow> entryRows_;
    KeyedRows<std::string, TextBlock> issueRows_;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
