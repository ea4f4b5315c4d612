#pragma once

#include "app/kit/AddedFolders.h"
#include "app/kit/QueuedRefresh.h"
#include "app/shell/RootRules.h"
#include "model/Page.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

class QVBoxLayout;

namespace tollenvane {

class AppModel;
class FileRevealer;
class LinkOpener;
class ResultNotice;
class ScanIssuesSheet;

// Everything the window shows in one language: the sidebar, the status bar, the current page,
// what covers them and what opens above them. A change of language replaces it whole.
class RootContent : public QWidget {
    Q_OBJECT

public:
    RootContent(AppModel& model, FileRevealer& revealer, LinkOpener& links,
                QWidget* parent = nullptr);

    QWidget* currentPage() const { return page_.get(); }
    RootOverlay overlay() const { return overlayKind_; }

    void showScanIssues();
    // Gives the focus to the control named `name`, once the content has filled, as a content
    // replaced while `name` held it; to the page's first control when there is none.
    void restoreFocus(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();
    void showPage(Page page);
    void showOverlay(RootOverlay overlay);
    void focusPage();
    void tellAddedFolders(bool toldByPage);

    AppModel& model_;
    FileRevealer& revealer_;
    LinkOpener& links_;
    QWidget* body_;
    QVBoxLayout* pageHost_;
    std::unique_ptr<QWidget> page_;
    std::optional<Page> shownPage_;
    std::unique_ptr<QWidget> overlay_;
    RootOverlay overlayKind_ = RootOverlay::none;
    QPointer<ScanIssuesSheet> scanIssues_;
    AddedFolders added_;
    ResultNotice* addedNotice_;
    QueuedRefresh refresh_;
};

} // namespace tollenvane
