#pragma once

#include "app/kit/KeyedRows.h"
#include "app/kit/ModelPage.h"
#include "app/kit/PageServices.h"
#include "app/screens/applications/ApplicationSelection.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QVBoxLayout;

namespace tollenvane {

class ApplicationRow;
class ElidedLabel;
class Spinner;
class TextBlock;

// The installed applications, narrowed by last use and a search, in one of three orders, each
// with what may be done with it; below the filters, the data removed applications left behind.
// The order, the age and the search are the page's own and start over each time it is shown.
class ApplicationsPage final : public ModelPage {
    Q_OBJECT

public:
    explicit ApplicationsPage(const PageServices& services, QWidget* parent = nullptr);

protected:
    void refresh() override;

private:
    QWidget* makeFilters();
    QWidget* makeActions();
    void onShown();
    ApplicationStanding standing(const FileRecord& application);
    void sortSelection();
    void syncIssues();

    FileRevealer& revealer_;
    ApplicationQuery query_;
    // The selection as last shown, so that the sort button hands over what the user sees.
    std::vector<FileRecord> selection_;
    // What the deck's rules need of each bundle, read once per bundle.
    std::map<std::string, BundleFacts, std::less<>> facts_;

    QLineEdit* search_ = nullptr;
    QComboBox* age_ = nullptr;
    QComboBox* order_ = nullptr;
    QWidget* refreshButton_ = nullptr;
    QWidget* progress_ = nullptr;
    ElidedLabel* count_ = nullptr;
    QWidget* sort_ = nullptr;
    QWidget* empty_ = nullptr;
    QWidget* list_ = nullptr;
    QVBoxLayout* listLayout_ = nullptr;
    TextBlock* issueCount_ = nullptr;
    std::unique_ptr<KeyedRows<std::string, ApplicationRow>> rows_;
    std::unique_ptr<KeyedRows<std::string, TextBlock>> issues_;
};

} // namespace tollenvane
