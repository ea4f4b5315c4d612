#pragma once

#include "app/kit/AddedFolders.h"
#include "app/kit/ModelPage.h"
#include "app/screens/sources/SourceHeights.h"
#include "app/screens/sources/SourcePanel.h"

#include <memory>
#include <string>
#include <vector>

namespace tollenvane {

class AppModel;
class EmptyState;
class LinkOpener;
class PrimaryButton;
class ResultNotice;
class SecondaryButton;
class SuggestedFolders;
class TextBlock;
class VirtualList;

// The authorised source folders, one panel each, built only for those in sight, with the
// controls to add, rescan, renew, open and remove them.
class SourcesPage final : public ModelPage {
    Q_OBJECT

public:
    SourcesPage(AppModel& model, LinkOpener& links, QWidget* parent = nullptr);

protected:
    void refresh() override;

private:
    QWidget* makeButtonRow();
    void openSource(const std::string& grantID);
    void removeSource(const std::string& grantID);
    // The panels follow the grants and, when asked, the statuses of those already shown.
    void syncSources(bool checkShown);
    // The panel shows source `index` with its count.
    void present(SourcePanel& panel, std::size_t index) const;

    LinkOpener& links_;
    PrimaryButton* add_ = nullptr;
    SecondaryButton* rescan_ = nullptr;
    TextBlock* sessionNotice_ = nullptr;
    VirtualList* panels_ = nullptr;
    // Measures the panels' heights without being shown.
    std::unique_ptr<SourcePanel> probe_;
    std::unique_ptr<SourceHeights> heights_;
    std::vector<ShownSource> shown_;
    SourcePanel::Controls controls_;
    // The grants past the first batch are on their way.
    bool continuing_ = false;
    EmptyState* empty_ = nullptr;
    SuggestedFolders* suggestions_ = nullptr;
    AddedFolders added_;
    ResultNotice* notice_ = nullptr;
};

} // namespace tollenvane
