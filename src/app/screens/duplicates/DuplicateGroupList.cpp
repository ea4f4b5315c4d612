#include "app/screens/duplicates/DuplicateGroupList.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QScrollArea>
#include <algorithm>

namespace tollenvane {

DuplicateGroupList::DuplicateGroupList(QScrollArea& page, QWidget& before, int spacing,
                                       DuplicateGroupPanel::Actions actions, QWidget* parent)
    : QWidget(parent)
    , page_(page)
    , viewport_(page.viewport())
    , content_(page.widget())
    , before_(before)
    , spacing_(spacing)
    , actions_(std::move(actions))
{
    setObjectName(QStringLiteral("groupList"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The page's content moves as it scrolls; its viewport resizes with the window.
    page.viewport()->installEventFilter(this);
    page.widget()->installEventFilter(this);
}

void DuplicateGroupList::setGroups(const std::vector<DuplicateGroup>& groups, bool keepEnabled)
{
    groups_ = &groups;
    keepEnabled_ = keepEnabled;
    measure();
    std::vector<int> heights;
    heights.reserve(groups.size());
    for (std::size_t index = 0; index < groups.size(); ++index) {
        heights.push_back(heightOf(index));
    }
    stack_ = DuplicateGroupStack(heights, spacing_, QWIDGETSIZE_MAX);
    setFixedHeight(stack_.height());
    // A panel keeps its group, brought up to date, while that group stays where it was.
    std::erase_if(placed_, [&](const Placed& placed) {
        if (placed.index < groups.size() && groups[placed.index].digest == placed.panel->digest()) {
            placed.panel->setGroup(groups[placed.index], keepEnabled);
            return false;
        }
        placed.panel->hide();
        spare_.push_back(placed.panel);
        return true;
    });
    place();
}

void DuplicateGroupList::measure()
{
    if (rowHeight_ > 0) {
        return;
    }
    DuplicateGroupPanel* panel = takePanel();
    baseHeight_ = panel->heightFor(0);
    rowHeight_ = panel->heightFor(1) - baseHeight_;
    spare_.push_back(panel);
}

int DuplicateGroupList::heightOf(std::size_t index) const
{
    return baseHeight_ + static_cast<int>((*groups_)[index].files.size()) * rowHeight_;
}

bool DuplicateGroupList::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == viewport_ && event->type() == QEvent::Resize) ||
        (watched == content_ && event->type() == QEvent::Move)) {
        place();
    }
    // A button takes Up and Down for Tab; Return presses it as everywhere in the application.
    auto* button = qobject_cast<QAbstractButton*>(watched);
    if (event->type() == QEvent::KeyPress && button != nullptr && isAncestorOf(button)) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
            moveFocus(-1);
            return true;
        case Qt::Key_Down:
            moveFocus(1);
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DuplicateGroupList::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    place();
}

void DuplicateGroupList::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
}

std::optional<std::size_t> DuplicateGroupList::focusedGroup() const
{
    const QWidget* focus = QApplication::focusWidget();
    for (const Placed& placed : placed_) {
        if (focus != nullptr && placed.panel->isAncestorOf(focus)) {
            return placed.index;
        }
    }
    return std::nullopt;
}

DuplicateGroupPanel* DuplicateGroupList::takePanel()
{
    if (spare_.empty()) {
        return new DuplicateGroupPanel(actions_, this);
    }
    DuplicateGroupPanel* panel = spare_.back();
    spare_.pop_back();
    return panel;
}

void DuplicateGroupList::place()
{
    if (groups_ == nullptr || !page_.viewport()->isAncestorOf(this)) {
        return;
    }
    const DuplicateGroupStack::InSight sight =
        stack_.inSight(mapFrom(page_.viewport(), QPoint(0, 0)).y(), page_.viewport()->height());
    assign(groupsToPlace(sight));
    arrange(sight);
}

std::vector<std::size_t>
DuplicateGroupList::groupsToPlace(const DuplicateGroupStack::InSight& sight) const
{
    const std::size_t count = std::min(stack_.size(), groups_->size());
    const std::size_t first = sight.first > 0 ? sight.first - 1 : 0;
    const std::size_t end = std::min(sight.end + 1, count);
    const std::optional<std::size_t> focused = focusedGroup();
    std::vector<std::size_t> indices;
    if (focused && *focused < first) {
        indices.push_back(*focused);
    }
    for (std::size_t index = first; index < end; ++index) {
        indices.push_back(index);
    }
    if (focused && *focused >= end && *focused < count) {
        indices.push_back(*focused);
    }
    return indices;
}

void DuplicateGroupList::assign(const std::vector<std::size_t>& indices)
{
    std::vector<Placed> held;
    for (const Placed& placed : placed_) {
        if (std::binary_search(indices.begin(), indices.end(), placed.index)) {
            held.push_back(placed);
        } else {
            placed.panel->hide();
            spare_.push_back(placed.panel);
        }
    }
    placed_.clear();
    for (const std::size_t index : indices) {
        const auto kept = std::find_if(held.begin(), held.end(),
                                       [index](const Placed& each) { return each.index == index; });
        DuplicateGroupPanel* panel = kept != held.end() ? kept->panel : takePanel();
        if (kept == held.end()) {
            panel->setGroup((*groups_)[index], keepEnabled_);
        }
        placed_.push_back({index, panel});
    }
}

void DuplicateGroupList::arrange(const DuplicateGroupStack::InSight& sight)
{
    // The panels stand among the list's children in the order of their groups, the order in
    // which a walk of the page's controls meets them.
    std::vector<DuplicateGroupPanel*> order;
    for (const Placed& placed : placed_) {
        order.push_back(placed.panel);
    }
    if (order != raised_) {
        for (DuplicateGroupPanel* panel : order) {
            panel->raise();
        }
        raised_ = std::move(order);
    }
    QWidget* previous = &before_;
    for (const Placed& placed : placed_) {
        const std::int64_t top = std::clamp<std::int64_t>(stack_.topOf(placed.index, sight),
                                                          -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        placed.panel->setGeometry(0, static_cast<int>(top), width(), heightOf(placed.index));
        placed.panel->show();
        for (QAbstractButton* control : placed.panel->controls()) {
            control->installEventFilter(this);
            QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
}

void DuplicateGroupList::moveFocus(int rows)
{
    QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || !isAncestorOf(focus)) {
        return;
    }
    // The focus may have scrolled out of sight: its neighbours come with it.
    page_.ensureWidgetVisible(focus);
    QList<QAbstractButton*> controls;
    for (const Placed& placed : placed_) {
        controls.append(placed.panel->controls());
    }
    const qsizetype target =
        controls.indexOf(focus) + rows * static_cast<qsizetype>(DuplicateFileRow::controlCount);
    if (controls.contains(focus) && target >= 0 && target < controls.size()) {
        controls[target]->setFocus(Qt::TabFocusReason);
        page_.ensureWidgetVisible(controls[target]);
    }
}

} // namespace tollenvane
