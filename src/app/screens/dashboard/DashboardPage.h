#pragma once

#include "app/kit/ModelPage.h"

#include <array>

namespace tollenvane {

class CategorySection;
class ElidedLabel;
class MetricCard;
class PrimaryButton;
class SecondaryButton;
class StorageOverview;
class SuggestionsSection;

// The home page: the disk at a glance, what the sources hold, and where to start sorting.
class DashboardPage : public ModelPage {
    Q_OBJECT

public:
    explicit DashboardPage(AppModel& model, QWidget* parent = nullptr);

protected:
    void refresh() override;

private:
    QWidget* headingRow();
    QWidget* resumeCard();
    QWidget* metricGrid();
    QWidget* sourcesRow();
    QWidget* footnotes();

    SecondaryButton* refreshButton_ = nullptr;
    QWidget* resumeCard_ = nullptr;
    PrimaryButton* resumeButton_ = nullptr;
    StorageOverview* overview_;
    std::array<MetricCard*, 3> metrics_{};
    SuggestionsSection* suggestions_;
    CategorySection* categories_;
    ElidedLabel* readySources_ = nullptr;
};

} // namespace tollenvane
