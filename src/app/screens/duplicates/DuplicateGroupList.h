#pragma once

#include "app/screens/duplicates/DuplicateGroupPanel.h"
#include "app/screens/duplicates/DuplicateGroupStack.h"
#include "core/duplicates/DuplicateGroup.h"

#include <QWidget>
#include <optional>
#include <vector>

class QScrollArea;

namespace tollenvane {

// The groups of the page, one panel under the other, of which only those in sight have a panel:
// with the group on either side, where Tab and the arrows go next, and the one that holds the
// focus. Panels are handed from group to group as the page scrolls, so a few dozen widgets serve
// any number of groups. Up and Down move between rows, Return acts as Space does.
class DuplicateGroupList final : public QWidget {
    Q_OBJECT

public:
    // `page` scrolls the list; `before` is the control Tab visits just before the list's first.
    DuplicateGroupList(QScrollArea& page, QWidget& before, int spacing,
                       DuplicateGroupPanel::Actions actions, QWidget* parent = nullptr);

    // Shows `groups`, which stay alive and unchanged until the next call.
    void setGroups(const std::vector<DuplicateGroup>& groups, bool keepEnabled);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Placed {
        std::size_t index;
        DuplicateGroupPanel* panel;
    };

    void measure();
    int heightOf(std::size_t index) const;
    // Gives the groups in sight their panel, where they stand, and Tab their order.
    void place();
    // The groups in sight with one on either side, and the one that holds the focus, in order.
    std::vector<std::size_t> groupsToPlace(const DuplicateGroupStack::InSight& sight) const;
    // Panels keep the groups they held that stay; the others take spare ones.
    void assign(const std::vector<std::size_t>& indices);
    void arrange(const DuplicateGroupStack::InSight& sight);
    std::optional<std::size_t> focusedGroup() const;
    DuplicateGroupPanel* takePanel();
    // Moves the focus `rows` rows down (up when negative), onto the same control.
    void moveFocus(int rows);

    QScrollArea& page_;
    // What the list watches, kept aside: their events still come while the page is destroyed,
    // when it can no longer be asked for them.
    const QObject* const viewport_;
    const QObject* const content_;
    QWidget& before_;
    int spacing_;
    DuplicateGroupPanel::Actions actions_;
    const std::vector<DuplicateGroup>* groups_ = nullptr;
    bool keepEnabled_ = true;
    DuplicateGroupStack stack_;
    // The panel height of a group of n files is base + n × row.
    int baseHeight_ = 0;
    int rowHeight_ = 0;
    std::vector<Placed> placed_;
    std::vector<DuplicateGroupPanel*> spare_;
    // The placed panels in the order last given to the list's children.
    std::vector<DuplicateGroupPanel*> raised_;
};

} // namespace tollenvane
