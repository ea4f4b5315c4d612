#pragma once

#include "app/screens/dashboard/DashboardRules.h"
#include "app/screens/tiles/CardSurface.h"

#include <array>

namespace tollenvane {

class AppModel;
class ElidedLabel;
class PrimaryButton;
class StorageRing;
class SymbolView;
class TextBlock;

// The card of the selected volume: its ring, its free and used space, and the page's call to
// action, which is heard with them.
class StorageOverview : public CardSurface {
    Q_OBJECT

public:
    explicit StorageOverview(AppModel& model, QWidget* parent = nullptr);

    // `startEnabled`: whether "start sorting" accepts a click when it is the action shown.
    void refresh(bool startEnabled);
    // The card's one call to action for the model as it is: where the keyboard starts.
    QWidget* primaryButton() const;

private:
    PrimaryAction currentAction() const;
    QWidget* volumeRow();
    QWidget* actionRow();

    AppModel& model_;
    StorageRing* ring_;
    std::array<SymbolView*, 2> volumeSymbols_{};
    ElidedLabel* volumeName_;
    ElidedLabel* free_;
    ElidedLabel* used_;
    TextBlock* purgeable_;
    QWidget* facts_;
    PrimaryButton* resume_;
    PrimaryButton* start_;
    PrimaryButton* choose_;
};

} // namespace tollenvane
