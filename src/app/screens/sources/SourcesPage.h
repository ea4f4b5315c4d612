#pragma once

#include "app/kit/KeyedRows.h"
#include "app/kit/ModelPage.h"

#include <memory>
#include <string>

class QVBoxLayout;

namespace tollenvane {

class AppModel;
class EmptyState;
class LinkOpener;
class PrimaryButton;
class SecondaryButton;
class SourcePanel;
class SuggestedFolders;
class TextBlock;

// The authorised source folders, one panel each, with the controls to add, rescan, renew, open
// and remove them.
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

    LinkOpener& links_;
    PrimaryButton* add_ = nullptr;
    SecondaryButton* rescan_ = nullptr;
    TextBlock* sessionNotice_ = nullptr;
    QVBoxLayout* panels_ = nullptr;
    std::unique_ptr<KeyedRows<std::string, SourcePanel>> rows_;
    EmptyState* empty_ = nullptr;
    SuggestedFolders* suggestions_ = nullptr;
};

} // namespace tollenvane
