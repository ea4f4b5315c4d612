#include "app/screens/storage/TreemapAccessible.h"

#include "app/design/ShownName.h"
#include "app/screens/storage/TreemapView.h"

#include <QWindow>

namespace tollenvane {
namespace {

// One block of the map, read as an item of a list that can be pressed.
class TileAccessible final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TileAccessible(TreemapView& map, std::size_t position)
        : map_(&map)
        , position_(position)
    {}

    bool isValid() const override { return map_ && position_ < map_->reachableCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return map_ ? map_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return map_ ? QAccessible::queryAccessibleInterface(map_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && isValid()
                   ? spokenText(blockDescription(map_->nodeAt(position_)))
                   : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid()) {
            return {};
        }
        const QRect local = map_->blockRect(position_);
        return {map_->mapToGlobal(local.topLeft()), local.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        const bool current = map_->currentPosition() == position_;
        state.focusable = true;
        state.selectable = true;
        state.selected = current;
        state.focused = current && map_->hasFocus();
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override
    {
        if (name == pressAction() && isValid()) {
            map_->open(position_);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<TreemapView> map_;
    std::size_t position_;
};

} // namespace

TreemapAccessible::TreemapAccessible(TreemapView& map)
    : QAccessibleWidget(&map, QAccessible::List)
{}

QAccessibleInterface* TreemapAccessible::factory(const QString& /*key*/, QObject* object)
{
    auto* map = qobject_cast<TreemapView*>(object);
    return map != nullptr ? new TreemapAccessible(*map) : nullptr;
}

TreemapView& TreemapAccessible::map() const
{
    return *static_cast<TreemapView*>(widget());
}

int TreemapAccessible::childCount() const
{
    return static_cast<int>(map().reachableCount());
}

QAccessibleInterface* TreemapAccessible::child(int index) const
{
    return index >= 0 && index < childCount() ? map().tileReading(static_cast<std::size_t>(index))
                                              : nullptr;
}

int TreemapAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    for (int index = 0; index < childCount(); ++index) {
        if (map().tileReading(static_cast<std::size_t>(index)) == child) {
            return index;
        }
    }
    return -1;
}

QAccessibleInterface* TreemapAccessible::focusChild() const
{
    return map().hasFocus() && map().currentPosition() < map().reachableCount()
               ? map().tileReading(map().currentPosition())
               : nullptr;
}

TreemapTileReadings::TreemapTileReadings(TreemapView& map)
    : map_(map)
{}

TreemapTileReadings::~TreemapTileReadings()
{
    forget();
}

QAccessibleInterface* TreemapTileReadings::at(std::size_t position)
{
    if (ids_.size() <= position) {
        ids_.resize(position + 1, 0);
    }
    if (ids_[position] == 0) {
        // Kept by Qt's cache from now on, until forgotten.
        ids_[position] =
            QAccessible::registerAccessibleInterface(new TileAccessible(map_, position));
    }
    return QAccessible::accessibleInterface(ids_[position]);
}

void TreemapTileReadings::forget()
{
    for (const QAccessible::Id id : ids_) {
        if (id != 0) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    ids_.clear();
}

void TreemapTileReadings::tellFocus(std::size_t position)
{
    if (position >= map_.reachableCount()) {
        return;
    }
    QAccessibleEvent event(&map_, QAccessible::Focus);
    event.setChild(static_cast<int>(position));
    QAccessible::updateAccessibility(&event);
}

} // namespace tollenvane
