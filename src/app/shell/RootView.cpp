#include "app/shell/RootView.h"

#include "app/kit/TabOrder.h"
#include "app/shell/RootContent.h"
#include "model/AppModel.h"

#include <QTimer>
#include <QVBoxLayout>

namespace tollenvane {

RootView::RootView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , language_(model.state().preferences.language)
{
    setObjectName(QStringLiteral("rootView"));
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    rebuild();
    connect(&model, &AppModel::stateChanged, this, &RootView::languageMayHaveChanged);
}

RootView::~RootView() = default;

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
    content_ = std::make_unique<RootContent>(model_);
    layout()->addWidget(content_.get());
    if (hadFocus) {
        content_->restoreFocus(focused);
    }
}

} // namespace tollenvane
