#pragma once

#include <QWidget>
#include <vector>

namespace tollenvane {

class TypeTile;

// The type tiles in as many columns of at least minimumColumnWidth as the width allows.
class TypeGrid final : public QWidget {
    Q_OBJECT

public:
    static constexpr int minimumColumnWidth = 155;
    static constexpr int columnSpacing = 8;
    static constexpr int rowSpacing = 10;

    explicit TypeGrid(QWidget* parent = nullptr);

    // The grid takes the tile and places it after the others.
    void addTile(TypeTile* tile);
    const std::vector<TypeTile*>& tiles() const { return tiles_; }

    static int columns(int width);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int tileHeight() const;
    void placeTiles();

    std::vector<TypeTile*> tiles_;
};

} // namespace tollenvane
