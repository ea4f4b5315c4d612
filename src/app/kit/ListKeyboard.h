#pragma once

#include <Qt>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class QKeyEvent;
class QWidget;

namespace tollenvane {

class VirtualList;

// How far Page Up and Page Down go from a row `row` tall in a view `view` tall: a view less the
// row, so that the rows seen stay in sight, and at least the row itself.
int pageStride(int view, int row);

// The keyboard and the focus of a list and of the lists inside its rows, kept by the outermost
// list.
//
// One row is current: the one that last held the focus. Tab enters the list on the current row,
// the first row before any held the focus (Shift+Tab: the last row). Up and Down go to the row
// above or below (in a list of lists, from the last inner row of an outer row on to the first of
// the next), Page Up and Page Down a view further, Home and End to the first and the last item,
// the focus staying on the same control of the row, else the nearest one; Left and Right go along
// the row's controls, never out of the row (Left going on in a right-to-left layout). A row where
// no control can take the focus takes it itself, so that every row is reached by the keys that
// name it; a row becomes current only once the focus has landed in it. A control of a row that
// hides or is disabled with the focus leaves it in the row. An inner list that empties under the
// focus hands it to the items of the next outer row, else of the previous one; the outermost
// list, to the page's next control after the list, else the one before it. Tab comes in on the
// row's control itself, so that a screen reader hears nothing else; only while that row is not
// built does it pass through one of the list's anchors, which never keeps the focus.
class ListKeyboard {
public:
    explicit ListKeyboard(VirtualList& top);

    // The focus came to a control of a row: that row and the rows around it become current.
    void focusCame(QWidget& focus, Qt::FocusReason reason);
    // Handles a key pressed on `focus`; false for a key it leaves to the control.
    bool keyPressed(QWidget& focus, const QKeyEvent& key);
    // The focus came to the list's anchor.
    void enter(Qt::FocusReason reason);
    // The row of `list` that held the focus went, at stop `position`: the focus goes back to the
    // current row, else to the nearest row that takes it, else out of the list.
    void refocus(VirtualList& list, std::ptrdiff_t position);
    // The rows whose controls Tab and Shift+Tab reach from outside the list: the current one,
    // else the first and the last; none for a row not built or that cannot take the focus.
    std::pair<QWidget*, QWidget*> waysIn() const;
    // Focuses the first control of `row` that takes the focus.
    void focusRow(QWidget& row) const;
    // The control of item `index` of `list` at `position` among its stops, else the nearest one
    // that takes the focus; none when none does.
    QWidget* nearestStop(VirtualList& list, std::size_t index, std::ptrdiff_t position);

private:
    // An item of a list, the outermost list or one inside its rows.
    struct Spot {
        VirtualList* list;
        std::size_t index;
        bool operator==(const Spot&) const = default;
    };

    std::optional<Spot> spotOf(const QWidget& widget) const;
    // The innermost item after `from` (before it when `direction` is negative), across the rows
    // of the lists around it.
    std::optional<Spot> step(Spot from, int direction);
    // The first or last innermost item under item `index` of `list`.
    std::optional<Spot> descend(VirtualList& list, std::size_t index, bool first);
    // The last innermost item that starts by `top` of the list's full stack, going down; the
    // first that starts from it, going up.
    std::optional<Spot> spotAt(VirtualList& list, std::int64_t top, bool down);
    // The item of the list around `list` whose row holds it; none for the outermost list.
    std::optional<Spot> outerSpot(const VirtualList& list) const;
    // Where a spot stands in the outermost list's full stack.
    std::int64_t fullTopOf(const Spot& spot) const;
    // `from` if the focus can land in its row, else the nearest such item beyond it in
    // `direction`, then back the other way; never `passing`, where the walk started.
    std::optional<Spot> landing(std::optional<Spot> from, int direction,
                                std::optional<Spot> passing = std::nullopt);
    std::optional<Spot> landingOneWay(std::optional<Spot> from, int direction,
                                      std::optional<Spot> passing);
    bool takesFocus(const Spot& spot);
    bool rowTakesFocus(QWidget& row) const;
    // Whether a control of a row can take the focus now: shown and enabled.
    bool canFocus(const QWidget& stop) const;
    // Focuses the nearest stop of a row that can take it from `position` on in `direction`;
    // nothing past the row's ends.
    void alongRow(const std::vector<QWidget*>& stops, std::ptrdiff_t position, int direction) const;
    // The innermost first or last row of the list; none when it is not built or cannot take the
    // focus.
    QWidget* endRow(bool first) const;
    // The innermost current item; none before any row held the focus.
    std::optional<Spot> currentLeaf() const;
    // Focuses stopNear(spot, position); false when there is none.
    bool focusSpot(const Spot& spot, std::ptrdiff_t position, Qt::FocusReason reason);
    // The stop at `position` of the spot's row (the last one when negative), else the nearest one
    // that takes the focus; none when none does.
    QWidget* stopNear(const Spot& spot, std::ptrdiff_t position);
    // Where the focus goes when the row of `list` that held it went: the list's current row, else
    // the nearest row around the list that takes it.
    std::optional<Spot> successor(VirtualList& list);
    // The next control of `root` after the list takes the focus, else the one before it;
    // backwards, the one before, else the one after.
    void handOn(QWidget& root, bool forward, Qt::FocusReason reason);

    VirtualList& top_;
};

} // namespace tollenvane
