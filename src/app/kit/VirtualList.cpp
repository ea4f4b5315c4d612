#include "app/kit/VirtualList.h"

#include "app/kit/ListKeyboard.h"
#include "app/kit/RowFocusRing.h"
#include "app/kit/RowStops.h"
#include "app/kit/RowText.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QScopedValueRollback>
#include <QScrollArea>
#include <algorithm>

namespace tollenvane {

// A row hidden while the list changes may hand the focus on, and the page follow the focus: the
// rows are placed once the change is done, never in its middle.
class VirtualList::Change {
public:
    explicit Change(VirtualList& list)
        : list_(list)
    {
        ++list_.changing_;
    }
    ~Change()
    {
        if (--list_.changing_ > 0) {
            return;
        }
        if (list_.placeLater_) {
            list_.placeLater_ = false;
            list_.place();
        }
        if (list_.chainLater_) {
            list_.chainLater_ = false;
            list_.chainCurrent();
        }
        if (list_.refocus_) {
            const std::ptrdiff_t position = *list_.refocus_;
            list_.refocus_.reset();
            list_.keys().refocus(list_, position);
        }
    }
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;

private:
    VirtualList& list_;
};

VirtualList::VirtualList(Rows rows, QWidget* parent)
    : QWidget(parent)
    , rows_(std::move(rows))
    , stack_(0, QWIDGETSIZE_MAX)
    , anchor_(new QWidget(this))
    , endAnchor_(new QWidget(this))
    , keys_(std::make_unique<ListKeyboard>(*this))
    , handOff_(*this, [this](QWidget& gone) { return focusHome(gone); })
{
    setObjectName(QStringLiteral("virtualList"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(0);
    // The anchors stay the first and the last children, so a walk of the page's controls meets
    // them before and after the rows; they take Tab only while Tab cannot come in on a row, and
    // never show.
    anchor_->setObjectName(QStringLiteral("tabAnchor"));
    endAnchor_->setObjectName(QStringLiteral("tabAnchorAtEnd"));
    for (QWidget* anchor : {anchor_, endAnchor_}) {
        anchor->setFocusPolicy(Qt::ClickFocus);
        anchor->setAttribute(Qt::WA_TransparentForMouseEvents);
        anchor->setGeometry(0, 0, 0, 0);
        anchor->installEventFilter(this);
    }
}

VirtualList::~VirtualList() = default;

void VirtualList::setSpacing(int spacing)
{
    const Change change(*this);
    stack_.setSpacing(spacing);
    heightsChanged();
}

void VirtualList::setRowHeight(int height)
{
    const Change change(*this);
    heights_ = Heights::fixed;
    rowHeight_ = height;
    stack_.assign(std::vector<int>(stack_.size(), height));
    heightsChanged();
}

void VirtualList::setRowHeights(std::function<int(std::size_t, int)> height)
{
    const Change change(*this);
    heights_ = Heights::perItem;
    heightOf_ = std::move(height);
    measuredWidth_ = -1;
    stack_.assign(heightsOf(0, stack_.size()));
    heightsChanged();
}

std::string VirtualList::keyOf(std::size_t index) const
{
    return rows_.key ? rows_.key(index) : std::string();
}

void VirtualList::present(QWidget& row, std::size_t index)
{
    {
        const QScopedValueRollback presenting(presenting_, true);
        rows_.present(row, index);
    }
    standIn(row, index);
    if (rows_.name) {
        tellRowItem(row, rows_.name(index));
    }
}

void VirtualList::standIn(QWidget& row, std::size_t index)
{
    if (!innerLists(row).empty()) {
        return;
    }
    const bool stood = standsIn(row);
    standInForControls(row);
    const bool stands = standsIn(row);
    if (stands && ring_ == nullptr) {
        ring_ = new RowFocusRing(this);
    }
    // A row that held the focus in place of its controls hands it to the first one that opened.
    if (stood && !stands && QApplication::focusWidget() == &row) {
        keys().focusRow(row);
    }
    if (rows_.name && (stood || stands)) {
        tellRowItem(row, rows_.name(index));
    }
    if (stood != stands) {
        // The row itself comes into the Tab chain before its controls, or leaves it.
        outermost().chainTabs();
    }
}

void VirtualList::controlChanged(QWidget& control)
{
    // The row that holds the control, and its list.
    QWidget* row = &control;
    auto* list = qobject_cast<VirtualList*>(row->parentWidget());
    while (list == nullptr && row->parentWidget() != nullptr) {
        row = row->parentWidget();
        list = qobject_cast<VirtualList*>(row->parentWidget());
    }
    // The rows the list shows anew, or hands from item to item, are told while it does: their
    // items may not be the ones the page holds yet.
    if (list == nullptr || row == &control || list->presenting_ || list->changing_ > 0) {
        return;
    }
    if (const std::optional<std::size_t> index = list->indexOf(*row);
        index && *index < list->count()) {
        list->standIn(*row, *index);
    }
}

int VirtualList::heightOf(std::size_t index, int width)
{
    switch (heights_) {
    case Heights::fixed:
        return rowHeight_;
    case Heights::perItem:
        return heightOf_(index, width);
    case Heights::first:
        break;
    }
    if (measuredWidth_ != width || rowHeight_ <= 0) {
        // The row of the first item measured stands for every row.
        std::string key = keyOf(index);
        QWidget* row = takeRow(key);
        present(*row, index);
        // Laid out afresh: a hidden row keeps the sizes its layouts last computed.
        if (QLayout* layout = row->layout()) {
            layout->invalidate();
            layout->activate();
        }
        rowHeight_ =
            row->hasHeightForWidth() ? row->heightForWidth(width) : row->sizeHint().height();
        measuredWidth_ = width;
        spare(row, std::move(key));
    }
    return rowHeight_;
}

std::vector<int> VirtualList::heightsOf(std::size_t at, std::size_t count)
{
    const int width = this->width();
    std::vector<int> heights;
    heights.reserve(count);
    for (std::size_t index = at; index < at + count; ++index) {
        heights.push_back(heightOf(index, width));
    }
    if (count > 0) {
        measuredWidth_ = width;
    }
    return heights;
}

void VirtualList::measureForWidth()
{
    const Change change(*this);
    if (measuredWidth_ == width() || stack_.size() == 0 || heights_ == Heights::fixed) {
        return;
    }
    if (heights_ == Heights::first) {
        const int before = rowHeight_;
        rowHeight_ = 0;
        if (heightOf(0, width()) == before) {
            measuredWidth_ = width();
            return;
        }
    }
    stack_.assign(heightsOf(0, stack_.size()));
    heightsChanged();
}

void VirtualList::heightsChanged()
{
    setFixedHeight(stack_.height());
    place();
}

void VirtualList::reset(std::size_t count)
{
    const Change change(*this);
    probed_.reset();
    // The current item, and the focus with it, stays with its item wherever it went.
    const std::optional<std::size_t> before = current_;
    std::optional<std::size_t> moved;
    if (current_ && rows_.key) {
        for (std::size_t each = *current_ < count ? *current_ : 0; each < count && !moved; ++each) {
            if (rows_.key(each) == currentKey_) {
                moved = each;
            }
        }
        for (std::size_t each = 0; each < std::min(*current_, count) && !moved; ++each) {
            if (rows_.key(each) == currentKey_) {
                moved = each;
            }
        }
    }
    stack_.assign(heightsOf(0, count));
    std::vector<Placed> kept;
    for (Placed& placed : placed_) {
        std::optional<std::size_t> index;
        if (placed.index < count && keyOf(placed.index) == placed.key) {
            index = placed.index;
        } else if (moved && placed.index == before && placed.key == currentKey_) {
            index = moved;
        }
        const bool taken = index && std::any_of(kept.begin(), kept.end(), [&](const Placed& one) {
                               return one.index == *index;
                           });
        if (index && !taken) {
            present(*placed.row, *index);
            kept.push_back({*index, placed.row, placed.key});
        } else {
            spare(placed.row, placed.key);
        }
    }
    std::sort(kept.begin(), kept.end(),
              [](const Placed& one, const Placed& other) { return one.index < other.index; });
    placed_ = std::move(kept);
    if (moved) {
        current_ = moved;
    } else {
        followCurrent(before);
    }
    heightsChanged();
}

void VirtualList::followCurrent(std::optional<std::size_t> near)
{
    const std::size_t count = stack_.size();
    if (!current_ || count == 0) {
        current_.reset();
        return;
    }
    if (*current_ < count && !currentKey_.empty() && keyOf(*current_) == currentKey_) {
        return;
    }
    if (!rows_.key && *current_ < count) {
        return;
    }
    // Gone: the focus it held moves on to the nearest item; else the list starts afresh.
    if (near && (refocus_ || focusedIndex())) {
        current_ = std::min(*near, count - 1);
        currentKey_ = keyOf(*current_);
    } else {
        current_.reset();
    }
}

void VirtualList::insert(std::size_t at, std::size_t count)
{
    const Change change(*this);
    probed_.reset();
    at = std::min(at, stack_.size());
    stack_.insert(at, heightsOf(at, count));
    for (Placed& placed : placed_) {
        if (placed.index >= at) {
            placed.index += count;
        }
    }
    if (current_ && *current_ >= at) {
        *current_ += count;
    }
    heightsChanged();
}

void VirtualList::remove(std::size_t at, std::size_t count)
{
    const Change change(*this);
    probed_.reset();
    at = std::min(at, stack_.size());
    count = std::min(count, stack_.size() - at);
    stack_.remove(at, count);
    std::erase_if(placed_, [&](const Placed& placed) {
        if (placed.index >= at + count || placed.index < at) {
            return false;
        }
        spare(placed.row, placed.key);
        return true;
    });
    for (Placed& placed : placed_) {
        if (placed.index >= at + count) {
            placed.index -= count;
        }
    }
    if (current_ && *current_ >= at + count) {
        *current_ -= count;
    } else if (current_ && *current_ >= at) {
        // The item after the ones gone takes the place of the current one.
        current_ = at;
        currentKey_.clear();
        followCurrent(at);
    }
    heightsChanged();
}

void VirtualList::itemChanged(std::size_t index)
{
    const Change change(*this);
    if (index >= stack_.size()) {
        return;
    }
    const auto found = std::find_if(placed_.begin(), placed_.end(), [index](const Placed& placed) {
        return placed.index == index;
    });
    if (found != placed_.end()) {
        found->key = keyOf(index);
        present(*found->row, index);
    }
    if (current_ == index) {
        currentKey_ = keyOf(index);
    }
    if (heights_ == Heights::perItem && stack_.setHeight(index, heightOf(index, width()))) {
        heightsChanged();
    }
}

void VirtualList::presentAgain()
{
    const Change change(*this);
    for (const Placed& placed : placed_) {
        present(*placed.row, placed.index);
    }
}

std::vector<QWidget*> VirtualList::rows() const
{
    std::vector<QWidget*> rows;
    rows.reserve(placed_.size());
    for (const Placed& placed : placed_) {
        rows.push_back(placed.row);
    }
    return rows;
}

QWidget* VirtualList::rowAt(std::size_t index) const
{
    const auto found = std::find_if(placed_.begin(), placed_.end(), [index](const Placed& placed) {
        return placed.index == index;
    });
    return found == placed_.end() ? nullptr : found->row;
}

std::optional<std::size_t> VirtualList::indexOf(const QWidget& row) const
{
    for (const Placed& placed : placed_) {
        if (placed.row == &row) {
            return placed.index;
        }
    }
    return std::nullopt;
}

QSize VirtualList::sizeHint() const
{
    return {0, stack_.height()};
}

QSize VirtualList::minimumSizeHint() const
{
    return sizeHint();
}

bool VirtualList::event(QEvent* event)
{
    if (event->type() == QEvent::ParentChange) {
        if (VirtualList* outer = outerList()) {
            outer->adopt(*this);
        }
    }
    if (event->type() == QEvent::Show || event->type() == QEvent::ParentChange) {
        watchAncestors();
        place();
    }
    return QWidget::event(event);
}

bool VirtualList::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Move || type == QEvent::Resize) &&
        std::find(watched_.begin(), watched_.end(), watched) != watched_.end()) {
        place();
    }
    if (!watched->isWidgetType() || !isAncestorOf(static_cast<QWidget*>(watched))) {
        return QWidget::eventFilter(watched, event);
    }
    auto* control = static_cast<QWidget*>(watched);
    switch (type) {
    case QEvent::FocusIn:
        if (control == anchor_ || control == endAnchor_) {
            keys().enter(static_cast<QFocusEvent*>(event)->reason());
            retellFocus();
        } else {
            keys().focusCame(*control, static_cast<QFocusEvent*>(event)->reason());
        }
        break;
    case QEvent::FocusOut:
        if (VirtualList* list = listAround(*control->parentWidget())) {
            list->updateRing();
        }
        break;
    case QEvent::KeyPress:
        // Not a key that a control of the row left to the row.
        if (control == QApplication::focusWidget() &&
            keys().keyPressed(*control, *static_cast<QKeyEvent*>(event))) {
            return true;
        }
        break;
    // Whether the row takes the focus itself, and whether Tab can land in the current row or
    // must come in through the anchor.
    case QEvent::EnabledChange:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        controlChanged(*control);
        chainCurrent();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void VirtualList::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    place();
}

void VirtualList::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    measureForWidth();
    place();
}

