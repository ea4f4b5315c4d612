#pragma once

#include "app/kit/KeyedRows.h"
#include "app/screens/duplicates/DuplicateGroupPanel.h"

#include <QWidget>
#include <span>
#include <string>

namespace tollenvane {

// A run of consecutive group panels in their own box. Laying out or painting the list then
// touches a few dozen batches and the panels of one, not every panel: adding a slice to a list
// of thousands stays as quick as adding it to a short one.
class DuplicateGroupBatch final : public QWidget {
    Q_OBJECT

public:
    static constexpr std::size_t capacity = 64;

    DuplicateGroupBatch(int spacing, DuplicateGroupPanel::Actions actions,
                        QWidget* parent = nullptr);

    bool holds(const std::string& digest) const { return panels_.find(digest) != nullptr; }
    // Shows exactly `groups`, keeping the panels of those it held; `updateHeld` also brings
    // those up to date.
    void setGroups(std::span<const DuplicateGroup> groups, bool keepEnabled, bool updateHeld);

private:
    DuplicateGroupPanel::Actions actions_;
    KeyedRows<std::string, DuplicateGroupPanel> panels_;
};

} // namespace tollenvane
