#pragma once

#include "app/design/Panel.h"
#include "app/kit/KeyedRows.h"
#include "app/screens/duplicates/DuplicateFileRow.h"
#include "core/duplicates/DuplicateGroup.h"

#include <functional>
#include <string>

namespace tollenvane {

class ElidedLabel;

// One group of identical files: how many copies and what they hold in excess, then one row per
// copy, kept by path as the group changes.
class DuplicateGroupPanel final : public Panel {
    Q_OBJECT

public:
    struct Actions {
        // The path of the file to preview.
        std::function<void(const std::string&)> preview;
        // The group's digest and the path of the copy to keep.
        std::function<void(const std::string&, const std::string&)> keep;
    };

    DuplicateGroupPanel(const DuplicateGroup& group, bool keepEnabled, Actions actions,
                        QWidget* parent = nullptr);

    void setGroup(const DuplicateGroup& group, bool keepEnabled);

private:
    std::string digest_;
    Actions actions_;
    ElidedLabel* copies_;
    ElidedLabel* reclaimable_;
    KeyedRows<std::string, DuplicateFileRow> rows_;
};

} // namespace tollenvane