void VirtualList::watchAncestors()
{
    // The view is the viewport of the nearest page that scrolls, else the window.
    std::vector<QWidget*> chain;
    for (QWidget* at = parentWidget(); at != nullptr; at = at->parentWidget()) {
        chain.push_back(at);
        if (auto* scrolling = qobject_cast<QScrollArea*>(at->parentWidget());
            scrolling != nullptr && scrolling->viewport() == at) {
            break;
        }
    }
    std::vector<const QObject*> watched(chain.begin(), chain.end());
    if (watched == watched_) {
        return;
    }
    for (QWidget* ancestor : chain) {
        ancestor->installEventFilter(this);
    }
    watched_ = std::move(watched);
    viewport_ = chain.empty() ? nullptr : chain.back();
}

void VirtualList::place()
{
    if (changing_ > 0) {
        placeLater_ = true;
        return;
    }
    const Change change(*this);
    // A page drawn without being shown, as grab() does, lays its list out all the same; its
    // ancestors may have changed since, as no Show tells.
    if (!isVisible()) {
        if (!isVisibleTo(window())) {
            return;
        }
        watchAncestors();
    }
    if (viewport_ == nullptr || !viewport_->isAncestorOf(this)) {
        return;
    }
    const RowStack::InSight sight =
        stack_.inSight(mapFrom(viewport_, QPoint(0, 0)).y(), viewport_->height());
    assign(indicesToPlace(sight));
    arrange(sight);
}

