#include "app/kit/ListKeyboard.h"

#include "app/kit/ButtonArrows.h"
#include "app/kit/FocusHandOff.h"
#include "app/kit/RowStops.h"
#include "app/kit/ScrollToShow.h"
#include "app/kit/VirtualList.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollArea>
#include <algorithm>

namespace tollenvane {

int pageStride(int view, int row)
{
    return std::max(view - row, row);
}

ListKeyboard::ListKeyboard(VirtualList& top)
    : top_(top)
{}

void ListKeyboard::focusCame(QWidget& focus, Qt::FocusReason reason)
{
    const std::optional<Spot> spot = spotOf(focus);
    if (!spot) {
        return;
    }
    // The row that holds the focus is the current one of its list, and so is each row on the way
    // out to the outermost list.
    bool changed = false;
    for (Spot at = *spot;;) {
        changed = at.list->makeCurrent(at.index) || changed;
        const std::optional<Spot> outer = outerSpot(*at.list);
        if (!outer) {
            break;
        }
        at = *outer;
    }
    if (changed) {
        top_.chainCurrent();
    }
    spot->list->updateRing();
    auto* area =
        top_.view() == nullptr ? nullptr : qobject_cast<QScrollArea*>(top_.view()->parentWidget());
    if (reason != Qt::MouseFocusReason && !top_.changing() && area != nullptr &&
        top_.view()->isAncestorOf(&top_)) {
        // The whole row where it fits, so that what the row says of the control shows with it.
        QWidget* row = spot->list->rowAt(spot->index);
        scrollToShow(*area,
                     row != nullptr && row->height() <= area->viewport()->height() ? *row : focus);
    }
}

std::optional<ListKeyboard::Spot> ListKeyboard::spotOf(const QWidget& widget) const
{
    for (const QWidget* at = &widget; at != nullptr && at != &top_; at = at->parentWidget()) {
        if (auto* list = qobject_cast<VirtualList*>(at->parentWidget())) {
            if (const std::optional<std::size_t> index = list->indexOf(*at)) {
                return Spot{list, *index};
            }
        }
    }
    return std::nullopt;
}

bool ListKeyboard::keyPressed(QWidget& focus, const QKeyEvent& key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || usesNavigationKeys(focus)) {
        return false;
    }
    const std::optional<Spot> spot = spotOf(focus);
    if (!spot) {
        return false;
    }
    const std::vector<QWidget*> stops = rowStops(*spot->list->rowAt(spot->index));
    const std::ptrdiff_t position = std::find(stops.begin(), stops.end(), &focus) - stops.begin();
    const std::size_t count = top_.count();
    std::optional<Spot> target;
    switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int direction = key.key() == Qt::Key_Up ? -1 : 1;
        target = landingOneWay(step(*spot, direction), direction, spot);
        break;
    }
    case Qt::Key_Home:
        target = landing(descend(top_, 0, true), 1, spot);
        break;
    case Qt::Key_End:
        target = count > 0 ? landing(descend(top_, count - 1, false), -1, spot) : std::nullopt;
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int direction = key.key() == Qt::Key_PageUp ? -1 : 1;
        const int row = spot->list->rowAt(spot->index)->height();
        const int view = top_.view() == nullptr ? row : top_.view()->height();
        target = spotAt(top_, fullTopOf(*spot) + direction * pageStride(view, row), direction > 0);
        if (target == spot) {
            target = step(*spot, direction);
        }
        target = landing(target, direction, spot);
        break;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        // Along the row, where a button would pass the focus on along the window's chain, out
        // of the list.
        alongRow(stops, position, stepAlong(key.key(), focus.layoutDirection()));
        return true;
    default:
        return false;
    }
    if (target && target != spot) {
        focusSpot(*target, position, Qt::TabFocusReason);
    }
    return true;
}

