#pragma once

#include "app/kit/RowStack.h"

#include <QPointer>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

// A list of any length, one row under the other, of which only the rows in sight are built:
// with the row on either side, the row that holds the focus and its neighbours. Rows are handed
// from item to item as the page scrolls, so a few dozen widgets serve any number of items, and
// adding items never lays out the rows already there.
//
// The list is a block of the page's column and scrolls with the page (the nearest QScrollArea
// above it, else the window); it may stand inside a row of another list. Tab and Shift+Tab walk
// the controls of the rows in the order of their items, and the page follows the focus.
//
// Use:
//     auto* list = new VirtualList({
//         .make = [] { return new SessionRow; },
//         .present = [this](QWidget& row, std::size_t index) {
//             static_cast<SessionRow&>(row).setSummary(history()[index]);
//         },
//         .key = [this](std::size_t index) { return history()[index].id; },
//     });
//     list->setSpacing(24);
//     page.addBlock(list);
//     list->reset(history().size());      // after each change of the items
//
// The list reads the items through `present` and `key` whenever the page scrolls or resizes:
// change the items first, then tell the list at once (reset, insert, remove, itemChanged), from
// the model's signal itself rather than from a queued refresh, or keep a copy of the items that
// changes only then. `present` may be called again for the item a row already shows: it leaves
// alone what did not change, so that a selection, a hover or the focus inside the row survive a
// refresh. Without `key` a row keeps its index; with it, a row follows its item (the row holding
// the focus finds its item wherever a reset moved it).
//
// Heights: by default every row is as tall as the row of the first item (measured once per
// width when the row's height depends on its width); setRowHeight() gives that height, and
// setRowHeights() asks each item's height once per width, and again after itemChanged().
class VirtualList final : public QWidget {
    Q_OBJECT

public:
    struct Rows {
        // A new row; the list owns it.
        std::function<QWidget*()> make;
        // Shows item `index` in `row`.
        std::function<void(QWidget& row, std::size_t index)> present;
        // The identity of item `index`; optional.
        std::function<std::string(std::size_t index)> key;
    };

    explicit VirtualList(Rows rows, QWidget* parent = nullptr);
    ~VirtualList() override;

    // Room between two rows.
    void setSpacing(int spacing);
    // Every row is `height` tall.
    void setRowHeight(int height);
    // Row `index` is `height(index, width)` tall at the list's width.
    void setRowHeights(std::function<int(std::size_t index, int width)> height);

    std::size_t count() const { return stack_.size(); }
    // The list holds `count` items from now on, any of them new or changed.
    void reset(std::size_t count);
    // `count` new items stand from `at` on; the others are unchanged.
    void insert(std::size_t at, std::size_t count);
    void append(std::size_t count) { insert(this->count(), count); }
    // The `count` items from `at` on are gone; the others are unchanged.
    void remove(std::size_t at, std::size_t count);
    // Item `index` changed: its height is asked again and its row, if built, shows it again.
    void itemChanged(std::size_t index);
    // Every built row shows its item again, for a state that they all follow.
    void presentAgain();

    // The rows built, in the order of their items, and the item each shows.
    std::vector<QWidget*> rows() const;
    QWidget* rowAt(std::size_t index) const;
    std::optional<std::size_t> indexOf(const QWidget& row) const;

    // Up and Down move the focus to the same control of the row above or below; in a list of
    // lists, between the rows of the inner lists, from one outer row into the next. Asked of
    // the outermost list.
    void setArrowKeysMoveBetweenRows(bool enabled);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Change;
    enum class Heights { first, fixed, perItem };
    struct Placed {
        std::size_t index;
        QWidget* row;
        std::string key;
    };

    std::string keyOf(std::size_t index) const;
    int heightOf(std::size_t index, int width);
    std::vector<int> heightsOf(std::size_t at, std::size_t count);
    // The heights again for the list's width, when they depend on it.
    void measureForWidth();
    void heightsChanged();

    // Watches the ancestors up to the page's viewport, whose moves and size move the view.
    void watchAncestors();
    // Gives the items in sight their rows, where they stand, and Tab their order.
    void place();
    std::vector<std::size_t> indicesToPlace(const RowStack::InSight& sight) const;
    void assign(const std::vector<std::size_t>& indices);
    void arrange(const RowStack::InSight& sight);
    void chainTabs();
    // A spare row, the one that last showed the item of `key` if there is one, else a new one.
    QWidget* takeRow(const std::string& key);
    void spare(QWidget* row, std::string key);
    std::optional<std::size_t> focusedIndex() const;

    // Moves the focus `rows` rows down (up when negative).
    bool moveFocus(QWidget& focus, int rows);
    // Scrolls the page to a control that took the focus out of sight.
    void followFocus(QWidget& focus);
    VirtualList& outermost();
    // The innermost rows under this list, in order.
    void leafRows(std::vector<QWidget*>& rows) const;
    // The list whose row holds this one, if any.
    const VirtualList* outerList() const;

    Rows rows_;
    Heights heights_ = Heights::first;
    std::function<int(std::size_t, int)> heightOf_;
    int rowHeight_ = 0;
    // The width the heights were measured for; -1 before.
    int measuredWidth_ = -1;
    RowStack stack_;
    // A stop of the Tab chain that takes no focus, where the list's rows join the chain.
    QWidget* anchor_;
    bool arrowKeys_ = false;

    QPointer<QWidget> viewport_;
    // The ancestors watched, compared only: their events still come while they are destroyed.
    std::vector<const QObject*> watched_;

    struct Spare {
        QWidget* row;
        std::string key;
    };
    std::vector<Placed> placed_;
    std::vector<Spare> spare_;
    // Changes under way, and whether the rows are to be placed once they are done.
    int changing_ = 0;
    bool placeLater_ = false;
    // The placed rows in the order last given to the list's children and to Tab.
    std::vector<QWidget*> ordered_;
};

} // namespace tollenvane
