#include "app/design/TileGrid.h"

#include <algorithm>

namespace tollenvane {

int tileGridColumns(int width, const TileGridMetrics& metrics)
{
    const int step = metrics.minimumColumnWidth + metrics.columnSpacing;
    return std::max(1, (width + metrics.columnSpacing) / step);
}

TileGrid::TileGrid(TileGridMetrics metrics, QWidget* parent)
    : QWidget(parent)
    , metrics_(metrics)
{
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void TileGrid::addTile(QWidget* tile)
{
    tile->setParent(this);
    tiles_.push_back(tile);
    placeTiles();
    updateGeometry();
}

void TileGrid::widenColumns(int width)
{
    metrics_.minimumColumnWidth = std::max(metrics_.minimumColumnWidth, width);
    placeTiles();
    updateGeometry();
}

int TileGrid::tileHeight() const
{
    return tiles_.empty() ? 0 : tiles_.front()->sizeHint().height();
}

int TileGrid::heightForWidth(int width) const
{
    const int count = static_cast<int>(tiles_.size());
    const int columns = tileGridColumns(width, metrics_);
    const int rows = (count + columns - 1) / columns;
    return rows * tileHeight() + std::max(0, rows - 1) * metrics_.rowSpacing;
}

QSize TileGrid::sizeHint() const
{
    const int width = metrics_.preferredColumns * metrics_.minimumColumnWidth +
                      (metrics_.preferredColumns - 1) * metrics_.columnSpacing;
    return {width, heightForWidth(width)};
}

QSize TileGrid::minimumSizeHint() const
{
    return {metrics_.minimumColumnWidth, heightForWidth(metrics_.minimumColumnWidth)};
}

void TileGrid::resizeEvent(QResizeEvent*)
{
    placeTiles();
}

void TileGrid::placeTiles()
{
    const int columns = tileGridColumns(width(), metrics_);
    const int tileWidth = (width() - (columns - 1) * metrics_.columnSpacing) / columns;
    const int height = tileHeight();
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const int column = static_cast<int>(i) % columns;
        const int row = static_cast<int>(i) / columns;
        tiles_[i]->setGeometry(column * (tileWidth + metrics_.columnSpacing),
                               row * (height + metrics_.rowSpacing), tileWidth, height);
    }
}

} // namespace tollenvane