std::optional<ListKeyboard::Spot> ListKeyboard::step(Spot from, int direction)
{
    direction = direction < 0 ? -1 : 1;
    for (Spot at = from;;) {
        const auto next = static_cast<std::ptrdiff_t>(at.index) + direction;
        if (next >= 0 && next < static_cast<std::ptrdiff_t>(at.list->count())) {
            at.index = static_cast<std::size_t>(next);
            if (const std::optional<Spot> leaf = descend(*at.list, at.index, direction > 0)) {
                return leaf;
            }
            // An outer row with nothing in it is passed over.
            continue;
        }
        const std::optional<Spot> outer = outerSpot(*at.list);
        if (!outer) {
            return std::nullopt;
        }
        at = *outer;
    }
}

std::optional<ListKeyboard::Spot> ListKeyboard::descend(VirtualList& list, std::size_t index,
                                                        bool first)
{
    QWidget* row = list.build(index);
    if (row == nullptr) {
        return std::nullopt;
    }
    std::vector<VirtualList*> inner = list.innerLists(*row);
    if (inner.empty()) {
        return Spot{&list, index};
    }
    if (!first) {
        std::reverse(inner.begin(), inner.end());
    }
    for (VirtualList* each : inner) {
        if (each->count() > 0) {
            return descend(*each, first ? 0 : each->count() - 1, first);
        }
    }
    return std::nullopt;
}

std::optional<ListKeyboard::Spot> ListKeyboard::spotAt(VirtualList& list, std::int64_t top,
                                                       bool down)
{
    const std::size_t started = list.stack().startedBy(top);
    if (started == 0) {
        return down || list.count() == 0 ? std::nullopt : descend(list, 0, true);
    }
    const std::size_t index = started - 1;
    QWidget* row = list.build(index);
    if (row == nullptr) {
        return std::nullopt;
    }
    std::vector<VirtualList*> inner = list.innerLists(*row);
    if (inner.empty() && (down || list.stack().fullTopOf(index) == top)) {
        return Spot{&list, index};
    }
    const std::int64_t within = top - list.stack().fullTopOf(index);
    if (down) {
        std::reverse(inner.begin(), inner.end());
    }
    for (VirtualList* each : inner) {
        if (const std::optional<Spot> spot =
                spotAt(*each, within - each->mapTo(row, QPoint()).y(), down)) {
            return spot;
        }
    }
    // Nothing under the row starts on the right side of `top`: the nearest row beyond it.
    if (down) {
        return index > 0 ? descend(list, index - 1, false) : std::nullopt;
    }
    return index + 1 < list.count() ? descend(list, index + 1, true) : std::nullopt;
}

std::int64_t ListKeyboard::fullTopOf(const Spot& spot) const
{
    std::int64_t top = spot.list->stack().fullTopOf(spot.index);
    for (const VirtualList* list = spot.list;;) {
        const std::optional<Spot> outer = outerSpot(*list);
        if (!outer) {
            return top;
        }
        top += list->mapTo(list->outerRow(), QPoint()).y() +
               outer->list->stack().fullTopOf(outer->index);
        list = outer->list;
    }
}

std::optional<ListKeyboard::Spot> ListKeyboard::outerSpot(const VirtualList& list) const
{
    VirtualList* outer = &list == &top_ ? nullptr : list.outerList();
    const std::optional<std::size_t> index =
        outer == nullptr ? std::nullopt : outer->indexOf(*list.outerRow());
    return index ? std::optional<Spot>(Spot{outer, *index}) : std::nullopt;
}

std::optional<ListKeyboard::Spot> ListKeyboard::landing(std::optional<Spot> from, int direction,
                                                        std::optional<Spot> passing)
{
    if (const std::optional<Spot> found = landingOneWay(from, direction, passing)) {
        return found;
    }
    return from ? landingOneWay(step(*from, -direction), -direction, passing) : std::nullopt;
}

