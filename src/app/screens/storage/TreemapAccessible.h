#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

namespace tollenvane {

class TreemapView;

// What assistive technology is told of the folder map: a list whose items are its blocks, each
// named by its name and size, the block the arrows chose holding the focus. A screen reader hears
// each block as the arrows reach it, as it does the rows of a list.
class TreemapAccessible final : public QAccessibleWidget {
public:
    explicit TreemapAccessible(TreemapView& map);

    // For QAccessible::installFactory: the reading of every map, none for other objects.
    static QAccessibleInterface* factory(const QString& key, QObject* object);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;

private:
    TreemapView& map() const;
};

// The readings of a map's blocks, made as assistive technology asks for them and forgotten as
// the blocks are laid out again, so that none outlives what it reads.
class TreemapTileReadings {
public:
    explicit TreemapTileReadings(TreemapView& map);
    ~TreemapTileReadings();
    TreemapTileReadings(const TreemapTileReadings&) = delete;
    TreemapTileReadings& operator=(const TreemapTileReadings&) = delete;

    QAccessibleInterface* at(std::size_t position);
    void forget();
    // Tells assistive technology that the block at `position` holds the focus.
    void tellFocus(std::size_t position);

private:
    TreemapView& map_;
    std::vector<QAccessible::Id> ids_;
};

} // namespace tollenvane
