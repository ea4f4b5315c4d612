#include "app/shell/RootContent.h"

#include "app/design/ResultNotice.h"
#include "app/design/Theme.h"
#include "app/kit/KeyboardStart.h"
#include "app/kit/TabOrder.h"
#include "app/shell/AlertPresenter.h"
#include "app/shell/LaunchScreen.h"
#include "app/shell/PageFactory.h"
#include "app/shell/PreviewSlot.h"
#include "app/shell/ScanIssuesSheet.h"
#include "app/shell/Sidebar.h"
#include "app/shell/StatusBar.h"
#include "app/tutorial/TutorialOverlay.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

namespace tollenvane {

RootContent::RootContent(AppModel& model, FileRevealer& revealer, LinkOpener& links,
                         QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , revealer_(revealer)
    , links_(links)
    , addedNotice_(new ResultNotice(*this, QStringLiteral("foldersAddedNotice")))
    , refresh_(*this, [this] { refresh(); })
{
    setObjectName(QStringLiteral("rootContent"));
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);

    body_ = new QWidget;
    fill->addWidget(body_);
    auto* columns = new QHBoxLayout(body_);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);
    columns->addWidget(new Sidebar(model));

    auto* detail = new QVBoxLayout;
    detail->setSpacing(0);
    detail->addWidget(new StatusBar(model, [this] { showScanIssues(); }));
    pageHost_ = new QVBoxLayout;
    pageHost_->setContentsMargins(0, 0, 0, 0);
    detail->addLayout(pageHost_, 1);
    columns->addLayout(detail, 1);

    new AlertPresenter(model, *this);
    new PreviewSlot(model, *this);

    refresh_.follow(model, {&AppModel::pageChanged, &AppModel::loadingChanged,
                            &AppModel::stateChanged, &AppModel::showTutorialChanged});
    refresh();
}

void RootContent::refresh()
{
    // As things stood when the folders came: the sources page and the tutorial tell their own.
    const bool toldByPage = overlay_ != nullptr || shownPage_ == Page::sources;
    showPage(model_.page());
    showOverlay(rootOverlay(model_.loading(), model_.state().preferences.onboardingComplete,
                            model_.showTutorial()));
    tellAddedFolders(toldByPage);
}

// Folders added from the menu while another page shows, or from a page that goes once they are.
void RootContent::tellAddedFolders(bool toldByPage)
{
    // The loaded sources are the first the list knows, none of them added.
    if (model_.loading()) {
        return;
    }
    if (const auto added = added_.since(model_.state().sources); !added.empty() && !toldByPage) {
        addedNotice_->tell(foldersAddedNotice(added));
    }
}

void RootContent::showPage(Page page)
{
    if (shownPage_ == page) {
        return;
    }
    shownPage_ = page;
    // A control of the page that goes takes the focus with it, which would then start again
    // from the sidebar: the new page takes it, as it does from the menu bar or from nowhere. A
    // control of the sidebar or the status bar keeps it, unless the new page names where the
    // keyboard starts on it.
    const QWidget* focus = window()->focusWidget();
    const bool first = !page_;
    const bool focusLeaves =
        page_ && (focus == nullptr || !isAncestorOf(focus) || page_->isAncestorOf(focus));
    page_ = PageFactory::make(page, PageServices{model_, revealer_, links_});
    // A page that holds the keyboard for a control not open yet is heard by its title.
    if (page_->accessibleName().isEmpty()) {
        page_->setAccessibleName(QString::fromStdString(label(page)));
    }
    pageHost_->addWidget(page_.get());
    // The window's first page does not wait for Qt to hand the focus to whatever comes first.
    const bool startsOnAction = first && dynamic_cast<const KeyboardStart*>(page_.get());
    if (focusLeaves || page_->focusProxy() != nullptr || startsOnAction) {
        // Once the page's first refresh has shown its controls.
        QTimer::singleShot(0, page_.get(), [this] { focusPage(); });
    }
}

void RootContent::restoreFocus(const QString& name)
{
    QTimer::singleShot(0, this, [this, name] {
        for (QWidget* control : findChildren<QWidget*>(name)) {
            if (!name.isEmpty() && (control->focusPolicy() & Qt::TabFocus) != 0 &&
                control->isVisibleTo(this) && control->isEnabled()) {
                control->setFocus(Qt::OtherFocusReason);
                return;
            }
        }
        focusPage();
    });
}

void RootContent::focusPage()
{
    if (!page_) {
        return;
    }
    if (page_->focusProxy() != nullptr) {
        page_->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QWidget* focus = window()->focusWidget();
    if (focus != nullptr && page_->isAncestorOf(focus)) {
        return;
    }
    if (auto* named = dynamic_cast<KeyboardStart*>(page_.get());
        named != nullptr && named->takeKeyboard()) {
        return;
    }
    if (QWidget* first = firstTabStop(*page_)) {
        first->setFocus(Qt::OtherFocusReason);
    }
}

void RootContent::showOverlay(RootOverlay overlay)
{
    if (overlay == overlayKind_) {
        return;
    }
    overlayKind_ = overlay;
    // A cover that goes with the focus, or that held none, leaves it to the page under it, not
    // to the sidebar.
    const QWidget* focus = window()->focusWidget();
    const bool focusLeaves = overlay_ && (focus == nullptr || overlay_->isAncestorOf(focus));
    overlay_.reset();
    switch (overlay) {
    case RootOverlay::none:
        break;
    case RootOverlay::launch:
        overlay_ = std::make_unique<LaunchScreen>();
        break;
    case RootOverlay::tutorial:
        overlay_ = std::make_unique<TutorialOverlay>(model_);
        break;
    }
    // What lies under a cover takes no click and no focus.
    body_->setEnabled(overlay_ == nullptr);
    if (focusLeaves && !overlay_) {
        QTimer::singleShot(0, this, [this] { focusPage(); });
    }
    if (overlay_) {
        overlay_->setParent(this);
        overlay_->setGeometry(rect());
        overlay_->show();
        overlay_->raise();
    }
}

void RootContent::showScanIssues()
{
    if (!scanIssues_) {
        scanIssues_ = new ScanIssuesSheet(model_, this);
        connect(scanIssues_, &QDialog::finished, scanIssues_, &QObject::deleteLater);
    }
    scanIssues_->open();
}

void RootContent::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Theme::color(Theme::bg));
}

void RootContent::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (overlay_) {
        overlay_->setGeometry(rect());
    }
}

} // namespace tollenvane
