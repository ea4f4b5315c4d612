#pragma once

#include "app/design/Panel.h"
#include "core/duplicates/DuplicateGroup.h"

#include <functional>
#include <string>

namespace tollenvane {

class ElidedLabel;
class VirtualList;

// One group of identical files: how many copies and what they hold in excess, then one row per
// copy, built only for the copies in sight. The page hands a panel from group to group as it
// scrolls.
class DuplicateGroupPanel final : public Panel {
    Q_OBJECT

public:
    struct Actions {
        // The path of the file to preview.
        std::function<void(const std::string&)> preview;
        // The group's digest and the path of the copy to keep.
        std::function<void(const std::string&, const std::string&)> keep;
    };

    explicit DuplicateGroupPanel(Actions actions, QWidget* parent = nullptr);

    // The panel shows `group`, which stays alive and unchanged until the next call.
    void setGroup(const DuplicateGroup& group, bool keepEnabled);
    // How tall a panel of `files` copies is: every row is as tall as the others.
    int heightFor(std::size_t files) const;

private:
    const DuplicateGroup* group_ = nullptr;
    bool keepEnabled_ = true;
    Actions actions_;
    // Holds the header and the rows under the header's name.
    QWidget* heard_;
    QWidget* header_;
    ElidedLabel* copies_;
    ElidedLabel* reclaimable_;
    VirtualList* rows_;
    int rowHeight_;
};

} // namespace tollenvane
