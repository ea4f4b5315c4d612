#pragma once

#include <QBoxLayout>
#include <QPointer>
#include <QWidget>
#include <map>
#include <set>

namespace tollenvane {

// The rows of a list, one widget per item identity, kept in a box layout in the items' order.
// A sync creates widgets only for new identities, updates the others in place and deletes those
// whose items went, so appending one item leaves the other rows, their hover and focus, alone.
template <typename Key, typename Row>
class KeyedRows {
public:
    explicit KeyedRows(QBoxLayout& layout, int firstIndex = 0)
        : layout_(layout)
        , firstIndex_(firstIndex)
    {}

    // `keyOf(item)` gives the identity, `make(item)` a new row, `update(row, item)` refreshes one.
    template <typename Items, typename KeyOf, typename Make, typename Update>
    void sync(const Items& items, KeyOf keyOf, Make make, Update update)
    {
        // A row shown in a shown container lays out every layout above it again: the rows are
        // placed and shown with the layout off, which then lays them out once.
        const QWidget* container = layout_.parentWidget();
        const bool shown = container != nullptr && container->isVisible();
        const bool enabled = layout_.isEnabled();
        layout_.setEnabled(false);
        std::set<Key> present;
        int index = firstIndex_;
        for (const auto& item : items) {
            Key key = keyOf(item);
            if (!present.insert(key).second) {
                continue;
            }
            Row* row = find(key);
            const bool made = row == nullptr;
            if (made) {
                row = make(item);
                rows_[key] = row;
            }
            update(*row, item);
            // Looked for at its place first: searching the layout costs the whole list, per row.
            const QLayoutItem* const at = layout_.itemAt(index);
            if (at == nullptr || at->widget() != row) {
                layout_.insertWidget(index, row);
            }
            if (made && shown && !row->testAttribute(Qt::WA_WState_ExplicitShowHide)) {
                row->show();
            }
            ++index;
        }
        layout_.setEnabled(enabled);
        layout_.invalidate();
        // Deleted with the layout on, which alone lets go of a child that goes.
        for (auto it = rows_.begin(); it != rows_.end();) {
            if (present.count(it->first) == 0) {
                delete it->second.data();
                it = rows_.erase(it);
            } else {
                ++it;
            }
        }
    }

    Row* find(const Key& key) const
    {
        const auto it = rows_.find(key);
        return it == rows_.end() ? nullptr : it->second.data();
    }
    std::size_t size() const { return rows_.size(); }

private:
    QBoxLayout& layout_;
    int firstIndex_;
    std::map<Key, QPointer<Row>> rows_;
};

} // namespace tollenvane
