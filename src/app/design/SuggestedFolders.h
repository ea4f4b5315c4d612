#pragma once

#include "app/design/TileGrid.h"
#include "model/access/StandardFolders.h"

#include <QWidget>
#include <array>
#include <functional>
#include <string_view>
#include <vector>

namespace tollenvane {

class AppModel;

// One shortcut to a usual folder of the home: its title's catalogue key, its symbol and the
// user folder the chooser opens in.
struct SuggestedFolder {
    std::string_view titleKey;
    std::string_view symbol;
    StandardFolder folder;
};

// The five suggestions in display order; never filtered by what is already authorised.
const std::array<SuggestedFolder, 5>& suggestedFolders();

// Columns of at least `minimumColumnWidth` separated by `columnSpacing` that fit `width`;
// always at least one.
int suggestedFolderColumns(int width);

// What a tile click does: the model's chooser for new sources, opened in that folder. The model
// itself refuses while busy or while a session runs.
std::function<void(StandardFolder)> sourceChooser(AppModel& model);

// A grid of tiles, one per suggestion, each opening the chooser in its folder.
class SuggestedFolders final : public TileGrid {
    Q_OBJECT

public:
    static constexpr int minimumColumnWidth = 150;
    static constexpr int columnSpacing = 8;
    static constexpr int rowSpacing = 10;

    static constexpr TileGridMetrics metrics{minimumColumnWidth, columnSpacing, rowSpacing, 3};

    explicit SuggestedFolders(std::function<void(StandardFolder)> choose,
                              QWidget* parent = nullptr);

protected:
    int tileHeight() const override;
};

} // namespace tollenvane
