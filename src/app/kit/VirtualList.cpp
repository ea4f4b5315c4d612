#include "app/kit/VirtualList.h"

#include "app/kit/TabOrder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

namespace tollenvane {
namespace {

// The controls of a row in the order Tab visits them, the row itself first when it takes Tab.
std::vector<QWidget*> stopsOf(QWidget& row)
{
    std::vector<QWidget*> stops = tabStopsAsLaidOut(row);
    if ((row.focusPolicy() & Qt::TabFocus) != 0) {
        stops.insert(stops.begin(), &row);
    }
    return stops;
}

} // namespace

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
        if (--list_.changing_ == 0 && list_.placeLater_) {
            list_.placeLater_ = false;
            list_.place();
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
{
    setObjectName(QStringLiteral("virtualList"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(0);
    // Hidden, the anchor is passed over by Tab; it stays the first child, so a walk of the
    // page's controls meets it before the rows.
    anchor_->setObjectName(QStringLiteral("tabAnchor"));
    anchor_->setFocusPolicy(Qt::TabFocus);
    anchor_->hide();
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
        rows_.present(*row, index);
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
    const std::optional<std::size_t> focused = focusedIndex();
    stack_.assign(heightsOf(0, count));
    std::vector<Placed> kept;
    for (Placed& placed : placed_) {
        std::optional<std::size_t> index;
        if (placed.index < count && keyOf(placed.index) == placed.key) {
            index = placed.index;
        } else if (rows_.key && focused == placed.index) {
            // The focus stays with its item, wherever it went.
            for (std::size_t each = 0; each < count && !index; ++each) {
                if (rows_.key(each) == placed.key) {
                    index = each;
                }
            }
        }
        const bool taken = index && std::any_of(kept.begin(), kept.end(), [&](const Placed& one) {
                               return one.index == *index;
                           });
        if (index && !taken) {
            rows_.present(*placed.row, *index);
            kept.push_back({*index, placed.row, placed.key});
        } else {
            spare(placed.row, placed.key);
        }
    }
    std::sort(kept.begin(), kept.end(),
              [](const Placed& one, const Placed& other) { return one.index < other.index; });
    placed_ = std::move(kept);
    heightsChanged();
}

void VirtualList::insert(std::size_t at, std::size_t count)
{
    const Change change(*this);
    at = std::min(at, stack_.size());
    stack_.insert(at, heightsOf(at, count));
    for (Placed& placed : placed_) {
        if (placed.index >= at) {
            placed.index += count;
        }
    }
    heightsChanged();
}

void VirtualList::remove(std::size_t at, std::size_t count)
{
    const Change change(*this);
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
        rows_.present(*found->row, index);
    }
    if (heights_ == Heights::perItem && stack_.setHeight(index, heightOf(index, width()))) {
        heightsChanged();
    }
}

void VirtualList::presentAgain()
{
    const Change change(*this);
    for (const Placed& placed : placed_) {
        rows_.present(*placed.row, placed.index);
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

void VirtualList::setArrowKeysMoveBetweenRows(bool enabled)
{
    arrowKeys_ = enabled;
    chainTabs();
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
    if (type == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason) {
        followFocus(*control);
    }
    if (type == QEvent::KeyPress && arrowKeys_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Up || key == Qt::Key_Down) &&
            moveFocus(*control, key == Qt::Key_Up ? -1 : 1)) {
            return true;
        }
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
    // The focus keeps its row, and Tab and the arrows find its neighbours beside it.
    if (const std::optional<std::size_t> focused = focusedIndex()) {
        add(*focused > 0 ? *focused - 1 : 0, *focused + 2);
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
        rows_.present(*row, index);
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
        chainTabs();
    }
}

void VirtualList::chainTabs()
{
    // The outermost list follows the focus and the keys of every row under it.
    VirtualList& top = outermost();
    QWidget* previous = anchor_;
    for (QWidget* row : ordered_) {
        for (QWidget* stop : stopsOf(*row)) {
            QWidget::setTabOrder(previous, stop);
            previous = stop;
            stop->installEventFilter(&top);
        }
    }
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
    return row;
}

void VirtualList::spare(QWidget* row, std::string key)
{
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

VirtualList& VirtualList::outermost()
{
    VirtualList* top = this;
    for (QWidget* at = parentWidget(); at != nullptr; at = at->parentWidget()) {
        if (auto* list = qobject_cast<VirtualList*>(at)) {
            top = list;
        }
    }
    return *top;
}

void VirtualList::followFocus(QWidget& focus)
{
    // Asked of the page as it is now: while it is destroyed it is no longer one that scrolls.
    auto* area =
        viewport_ == nullptr ? nullptr : qobject_cast<QScrollArea*>(viewport_->parentWidget());
    if (changing_ > 0 || area == nullptr || !viewport_->isAncestorOf(this)) {
        return;
    }
    const int viewHeight = viewport_->height();
    const int shownTop = focus.mapTo(viewport_, QPoint()).y();
    if (shownTop >= 0 && shownTop + focus.height() <= viewHeight) {
        return;
    }
    const auto row = std::find_if(placed_.begin(), placed_.end(), [&](const Placed& placed) {
        return placed.row->isAncestorOf(&focus);
    });
    if (row == placed_.end()) {
        return;
    }
    // Where the control stands in the full stack, which the drawn list may compress: the page is
    // scrolled to the drawn place that shows it, with some room around it as Qt gives.
    const int margin = std::clamp((viewHeight - focus.height()) / 2, 0, 50);
    const std::int64_t top = stack_.fullTopOf(row->index) + focus.mapTo(row->row, QPoint()).y();
    const int viewTop = mapFrom(viewport_, QPoint()).y();
    const std::int64_t seen = stack_.fullViewTop(viewTop, viewHeight);
    std::int64_t wanted = seen;
    if (top < seen + margin) {
        wanted = top - margin;
    } else if (top + focus.height() + margin > seen + viewHeight) {
        wanted = top + focus.height() + margin - viewHeight;
    }
    QScrollBar& bar = *area->verticalScrollBar();
    const std::int64_t value = bar.value() + stack_.drawnViewTop(wanted, viewHeight) - viewTop;
    bar.setValue(static_cast<int>(std::clamp<std::int64_t>(value, bar.minimum(), bar.maximum())));
}

void VirtualList::leafRows(std::vector<QWidget*>& rows) const
{
    for (const Placed& placed : placed_) {
        std::vector<const VirtualList*> inner;
        for (const VirtualList* list : placed.row->findChildren<VirtualList*>()) {
            if (list->isVisibleTo(placed.row) && list->outerList() == this) {
                inner.push_back(list);
            }
        }
        if (inner.empty()) {
            rows.push_back(placed.row);
        }
        for (const VirtualList* list : inner) {
            list->leafRows(rows);
        }
    }
}

const VirtualList* VirtualList::outerList() const
{
    for (const QWidget* at = parentWidget(); at != nullptr; at = at->parentWidget()) {
        if (const auto* list = qobject_cast<const VirtualList*>(at)) {
            return list;
        }
    }
    return nullptr;
}

bool VirtualList::moveFocus(QWidget& focus, int rows)
{
    std::vector<QWidget*> leaves;
    leafRows(leaves);
    const auto row = std::find_if(leaves.begin(), leaves.end(),
                                  [&](const QWidget* each) { return each->isAncestorOf(&focus); });
    if (row == leaves.end()) {
        return false;
    }
    const std::ptrdiff_t target = (row - leaves.begin()) + rows;
    if (target < 0 || target >= static_cast<std::ptrdiff_t>(leaves.size())) {
        return true;
    }
    const std::vector<QWidget*> from = stopsOf(**row);
    const std::vector<QWidget*> to = stopsOf(*leaves[static_cast<std::size_t>(target)]);
    const auto position = std::find(from.begin(), from.end(), &focus) - from.begin();
    // The same control, else the nearest one that takes the focus.
    std::vector<QWidget*> candidates;
    for (std::ptrdiff_t distance = 0; distance < static_cast<std::ptrdiff_t>(to.size());
         ++distance) {
        for (const std::ptrdiff_t at : {position - distance, position + distance}) {
            if (at >= 0 && at < static_cast<std::ptrdiff_t>(to.size())) {
                candidates.push_back(to[static_cast<std::size_t>(at)]);
            }
        }
    }
    for (QWidget* candidate : candidates) {
        if (candidate->isVisibleTo(window()) && candidate->isEnabled()) {
            candidate->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return true;
}

} // namespace tollenvane
