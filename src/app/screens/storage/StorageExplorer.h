#pragma once

#include "app/design/Panel.h"
#include "app/kit/QueuedRefresh.h"
#include "core/storage/StorageNode.h"

namespace tollenvane {

class AppModel;
class ElidedLabel;
class EmptyState;
class FileRevealer;
class PlainButton;
class Spinner;
class SpokenNotice;
class StorageRow;
class SymbolView;
class TextBlock;
class TreemapView;
class VirtualList;

// The map of the authorised folders: the children of one folder as a treemap, then as a list
// that can open them, sort them or reveal them, built only for the rows in sight. Only the list's
// length is its own; the folder shown and its content are the model's.
class StorageExplorer final : public Panel {
    Q_OBJECT

public:
    StorageExplorer(AppModel& model, FileRevealer& revealer, int visibleLimit,
                    QWidget* parent = nullptr);
    ~StorageExplorer() override;

    int visibleLimit() const { return visibleLimit_; }

private:
    void refresh();
    void refreshBreadcrumb();
    void refreshList();
    // The nodes the list shows: the model's, up to the visible limit.
    std::size_t shownCount() const;
    // The list follows a new visible limit, the rows already there left as they are.
    void syncList();
    void setVisibleLimit(int limit);
    void activate(const StorageNode& node);
    void goBack();
    void showTop();
    void sortFolder(const StorageNode& node);
    // Says which folder shows once its content has come, when it is another than the one heard
    // last: the model reads the folder shown again as a scan goes on.
    void tellFolderShown();

    AppModel& model_;
    FileRevealer& revealer_;
    int visibleLimit_;
    QueuedRefresh refresh_;

    Spinner* spinner_;
    SymbolView* chevron_;
    ElidedLabel* folderName_;
    PlainButton* up_;
    PlainButton* revealFolder_;
    EmptyState* empty_;
    TreemapView* map_;
    VirtualList* list_;
    bool busy_ = false;
    QWidget* footer_;
    PlainButton* more_;
    PlainButton* less_;
    SpokenNotice* notice_;
    // The folder shown when the page opened, or told since.
    std::optional<std::string> heardFolder_;
};

} // namespace tollenvane
