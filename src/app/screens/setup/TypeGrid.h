#pragma once

#include "app/design/TileGrid.h"
#include "app/screens/setup/TypeTile.h"

#include <vector>

namespace tollenvane {

// The type tiles in as many columns of at least 155 pixels, and of the widest tile, as the width
// allows.
class TypeGrid final : public TileGrid {
    Q_OBJECT

public:
    static constexpr TileGridMetrics metrics{155, 8, 10, 4};

    explicit TypeGrid(QWidget* parent = nullptr)
        : TileGrid(metrics, parent)
    {}

    void addTile(TypeTile* tile)
    {
        TileGrid::addTile(tile);
        // No column narrower than its widest tile, so that no type's name is cut.
        widenColumns(tile->sizeHint().width());
        typeTiles_.push_back(tile);
    }
    const std::vector<TypeTile*>& tiles() const { return typeTiles_; }

private:
    std::vector<TypeTile*> typeTiles_;
};

} // namespace tollenvane