std::vector<std::size_t> VirtualList::indicesToPlace(const RowStack::InSight& sight) const
{
    std::vector<std::size_t> indices;
    const std::size_t count = stack_.size();
    if (count == 0) {
        return indices;
    }
    const auto add = [&](std::size_t first, std::size_t end) {
        for (std::size_t index = first; index < std::min(end, count); ++index) {
            indices.push_back(index);
        }
    };
    add(sight.first > 0 ? sight.first - 1 : 0, sight.end + 1);
    // The focus and the current row keep their rows, and the keys find their neighbours beside
    // them.
    for (const std::optional<std::size_t> kept : {focusedIndex(), currentOrFirst(), probed_}) {
        if (kept) {
            add(*kept > 0 ? *kept - 1 : 0, *kept + 2);
        }
    }
    std::sort(indices.begin(), indices.end());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    return indices;
}

void VirtualList::assign(const std::vector<std::size_t>& indices)
{
    std::vector<Placed> held;
    for (const Placed& placed : placed_) {
        if (std::binary_search(indices.begin(), indices.end(), placed.index)) {
            held.push_back(placed);
        } else {
            spare(placed.row, placed.key);
        }
    }
    placed_.clear();
    auto kept = held.begin();
    for (const std::size_t index : indices) {
        while (kept != held.end() && kept->index < index) {
            ++kept;
        }
        if (kept != held.end() && kept->index == index) {
            placed_.push_back(*kept);
            continue;
        }
        std::string key = keyOf(index);
        QWidget* row = takeRow(key);
        present(*row, index);
        placed_.push_back({index, row, std::move(key)});
    }
}

