#pragma once

#include "app/kit/QueuedRefresh.h"
#include "model/Page.h"

#include <QWidget>
#include <vector>

namespace tollenvane {

class AppModel;
class DiskCard;
class NavRow;
class SessionEntry;

// The window's left column: the brand, the rows to the main pages, the way back into a review,
// the selected disk and the settings row. It keeps nothing of its own; every click is one call
// on the model.
class Sidebar : public QWidget {
    Q_OBJECT

public:
    // The column's width, unless a label of the language needs more.
    static constexpr int columnWidth = 220;

    explicit Sidebar(AppModel& model, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* brand();
    QWidget* sectionLabel();
    NavRow* navigationRow(Page page);
    void refresh();
    int wholeWidth() const;

    AppModel& model_;
    std::vector<NavRow*> rows_;
    SessionEntry* runningSession_;
    QWidget* runningSessionFrame_;
    SessionEntry* savedSession_;
    DiskCard* diskCard_;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
