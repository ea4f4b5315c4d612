#include "app/kit/VirtualList.h"

namespace tollenvane {

// Lists inside the rows of a list, which make one list with it.

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

VirtualList* VirtualList::outerList() const
{
    for (QWidget* at = parentWidget(); at != nullptr; at = at->parentWidget()) {
        if (auto* list = qobject_cast<VirtualList*>(at)) {
            return list;
        }
    }
    return nullptr;
}

QWidget* VirtualList::outerRow() const
{
    const VirtualList* outer = outerList();
    QWidget* row = const_cast<VirtualList*>(this);
    while (outer != nullptr && row->parentWidget() != outer) {
        row = row->parentWidget();
    }
    return outer == nullptr ? nullptr : row;
}

void VirtualList::adopt(VirtualList& inner)
{
    if (std::find(inner_.begin(), inner_.end(), &inner) == inner_.end()) {
        inner_.emplace_back(&inner);
    }
}

std::vector<VirtualList*> VirtualList::innerLists(const QWidget& row) const
{
    std::vector<VirtualList*> inner;
    for (const QPointer<VirtualList>& list : inner_) {
        if (list != nullptr && list->outerRow() == &row && list->outerList() == this &&
            list->isVisibleTo(&row)) {
            inner.push_back(list);
        }
    }
    return inner;
}

VirtualList* VirtualList::listAround(QWidget& widget)
{
    for (QWidget* at = &widget; at != nullptr; at = at->parentWidget()) {
        if (auto* list = qobject_cast<VirtualList*>(at)) {
            return list;
        }
    }
    return nullptr;
}

} // namespace tollenvane