void VirtualList::arrange(const RowStack::InSight& sight)
{
    std::vector<QWidget*> order = rows();
    if (order != ordered_) {
        // The rows stand among the list's children in the order of their items, the order in
        // which a walk of the page's controls meets them.
        for (QWidget* row : order) {
            row->raise();
        }
        endAnchor_->raise();
    }
    for (const Placed& placed : placed_) {
        const std::int64_t top = std::clamp<std::int64_t>(stack_.topOf(placed.index, sight),
                                                          -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        const QRect wanted(0, static_cast<int>(top), width(), stack_.heightOf(placed.index));
        if (placed.row->geometry() != wanted) {
            placed.row->setGeometry(wanted);
        }
        if (placed.row->isHidden()) {
            placed.row->show();
        }
    }
    if (order != ordered_) {
        ordered_ = std::move(order);
        outermost().chainTabs();
        chainCurrent();
    }
    updateRing();
}

QWidget* VirtualList::takeRow(const std::string& key)
{
    if (!spare_.empty()) {
        // The row that last showed the item, if it is spare, shows it again: its hover and its
        // own state come back with it.
        auto found = std::find_if(spare_.rbegin(), spare_.rend(),
                                  [&](const Spare& spare) { return spare.key == key; });
        if (!rows_.key || found == spare_.rend()) {
            found = spare_.rbegin();
        }
        QWidget* row = found->row;
        spare_.erase(std::next(found).base());
        return row;
    }
    QWidget* row = rows_.make();
    row->setParent(this);
    // The lists the row brought with it were parented before it came to this list.
    std::erase_if(inner_, [](const QPointer<VirtualList>& list) { return list == nullptr; });
    for (VirtualList* list : row->findChildren<VirtualList*>()) {
        if (list->outerList() == this) {
            adopt(*list);
        }
    }
    // The outermost list follows the focus and the keys of every row under it, and of the row
    // itself when it takes the focus in place of its controls.
    row->installEventFilter(&outermost());
    for (QWidget* stop : rowStops(*row)) {
        stop->installEventFilter(&outermost());
    }
    return row;
}

void VirtualList::spare(QWidget* row, std::string key)
{
    // A row that goes with the focus would hand it to whatever follows in the Tab chain: the
    // current row takes it back once the change is done.
    if (const QWidget* focus = QApplication::focusWidget();
        focus != nullptr && (focus == row || row->isAncestorOf(focus)) && !row->isHidden()) {
        const std::vector<QWidget*> stops = rowStops(*row);
        const auto at = std::find(stops.begin(), stops.end(), focus);
        refocus_ = at == stops.end() ? 0 : at - stops.begin();
        QApplication::focusWidget()->clearFocus();
    }
    row->hide();
    spare_.push_back({row, std::move(key)});
}

std::optional<std::size_t> VirtualList::focusedIndex() const
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus == nullptr || !isAncestorOf(focus)) {
        return std::nullopt;
    }
    for (const Placed& placed : placed_) {
        if (placed.row == focus || placed.row->isAncestorOf(focus)) {
            return placed.index;
        }
    }
    return std::nullopt;
}

