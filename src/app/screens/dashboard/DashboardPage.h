#pragma once

#include "app/kit/KeyboardStart.h"
#include "app/kit/ModelPage.h"

#include <QPointer>
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
class DashboardPage : public ModelPage, public KeyboardStart {
    Q_OBJECT

public:
    explicit DashboardPage(AppModel& model, QWidget* parent = nullptr);

    // On resuming the saved session when one waits, else on start sorting or what stands in its
    // place: resume, or choose folders.
    bool takeKeyboard() override;

protected:
    void refresh() override;

private:
    QWidget* headingRow();
    QWidget* resumeCard();
    QWidget* metricGrid();
    QWidget* sourcesRow();
    QWidget* footnotes();
    // Where the keyboard starts: the saved session's resume, else the storage card's action.
    QWidget* callToAction() const;

    SecondaryButton* refreshButton_ = nullptr;
    QWidget* resumeCard_ = nullptr;
    PrimaryButton* resumeButton_ = nullptr;
    StorageOverview* overview_;
    std::array<MetricCard*, 3> metrics_{};
    SuggestionsSection* suggestions_;
    CategorySection* categories_;
    ElidedLabel* readySources_ = nullptr;
    // The call to action last shown, and whether the page holds the keyboard for it.
    QPointer<QWidget> shownStart_;
    bool holdsForStart_ = false;
};

} // namespace tollenvane