std::optional<ListKeyboard::Spot>
ListKeyboard::landingOneWay(std::optional<Spot> from, int direction, std::optional<Spot> passing)
{
    for (std::optional<Spot> at = from; at && at != passing; at = step(*at, direction)) {
        if (takesFocus(*at)) {
            return at;
        }
    }
    return std::nullopt;
}

bool ListKeyboard::takesFocus(const Spot& spot)
{
    QWidget* row = spot.list->build(spot.index);
    return row != nullptr && rowTakesFocus(*row);
}

bool ListKeyboard::rowTakesFocus(QWidget& row) const
{
    const std::vector<QWidget*> stops = rowStops(row);
    return std::any_of(stops.begin(), stops.end(),
                       [&](const QWidget* stop) { return canFocus(*stop); });
}

bool ListKeyboard::canFocus(const QWidget& stop) const
{
    return stop.isVisibleTo(top_.window()) && stop.isEnabled();
}

void ListKeyboard::alongRow(const std::vector<QWidget*>& stops, std::ptrdiff_t position,
                            int direction) const
{
    const auto size = static_cast<std::ptrdiff_t>(stops.size());
    for (std::ptrdiff_t at = position + direction; at >= 0 && at < size; at += direction) {
        QWidget& stop = *stops[static_cast<std::size_t>(at)];
        if (canFocus(stop)) {
            stop.setFocus(direction < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            return;
        }
    }
}

std::optional<ListKeyboard::Spot> ListKeyboard::currentLeaf() const
{
    if (!top_.currentIndex()) {
        return std::nullopt;
    }
    for (Spot at{&top_, *top_.currentIndex()};;) {
        QWidget* row = at.list->rowAt(at.index);
        if (row == nullptr) {
            return std::nullopt;
        }
        const std::vector<VirtualList*> inner = at.list->innerLists(*row);
        const auto holding = std::find_if(inner.begin(), inner.end(), [](const VirtualList* list) {
            return list->currentOrFirst().has_value();
        });
        if (holding == inner.end()) {
            return inner.empty() ? std::optional<Spot>(at) : std::nullopt;
        }
        at = {*holding, *(*holding)->currentOrFirst()};
    }
}

std::pair<QWidget*, QWidget*> ListKeyboard::waysIn() const
{
    // Asked while the rows are placed: it builds none.
    if (top_.currentIndex()) {
        const std::optional<Spot> leaf = currentLeaf();
        QWidget* row = leaf ? leaf->list->rowAt(leaf->index) : nullptr;
        row = row != nullptr && rowTakesFocus(*row) ? row : nullptr;
        return {row, row};
    }
    return {endRow(true), endRow(false)};
}

QWidget* ListKeyboard::endRow(bool first) const
{
    for (const VirtualList* list = &top_; list->count() > 0;) {
        QWidget* row = list->rowAt(first ? 0 : list->count() - 1);
        if (row == nullptr) {
            return nullptr;
        }
        std::vector<VirtualList*> inner = list->innerLists(*row);
        if (inner.empty()) {
            return rowTakesFocus(*row) ? row : nullptr;
        }
        if (!first) {
            std::reverse(inner.begin(), inner.end());
        }
        const auto filled = std::find_if(inner.begin(), inner.end(),
                                         [](const VirtualList* each) { return each->count() > 0; });
        if (filled == inner.end()) {
            return nullptr;
        }
        list = *filled;
    }
    return nullptr;
}

bool ListKeyboard::focusSpot(const Spot& spot, std::ptrdiff_t position, Qt::FocusReason reason)
{
    QWidget* stop = stopNear(spot, position);
    if (stop != nullptr) {
        stop->setFocus(reason);
    }
    return stop != nullptr;
}

QWidget* ListKeyboard::stopNear(const Spot& spot, std::ptrdiff_t position)
{
    QWidget* row = spot.list->build(spot.index);
    if (row == nullptr) {
        return nullptr;
    }
    const std::vector<QWidget*> stops = rowStops(*row);
    const auto size = static_cast<std::ptrdiff_t>(stops.size());
    if (size == 0) {
        return nullptr;
    }
    position = position < 0 ? size - 1 : std::min(position, size - 1);
    // The same control, else the nearest one that takes the focus.
    for (std::ptrdiff_t distance = 0; distance < size; ++distance) {
        for (const std::ptrdiff_t at : {position - distance, position + distance}) {
            QWidget* candidate =
                at >= 0 && at < size ? stops[static_cast<std::size_t>(at)] : nullptr;
            if (candidate != nullptr && canFocus(*candidate)) {
                return candidate;
            }
        }
    }
    return nullptr;
}

void ListKeyboard::enter(Qt::FocusReason reason)
{
    const std::size_t count = top_.count();
    if (count == 0) {
        handOn(*top_.window(), reason != Qt::BacktabFocusReason, reason);
        return;
    }
    // From the current row, else from the end Tab comes from.
    const bool forward = reason != Qt::BacktabFocusReason;
    std::optional<Spot> from = currentLeaf();
    if (!from) {
        from = forward ? descend(top_, 0, true) : descend(top_, count - 1, false);
    }
    const std::optional<Spot> spot = landing(from, forward ? 1 : -1);
    if (!spot || !focusSpot(*spot, forward ? 0 : -1, reason)) {
        // Nothing in the list takes the focus: the anchor, which shows nothing and has no name,
        // passes it on as Tab would have.
        handOn(*top_.window(), forward, reason);
    }
}

void ListKeyboard::focusRow(QWidget& row) const
{
    // The row itself, not its item: while the list changes its rows may not stand where their
    // items do yet.
    const std::vector<QWidget*> stops = rowStops(row);
    const auto first = std::find_if(stops.begin(), stops.end(),
                                    [this](const QWidget* stop) { return canFocus(*stop); });
    if (first != stops.end()) {
        (*first)->setFocus(Qt::OtherFocusReason);
    }
}

QWidget* ListKeyboard::nearestStop(VirtualList& list, std::size_t index, std::ptrdiff_t position)
{
    return stopNear(Spot{&list, index}, position);
}

void ListKeyboard::refocus(VirtualList& list, std::ptrdiff_t position)
{
    // The focus went with its row, or a control of the list that went keeps it.
    const QWidget* focus = QApplication::focusWidget();
    const bool kept = focus != nullptr && list.isAncestorOf(focus) &&
                      (!focus->isVisible() || !focus->isEnabled());
    if ((focus != nullptr && !kept) || !list.isVisible()) {
        return;
    }
    if (const std::optional<Spot> spot = successor(list)) {
        focusSpot(*spot, position, Qt::OtherFocusReason);
        return;
    }
    if (top_.view() != nullptr) {
        handOn(*top_.view(), true, Qt::OtherFocusReason);
    }
}

std::optional<ListKeyboard::Spot> ListKeyboard::successor(VirtualList& list)
{
    if (list.currentIndex()) {
        if (const std::optional<Spot> spot = landing(Spot{&list, *list.currentIndex()}, 1)) {
            return spot;
        }
    }
    // An inner list emptied while its outer row stays: the items after that row, else before it.
    const std::optional<Spot> row = outerSpot(list);
    if (!row) {
        return std::nullopt;
    }
    if (const std::optional<Spot> after = landingOneWay(step(*row, 1), 1, std::nullopt)) {
        return after;
    }
    return landingOneWay(step(*row, -1), -1, std::nullopt);
}

void ListKeyboard::handOn(QWidget& root, bool forward, Qt::FocusReason reason)
{
    // Past the whole list, the lists in its rows with it: an inner list's neighbours are rows of
    // the same list, and its anchor would pass the focus on again.
    if (QWidget* next = stopBeside(root, top_, forward)) {
        next->setFocus(reason);
    }
}

} // namespace tollenvane
