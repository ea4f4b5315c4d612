#pragma once

#include "app/kit/ModelPage.h"
#include "app/kit/PageServices.h"
#include "core/insights/SpacePreset.h"

#include <map>

namespace tollenvane {

class DuplicatesCard;
class RecommendationTile;

// Where the user picks the disk to work on, sees what takes room on it and starts a review
// from a ready-made selection or a duplicate search.
class SpacePage final : public ModelPage {
    Q_OBJECT

public:
    explicit SpacePage(const PageServices& services, QWidget* parent = nullptr);

protected:
    void refresh() override;

private:
    std::map<SpacePreset, RecommendationTile*> presets_;
    DuplicatesCard* duplicates_;
};

} // namespace tollenvane
