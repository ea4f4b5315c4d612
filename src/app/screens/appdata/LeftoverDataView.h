#pragma once

#include "app/kit/KeyedRows.h"
#include "app/kit/QueuedRefresh.h"

#include <QWidget>
#include <string>

class QPushButton;
class QVBoxLayout;

namespace tollenvane {

class AppModel;
class DisclosureButton;
class FileRevealer;
class ResultNotice;
class Spinner;
class TextBlock;
class VirtualList;

// The closed-by-default section that looks for the data removed applications left behind and
// lists it for the user to check in the file manager. It only inspects: nothing is cleaned.
class LeftoverDataView final : public QWidget {
    Q_OBJECT

public:
    LeftoverDataView(AppModel& model, FileRevealer& revealer, QWidget* parent = nullptr);

private:
    VirtualList* makeEntries();
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
    // Only the rows in sight exist, whatever the number of items found.
    VirtualList* entries_;
    // At most a few: each its own text.
    QWidget* issues_;
    QVBoxLayout* issueLayout_;
    KeyedRows<std::string, TextBlock> issueRows_;
    // The section opening or closing, and an inspection that ends unless the user stopped it.
    ResultNotice* notice_;
    bool stopped_ = false;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
