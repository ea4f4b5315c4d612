#include "app/screens/duplicates/DuplicateGroupBatch.h"

#include <QVBoxLayout>

namespace tollenvane {

DuplicateGroupBatch::DuplicateGroupBatch(int spacing, DuplicateGroupPanel::Actions actions,
                                         QWidget* parent)
    : QWidget(parent)
    , actions_(std::move(actions))
    , panels_(*new QVBoxLayout(this))
{
    setObjectName(QStringLiteral("groupBatch"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout()->setContentsMargins(0, 0, 0, 0);
    layout()->setSpacing(spacing);
    // Grows as soon as a panel is added, before the list around it is laid out again: until
    // then the list would squeeze every other panel to make room.
    layout()->setSizeConstraint(QLayout::SetMinimumSize);
}

void DuplicateGroupBatch::setGroups(std::span<const DuplicateGroup> groups, bool keepEnabled,
                                    bool updateHeld)
{
    bool made = false;
    panels_.sync(
        groups, [](const DuplicateGroup& group) { return group.digest; },
        [&](const DuplicateGroup& group) {
            made = true;
            return new DuplicateGroupPanel(group, keepEnabled, actions_, this);
        },
        [&](DuplicateGroupPanel& panel, const DuplicateGroup& group) {
            // A panel just made is up to date.
            if (updateHeld && !made) {
                panel.setGroup(group, keepEnabled);
            }
            made = false;
        });
}

} // namespace tollenvane
