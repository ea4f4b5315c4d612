#pragma once

#include "app/kit/KeyedRows.h"
#include "app/screens/tiles/RecommendationTile.h"

#include <QWidget>
#include <memory>

class QHBoxLayout;

namespace tollenvane {

class AppModel;
class ElidedLabel;
class TextBlock;

// The presets most worth a look, or a card that says where they will come from.
class SuggestionsSection : public QWidget {
    Q_OBJECT

public:
    // How many suggestions are shown at most.
    static constexpr std::size_t shownCount = 3;

    explicit SuggestionsSection(AppModel& model, QWidget* parent = nullptr);

    void refresh(bool tilesEnabled);

private:
    QWidget* header();
    QWidget* emptyCard();

    AppModel& model_;
    ElidedLabel* scanning_ = nullptr;
    QWidget* empty_ = nullptr;
    ElidedLabel* emptyTitle_ = nullptr;
    QWidget* tiles_;
    QHBoxLayout* tileRow_;
    std::unique_ptr<KeyedRows<SpacePreset, RecommendationTile>> rows_;
};

} // namespace tollenvane
