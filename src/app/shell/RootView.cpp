#include "app/shell/RootView.h"

#include "app/kit/DesktopFileRevealer.h"
#include "app/kit/DesktopLinkOpener.h"
#include "app/kit/TabOrder.h"
#include "app/shell/RootContent.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QTimer>
#include <QVBoxLayout>

namespace tollenvane {

// The desktop's own services, kept across changes of language so that an answer still on its
// way finds who asked.
struct DesktopServices {
    DesktopFileRevealer revealer;
    DesktopLinkOpener links;
};

RootView::RootView(AppModel& model, QWidget* parent)
    : RootView(model, std::make_unique<DesktopServices>(), nullptr, nullptr, parent)
{}

RootView::RootView(AppModel& model, FileRevealer& revealer, LinkOpener& links, QWidget* parent)
    : RootView(model, nullptr, &revealer, &links, parent)
{}

RootView::RootView(AppModel& model, std::unique_ptr<DesktopServices> own, FileRevealer* revealer,
                   LinkOpener* links, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , own_(std::move(own))
    , revealer_(own_ ? own_->revealer : *revealer)
    , links_(own_ ? own_->links : *links)
    , language_(model.state().preferences.language)
{
    setObjectName(QStringLiteral("rootView"));
    const auto tell = [this](Unanswered::Request request, const std::string& target) {
        tellUnshown(request, target);
    };
    revealer_.whenUnanswered(tell);
    links_.whenUnanswered(tell);
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    rebuild();
    connect(&model, &AppModel::stateChanged, this, &RootView::languageMayHaveChanged);
}

RootView::~RootView()
{
    // Services handed in may outlive the view.
    revealer_.whenUnanswered({});
    links_.whenUnanswered({});
}

bool RootView::focusNextPrevChild(bool next)
{
    orderTabsAsLaidOut(*this);
    return QWidget::focusNextPrevChild(next);
}

void RootView::languageMayHaveChanged()
{
    const AppLanguage language = model_.state().preferences.language;
    if (language == language_ || rebuildQueued_) {
        return;
    }
    // The control that chose the language lives in the tree about to go; it finishes first.
    rebuildQueued_ = true;
    QTimer::singleShot(0, this, [this] {
        rebuildQueued_ = false;
        language_ = model_.state().preferences.language;
        rebuild();
    });
}

void RootView::rebuild()
{
    // The control that held the focus, the language picker most often, is built again: it
    // keeps the focus rather than leaving it to start again from the sidebar.
    const QWidget* focus = window()->focusWidget();
    const bool hadFocus = content_ && focus != nullptr && content_->isAncestorOf(focus);
    const QString focused = hadFocus ? focus->objectName() : QString();
    content_.reset();
    content_ = std::make_unique<RootContent>(model_, revealer_, links_);
    layout()->addWidget(content_.get());
    if (hadFocus) {
        content_->restoreFocus(focused);
    }
}

void RootView::tellUnshown(Unanswered::Request request, const std::string& target)
{
    switch (request) {
    case Unanswered::Request::show:
        model_.raiseAlert("Gestionnaire de fichiers indisponible",
                          Localization::text("Aucun gestionnaire de fichiers n’a pu afficher {0}."),
                          target);
        return;
    case Unanswered::Request::open:
        model_.raiseAlert("Navigateur indisponible",
                          Localization::text("Aucun navigateur n’a pu ouvrir {0}.", {target}));
        return;
    }
}

} // namespace tollenvane
