#pragma once

#include "app/kit/FocusHandOff.h"
#include "app/kit/RowStack.h"

#include <QPointer>
#include <QWidget>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QKeyEvent;

namespace tollenvane {

class ListKeyboard;
class RowFocusRing;

// A list of any length, one row under the other, of which only the rows in sight are built:
// with the row on either side, the current row and its neighbours. Rows are handed from item to
// item as the page scrolls, so a few dozen widgets serve any number of items, and adding items
// never lays out the rows already there.
//
// The list is a block of the page's column and scrolls with the page (the nearest QScrollArea
// above it, else the window); it may stand inside a row of another list, and the two then make
// one list of the inner rows.
//
// From the keyboard the list is one stop of the Tab chain, as Qt's item views are; the keys and
// the focus are ListKeyboard's, kept by the outermost list. A row's own controls are reached
// with Tab; a text field inside a row keeps the arrows for itself. A row where no control can
// take the focus (none there, or all hidden or disabled) takes it itself, the list drawing its
// ring, and is read as its item's name and the texts it shows. The page follows the focus.
// Whatever the key, only the rows in sight and the current one are built.
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
        // What assistive technology reads of item `index` on each control of its row, after the
        // control's own name: the item's name through shownName. Optional.
        std::function<QString(std::size_t index)> name = {};
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

    // The item whose row holds the focus, or last held it; none before any did.
    std::optional<std::size_t> currentIndex() const { return current_; }

    // How far the view on the list, `viewport`, moves to show `control`, in one of its rows, with
    // `margin` around it; none when no built row holds it.
    std::optional<int> scrollShowing(const QWidget& control, const QWidget& viewport,
                                     int margin) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // What the keys that ListKeyboard handles read and move.
    // Item `index` becomes the current one, followed by its key; false when it already was.
    bool makeCurrent(std::size_t index);
    // The current item, else the first one in a list inside the current row of another.
    std::optional<std::size_t> currentOrFirst() const;
    // The row of `index`, built and placed if it was not, though not current.
    QWidget* build(std::size_t index);
    const RowStack& stack() const { return stack_; }
    // What shows the list: the page's viewport, else the window; none before the list shows.
    QWidget* view() const { return viewport_; }
    // Whether the list's items are changing, its rows to be placed once they are.
    bool changing() const { return changing_ > 0; }
    // The list whose row holds this one, if any, and that row.
    VirtualList* outerList() const;
    QWidget* outerRow() const;
    // The lists in `row` whose outer list is this one.
    std::vector<VirtualList*> innerLists(const QWidget& row) const;
    // Puts the stops of the rows where Tab comes into the outermost list in the Tab chain, and
    // only those; the others keep their click.
    void chainCurrent();
    // Rings the row that holds the focus itself, if one does.
    void updateRing();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
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
    // Shows item `index` in `row`, and names it on the row's controls.
    void present(QWidget& row, std::size_t index);
    // Lets `row`, of item `index`, take the focus itself while none of its controls can, and
    // names and describes it then.
    void standIn(QWidget& row, std::size_t index);
    // A control of a row was shown, hidden, enabled or disabled.
    void controlChanged(QWidget& control);
    // Where the focus that `gone`, a control of a row, can no longer hold belongs now.
    QWidget* focusHome(QWidget& gone);
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

    // The current item after the items changed: the same item, else none, or the nearest one
    // while the focus was in the list.
    void followCurrent(std::optional<std::size_t> near);

    void chainRows(const std::vector<QWidget*>& chained);
    void retellFocus();

    VirtualList& outermost();
    ListKeyboard& keys();
    // The nearest list that holds `widget`, or is it.
    static VirtualList* listAround(QWidget& widget);
    // A list in one of this list's rows, which this list's keys reach.
    void adopt(VirtualList& inner);

    Rows rows_;
    Heights heights_ = Heights::first;
    std::function<int(std::size_t, int)> heightOf_;
    int rowHeight_ = 0;
    // The width the heights were measured for; -1 before.
    int measuredWidth_ = -1;
    RowStack stack_;
    // Where the list's rows join the Tab chain, and where they leave it; each takes the focus on
    // to a row while the row Tab or Shift+Tab comes in on is not built or cannot take it.
    QWidget* anchor_;
    QWidget* endAnchor_;
    std::unique_ptr<ListKeyboard> keys_;
    FocusHandOff handOff_;
    // The lists inside this list's rows, as they came.
    std::vector<QPointer<VirtualList>> inner_;
    // A row built for the keys to look into before the focus comes to it.
    std::optional<std::size_t> probed_;
    // The current item, followed by its key, and the ring drawn on a row that takes the focus
    // itself, made once one does.
    std::optional<std::size_t> current_;
    std::string currentKey_;
    RowFocusRing* ring_ = nullptr;

    QPointer<QWidget> viewport_;
    // The ancestors watched, compared only: their events still come while they are destroyed.
    std::vector<const QObject*> watched_;

    struct Spare {
        QWidget* row;
        std::string key;
    };
    std::vector<Placed> placed_;
    std::vector<Spare> spare_;
    // Changes under way, and what is to be done once they are: place the rows, chain the current
    // one, give the focus back to the current row, at this stop, when its row went with the focus.
    int changing_ = 0;
    bool placeLater_ = false;
    bool chainLater_ = false;
    std::optional<std::ptrdiff_t> refocus_;
    // The page is showing an item in a row: the row's controls change as it goes.
    bool presenting_ = false;
    // The placed rows in the order last given to the list's children and to Tab.
    std::vector<QWidget*> ordered_;
};

} // namespace tollenvane
