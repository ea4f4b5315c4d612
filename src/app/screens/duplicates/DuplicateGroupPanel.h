#pragma once

#include "app/design/Panel.h"
#include "app/screens/duplicates/DuplicateFileRow.h"
#include "core/duplicates/DuplicateGroup.h"

#include <QList>
#include <functional>
#include <string>
#include <vector>

class QAbstractButton;

namespace tollenvane {

class ElidedLabel;

// One group of identical files: how many copies and what they hold in excess, then one row per
// copy. The list hands a panel from group to group as it scrolls.
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

    const std::string& digest() const { return digest_; }
    // The panel shows `group` from now on.
    void setGroup(const DuplicateGroup& group, bool keepEnabled);
    // How tall a panel of `files` copies is: every row is as tall as the others.
    int heightFor(std::size_t files) const;
    // What acts, row by row, in the order Tab visits it.
    QList<QAbstractButton*> controls() const;

private:
    void addRow();

    std::string digest_;
    Actions actions_;
    QWidget* header_;
    ElidedLabel* copies_;
    ElidedLabel* reclaimable_;
    std::vector<DuplicateFileRow*> rows_;
};

} // namespace tollenvane
