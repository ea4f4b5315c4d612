#pragma once

#include "app/design/Panel.h"
#include "core/records/SessionSummary.h"

namespace tollenvane {

class ElidedLabel;

// One saved session: when it was, what was decided, how many files and what went to the Trash.
class HistoryRow final : public Panel {
    Q_OBJECT

public:
    explicit HistoryRow(QWidget* parent = nullptr);

    void setSummary(const SessionSummary& summary);

private:
    ElidedLabel* date_;
    ElidedLabel* counts_;
    ElidedLabel* files_;
    ElidedLabel* trashBytes_;
};

} // namespace tollenvane
