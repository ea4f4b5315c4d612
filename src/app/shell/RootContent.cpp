#include "app/shell/RootContent.h"

#include "app/design/Theme.h"
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
#include <QVBoxLayout>

namespace tollenvane {

RootContent::RootContent(AppModel& model, FileRevealer& revealer, LinkOpener& links,
                         QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , revealer_(revealer)
    , links_(links)
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
    showPage(model_.page());
    showOverlay(rootOverlay(model_.loading(), model_.state().preferences.onboardingComplete,
                            model_.showTutorial()));
}

void RootContent::showPage(Page page)
{
    if (shownPage_ == page) {
        return;
    }
    shownPage_ = page;
    page_ = PageFactory::make(page, PageServices{model_, revealer_, links_});
    pageHost_->addWidget(page_.get());
}

void RootContent::showOverlay(RootOverlay overlay)
{
    if (overlay == overlayKind_) {
        return;
    }
    overlayKind_ = overlay;
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
