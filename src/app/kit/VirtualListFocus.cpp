#include "app/kit/ListKeyboard.h"
#include "app/kit/RowFocusRing.h"
#include "app/kit/RowStops.h"
#include "app/kit/VirtualList.h"

#include <QAccessible>
#include <QApplication>
#include <QTimer>
#include <algorithm>

namespace tollenvane {

// The focus in a list: where Tab comes in and goes on, and where it stays when a control goes.

bool VirtualList::focusNextPrevChild(bool next)
{
    // A control of a row that went keeps the focus until the list hands it on in its row.
    const QWidget* focus = QApplication::focusWidget();
    const std::optional<std::size_t> index = focusedIndex();
    const QWidget* row = index ? rowAt(*index) : nullptr;
    if (row != nullptr && row != focus && row->isVisible() &&
        listAround(*focus->parentWidget()) == this && handOff_.keeps()) {
        handOff_.handOn();
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

// In the control's row, on the nearest control that stays open, else on the row itself. The row
// that shows its item anew has it back once it has.
QWidget* VirtualList::focusHome(QWidget& gone)
{
    const std::optional<std::size_t> index = focusedIndex();
    QWidget* row = index ? rowAt(*index) : nullptr;
    if (row == nullptr || row == &gone || !row->isVisible()) {
        return nullptr;
    }
    const std::vector<QWidget*> stops = rowStops(*row);
    const std::ptrdiff_t position = std::find(stops.begin(), stops.end(), &gone) - stops.begin();
    if (presenting_ && changing_ > 0) {
        refocus_ = position;
        return nullptr;
    }
    if (QWidget* stop = keys().nearestStop(*this, *index, position)) {
        return stop;
    }
    standIn(*row, *index);
    return row;
}

// The anchor hands the focus on while Qt is still giving it the focus: Qt then tells assistive
// technology of the anchor, after the control that took the focus, and a screen reader would
// stay on a thing with no name. It is told again of the control, once Qt is done.
void VirtualList::retellFocus()
{
    if (QApplication::focusWidget() == anchor_ || QApplication::focusWidget() == endAnchor_) {
        return;
    }
    QTimer::singleShot(0, this, [] {
        if (QWidget* focus = QApplication::focusWidget()) {
            QAccessibleEvent told(focus, QAccessible::Focus);
            QAccessible::updateAccessibility(&told);
        }
    });
}

void VirtualList::chainTabs()
{
    // In the order of the rows, those of the lists inside them included.
    QWidget* previous = anchor_;
    const auto chain = [&](const auto& self, const VirtualList& list) -> void {
        for (QWidget* row : list.ordered_) {
            const std::vector<VirtualList*> inner = list.innerLists(*row);
            for (const VirtualList* each : inner) {
                self(self, *each);
            }
            if (!inner.empty()) {
                continue;
            }
            for (QWidget* stop : rowStops(*row)) {
                QWidget::setTabOrder(previous, stop);
                previous = stop;
            }
        }
    };
    chain(chain, *this);
    QWidget::setTabOrder(previous, endAnchor_);
}

void VirtualList::chainCurrent()
{
    if (changing_ > 0) {
        chainLater_ = true;
        return;
    }
    if (VirtualList& top = outermost(); &top != this) {
        top.chainCurrent();
        return;
    }
    const auto [first, last] = keys().waysIn();
    chainRows({first, last});
    // Tab passes over a list whose ways in are not built or cannot take the focus: an anchor then
    // takes it into the list, the one before the rows for Tab, the one after them for Shift+Tab.
    // Closed, an anchor keeps a policy all the same, without which Qt would not order the rows
    // around it.
    const auto open = [this](const QWidget* way) {
        return way == nullptr && count() > 0 ? Qt::TabFocus : Qt::ClickFocus;
    };
    anchor_->setFocusPolicy(open(first));
    endAnchor_->setFocusPolicy(open(last));
}

void VirtualList::chainRows(const std::vector<QWidget*>& chained)
{
    for (const Placed& placed : placed_) {
        const std::vector<VirtualList*> inner = innerLists(*placed.row);
        if (inner.empty()) {
            chainRowStops(*placed.row,
                          std::find(chained.begin(), chained.end(), placed.row) != chained.end());
        }
        for (VirtualList* list : inner) {
            list->chainRows(chained);
        }
    }
}

void VirtualList::updateRing()
{
    if (ring_ == nullptr) {
        return;
    }
    QWidget* focus = QApplication::focusWidget();
    const auto row = std::find_if(placed_.begin(), placed_.end(),
                                  [&](const Placed& placed) { return placed.row == focus; });
    ring_->follow(row == placed_.end() ? nullptr : row->row);
}

} // namespace tollenvane
