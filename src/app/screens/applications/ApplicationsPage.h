#pragma once

#include "app/kit/ModelPage.h"
#include "app/kit/PageServices.h"
#include "app/screens/applications/ApplicationSelection.h"
#include "app/screens/applications/OrderedApplications.h"

#include <QElapsedTimer>
#include <QTimer>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;

namespace tollenvane {

class ElidedLabel;
class TextBlock;
class VirtualList;

// The installed applications, narrowed by last use and a search, in one of three orders, each
// with what may be done with it; below the filters, the data removed applications left behind.
// The order, the age and the search are the page's own and start over each time it is shown.
// Only the rows in sight exist; an inventory batch costs the page the applications it brings.
class ApplicationsPage final : public ModelPage {
    Q_OBJECT

public:
    explicit ApplicationsPage(const PageServices& services, QWidget* parent = nullptr);
    ~ApplicationsPage() override;

protected:
    void refresh() override;

private:
    QWidget* makeFilters();
    QWidget* makeActions();
    VirtualList* makeList();
    VirtualList* makeIssues();
    void onShown();
    // What a refresh follows besides the list's length.
    struct Followed {
        std::uint64_t generation = 0;
        bool scanningApplications = false;
        bool sessionActive = false;
        bool busy = false;
        std::size_t issues = 0;
        bool operator==(const Followed&) const = default;
    };
    Followed followed() const;
    // True when the refresh waits: only applications were appended, and the last ones were
    // taken in a moment ago.
    bool deferAppend();
    bool deferLongList();
    // The query changed: the selection is made again from the whole list.
    void requery();
    // The selection follows the model's list: made again after any change but an append (then
    // true), else given the applications appended since.
    bool syncSelection();
    void rebuildSelection();
    void takeAppended();
    // Protected, running or sortable, for the applications taken from `first` on: from the
    // standings judged with their records, reading nothing.
    void judgeFrom(std::size_t first);
    void countSortable();
    // The application at `row` of the list; none while the list waits for a refresh.
    const FileRecord* shownAt(std::size_t row) const;
    void presentRow(QWidget& row, std::size_t index);
    void sortSelection();
    void syncIssues();

    FileRevealer& revealer_;
    ApplicationQuery query_;
    // The selection, by position in the model's list; none until the next sync makes it again.
    std::optional<OrderedApplications> selection_;
    std::uint64_t generation_ = 0;
    // By position in the model's list, for every application taken.
    std::vector<ApplicationStanding> standings_;
    std::size_t sortable_ = 0;
    // What the standings and the rows were last judged with.
    std::set<std::string> running_;
    std::optional<Followed> shown_;
    QElapsedTimer sinceTaken_;
    QTimer appendTimer_;
    bool examineEnabled_ = true;
    bool longListDeferred_ = false;

    QLineEdit* search_ = nullptr;
    QComboBox* age_ = nullptr;
    QComboBox* order_ = nullptr;
    QWidget* refreshButton_ = nullptr;
    QWidget* progress_ = nullptr;
    ElidedLabel* count_ = nullptr;
    QWidget* sort_ = nullptr;
    QWidget* empty_ = nullptr;
    VirtualList* list_ = nullptr;
    TextBlock* issueCount_ = nullptr;
    VirtualList* issues_ = nullptr;
    // The list of applications the problems shown came with.
    std::uint64_t issuesGeneration_ = 0;
    // Never shown: measures the problems' wrapped heights.
    std::unique_ptr<TextBlock> issueMeasure_;
};

} // namespace tollenvane