ListKeyboard& VirtualList::keys()
{
    return *outermost().keys_;
}

bool VirtualList::makeCurrent(std::size_t index)
{
    if (current_ == index) {
        return false;
    }
    current_ = index;
    currentKey_ = keyOf(index);
    return true;
}

std::optional<std::size_t> VirtualList::currentOrFirst() const
{
    if (current_ || stack_.size() == 0 || outerList() == nullptr) {
        return current_;
    }
    return std::size_t{0};
}

QWidget* VirtualList::build(std::size_t index)
{
    if (index >= count()) {
        return nullptr;
    }
    if (probed_ != index) {
        probed_ = index;
        place();
    }
    return rowAt(index);
}

std::optional<int> VirtualList::scrollShowing(const QWidget& control, const QWidget& viewport,
                                              int margin) const
{
    const auto row = std::find_if(placed_.begin(), placed_.end(), [&](const Placed& placed) {
        return placed.row == &control || placed.row->isAncestorOf(&control);
    });
    if (row == placed_.end()) {
        return std::nullopt;
    }
    // Where the control stands in the full stack, which the drawn list may compress: the view
    // moves to the drawn place that shows it.
    const int viewHeight = viewport.height();
    const std::int64_t top = stack_.fullTopOf(row->index) + control.mapTo(row->row, QPoint()).y();
    const int viewTop = mapFrom(&viewport, QPoint()).y();
    const std::int64_t seen = stack_.fullViewTop(viewTop, viewHeight);
    std::int64_t wanted = seen;
    if (top < seen + margin) {
        wanted = top - margin;
    } else if (top + control.height() + margin > seen + viewHeight) {
        wanted = top + control.height() + margin - viewHeight;
    }
    return static_cast<int>(std::clamp<std::int64_t>(
        stack_.drawnViewTop(wanted, viewHeight) - viewTop, -QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

} // namespace tollenvane
