#pragma once

#include "app/kit/ModelPage.h"

namespace tollenvane {

class MetricCard;
class VirtualList;

// The totals of every saved session, then one row per session as stored, built only for the
// sessions in sight. Only counts, dates and bytes: the history holds no file name and no path.
class HistoryPage final : public ModelPage {
    Q_OBJECT

public:
    explicit HistoryPage(AppModel& model, QWidget* parent = nullptr);

protected:
    void refresh() override;

private:
    // The list follows the model's history.
    void syncSessions();

    MetricCard* sessions_;
    MetricCard* files_;
    MetricCard* trashed_;
    QWidget* empty_;
    VirtualList* sessionList_;
};

} // namespace tollenvane
