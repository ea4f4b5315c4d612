#pragma once

#include "core/localisation/AppLanguage.h"

#include <QWidget>
#include <memory>

namespace tollenvane {

class AppModel;
class RootContent;

// The window's whole content: the sidebar beside the current page, the status bar, and the
// covers, overlays, sheets and alerts above them. Every text is looked up as it is built, so a
// change of language builds it all again.
class RootView final : public QWidget {
    Q_OBJECT

public:
    explicit RootView(AppModel& model, QWidget* parent = nullptr);
    ~RootView() override;

    RootContent& content() const { return *content_; }

protected:
    // Tab goes in the order the window lays its controls out, rows made since included.
    bool focusNextPrevChild(bool next) override;

private:
    void languageMayHaveChanged();
    void rebuild();

    AppModel& model_;
    AppLanguage language_;
    bool rebuildQueued_ = false;
    std::unique_ptr<RootContent> content_;
};

} // namespace tollenvane
