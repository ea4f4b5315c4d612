#pragma once

#include "app/screens/storage/TreemapAccessible.h"
#include "core/storage/StorageNode.h"
#include "core/storage/TreemapRect.h"

#include <QPainterPath>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace tollenvane {

// The map of one folder: a block per tile, its area in proportion to the tile's bytes. A click
// hands the tile to the explorer; hovering brightens a block and shows its name and size. From
// the keyboard the map is one stop: the arrows move between blocks and show the chosen one's name
// and size under it, Space and Enter open it; assistive technology hears the map as a list whose
// focused item is that block, named by its name and size.
class TreemapView final : public QWidget {
    Q_OBJECT

public:
    static constexpr int mapHeight = 265;

    explicit TreemapView(std::function<void(const StorageNode&)> activated,
                         QWidget* parent = nullptr);

    // Lays the tiles out again only when they changed.
    void setTiles(std::vector<StorageNode> tiles);
    const std::vector<StorageNode>& tiles() const { return tiles_; }
    const std::vector<TreemapRect>& layout() const { return layout_; }
    std::optional<std::size_t> hovered() const { return hovered_; }

    QSize sizeHint() const override;

    // The blocks the arrows reach, in the layout's order: the smallest may be too small to show.
    std::size_t reachableCount() const;
    // The place in the layout of the block the arrows chose.
    std::size_t currentPosition() const { return current_; }
    const StorageNode& nodeAt(std::size_t position) const;
    QRect blockRect(std::size_t position) const;
    // Opens the block at `position`, as a click on it does.
    void open(std::size_t position);
    QAccessibleInterface* tileReading(std::size_t position) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool event(QEvent* event) override;

private:
    // What painting a block needs, worked out once per layout rather than per frame.
    struct Block {
        QRectF frame;
        QPainterPath shape;
        QStringList nameLines;
        QString size;
    };

    void relayout();
    std::optional<std::string> currentId() const;
    // Tells assistive technology that the block the arrows chose holds the focus.
    void tellCurrent();
    void setHovered(std::optional<std::size_t> tile);
    // `position` is a place in the layout.
    void setCurrent(std::size_t position);
    void activate(std::size_t tile);
    // `position` is a place in the layout; `at` where the pointer rests, if it does.
    void showCaption(std::size_t position, std::optional<QPoint> at = std::nullopt);
    void hideCaption();
    void paintBlock(QPainter& painter, const TreemapRect& rect, const Block& block) const;

    std::function<void(const StorageNode&)> activated_;
    std::vector<StorageNode> tiles_;
    std::vector<TreemapRect> layout_;
    std::vector<Block> blocks_; // parallel to layout_
    std::optional<std::size_t> hovered_;
    std::size_t current_ = 0; // a place in layout_
    bool captionDue_ = false;
    QString caption_;                  // the tool tip shown last
    std::optional<std::string> heard_; // the node of the block last told to hold the focus
    mutable TreemapTileReadings readings_{*this};
};

// The name a block shows at `width`: as far as it wraps, then the rest elided on a second line.
QStringList blockNameLines(const StorageNode& node, qreal width);

// What a block's tooltip says: the name and the size.
QString blockDescription(const StorageNode& node);

// The folder the map shows, `folder` (none for every source), as its name and the size of
// `nodes`, its content.
QString folderDescription(const std::optional<std::string>& folder,
                          const std::vector<StorageNode>& nodes);

} // namespace tollenvane
