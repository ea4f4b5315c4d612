#pragma once

#include <QWidget>
#include <vector>

namespace tollenvane {

// How a tile grid lays its tiles out: columns at least `minimumColumnWidth` wide, and the
// number of columns its preferred size is made of.
struct TileGridMetrics {
    int minimumColumnWidth = 150;
    int columnSpacing = 8;
    int rowSpacing = 10;
    int preferredColumns = 3;
};

// The columns of at least the minimum width, with their spacing, that fit `width`; at least one.
int tileGridColumns(int width, const TileGridMetrics& metrics);

// Tiles of one height in as many equal columns as the width allows, filled row by row; its
// height follows its width.
class TileGrid : public QWidget {
    Q_OBJECT

public:
    explicit TileGrid(TileGridMetrics metrics, QWidget* parent = nullptr);

    // The grid takes the tile and places it after the others.
    void addTile(QWidget* tile);
    const std::vector<QWidget*>& tiles() const { return tiles_; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The height of every tile: the first one's preferred height unless a grid knows better.
    virtual int tileHeight() const;
    // Columns at least `width` wide from now on, when that is more than the metrics ask.
    void widenColumns(int width);

private:
    void placeTiles();

    TileGridMetrics metrics_;
    std::vector<QWidget*> tiles_;
};

} // namespace tollenvane
