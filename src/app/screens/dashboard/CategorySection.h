#pragma once

#include <QWidget>
#include <vector>

namespace tollenvane {

class AppModel;
class CategoryTile;
class ElidedLabel;

// "What do you want to sort?": one tile per type of file, each opening its session set-up.
class CategorySection : public QWidget {
    Q_OBJECT

public:
    explicit CategorySection(AppModel& model, QWidget* parent = nullptr);

    void refresh(bool tilesEnabled);

private:
    AppModel& model_;
    ElidedLabel* detected_;
    std::vector<CategoryTile*> tiles_;
};

} // namespace tollenvane
