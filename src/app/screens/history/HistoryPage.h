#pragma once

#include "app/kit/KeyedRows.h"
#include "app/kit/ModelPage.h"
#include "app/screens/history/HistoryRow.h"

#include <string>

namespace tollenvane {

class MetricCard;

// The totals of every saved session, then one row per session as stored. Only counts, dates and
// bytes: the history holds no file name and no path.
class HistoryPage final : public ModelPage {
    Q_OBJECT

public:
    explicit HistoryPage(AppModel& model, QWidget* parent = nullptr);

protected:
    void refresh() override;

private:
    QWidget* sessionList_;
    MetricCard* sessions_;
    MetricCard* files_;
    MetricCard* trashed_;
    QWidget* empty_;
    KeyedRows<std::string, HistoryRow> rows_;
};

} // namespace tollenvane
