#pragma once

#include "app/kit/ModelPage.h"
#include "core/duplicates/DuplicateGroup.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cstddef>
#include <string>
#include <vector>

namespace tollenvane {

class DuplicateGroupBatch;
class ElidedLabel;
class Panel;
class SecondaryButton;

// The groups of identical files found by the last search, each copy with the button that keeps
// it and sends the others to review. Thousands of groups are built a slice at a time from the
// event loop, so the page shows at once and keeps answering while the list fills.
class DuplicatesPage final : public ModelPage {
    Q_OBJECT

public:
    explicit DuplicatesPage(AppModel& model, QWidget* parent = nullptr);

    // The groups that have their panel so far, from the first.
    std::size_t shownGroups() const { return shown_; }
    // Every group of the model has its panel.
    bool complete() const;

protected:
    void refresh() override;

private:
    // Builds the panels of the longest leading run of groups that needs at most `allowance` new
    // ones; `updateShown` also brings the panels already there up to date.
    void build(std::size_t allowance, bool updateShown);
    bool hasPanel(std::size_t index, const DuplicateGroup& group) const;
    void scheduleSlice();
    void buildSlice();
    void previewFile(const std::string& path);
    void keepCopy(const std::string& digest, const std::string& path);

    QWidget* groupList_;
    tollenvane::Panel* progress_; // QFrame names a shape Panel
    ElidedLabel* progressText_;
    QWidget* empty_;
    SecondaryButton* search_;
    // Consecutive runs of the shown groups, in order.
    std::vector<DuplicateGroupBatch*> batches_;
    std::size_t shown_ = 0;
    bool groupsChanged_ = true;
    bool keepEnabled_ = true;
    QTimer slices_;
    std::size_t sliceSize_;
    QElapsedTimer cycle_;
};

} // namespace tollenvane
