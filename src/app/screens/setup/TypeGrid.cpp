#include "app/screens/setup/TypeGrid.h"

#include "app/screens/setup/TypeTile.h"

#include <algorithm>

namespace tollenvane {

TypeGrid::TypeGrid(QWidget* parent)
    : QWidget(parent)
{
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void TypeGrid::addTile(TypeTile* tile)
{
    tile->setParent(this);
    tiles_.push_back(tile);
    placeTiles();
    updateGeometry();
}

int TypeGrid::columns(int width)
{
    return std::max(1, (width + columnSpacing) / (minimumColumnWidth + columnSpacing));
}

int TypeGrid::tileHeight() const
{
    return tiles_.empty() ? 0 : tiles_.front()->sizeHint().height();
}

int TypeGrid::heightForWidth(int width) const
{
    const int count = static_cast<int>(tiles_.size());
    const int perRow = columns(width);
    const int rows = (count + perRow - 1) / perRow;
    return rows * tileHeight() + std::max(0, rows - 1) * rowSpacing;
}

QSize TypeGrid::sizeHint() const
{
    const int width = 4 * minimumColumnWidth + 3 * columnSpacing;
    return {width, heightForWidth(width)};
}

QSize TypeGrid::minimumSizeHint() const
{
    return {minimumColumnWidth, heightForWidth(minimumColumnWidth)};
}

void TypeGrid::resizeEvent(QResizeEvent*)
{
    placeTiles();
}

void TypeGrid::placeTiles()
{
    const int perRow = columns(width());
    const int tileWidth = (width() - (perRow - 1) * columnSpacing) / perRow;
    const int height = tileHeight();
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const int column = static_cast<int>(i) % perRow;
        const int row = static_cast<int>(i) / perRow;
        tiles_[i]->setGeometry(column * (tileWidth + columnSpacing), row * (height + rowSpacing),
                               tileWidth, height);
    }
}

} // namespace tollenvane
