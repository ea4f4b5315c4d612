#pragma once

#include "app/design/Panel.h"
#include "app/kit/QueuedRefresh.h"
#include "core/insights/FileTally.h"

#include <QUrl>

namespace tollenvane {

class AppModel;
class LinkOpener;
class PrimaryButton;

// The card for people who edit video: one review of the large videos, a word of caution about
// masters and exports, and the editors' own guides for clearing their caches.
class CreatorGuidance final : public Panel {
    Q_OBJECT

public:
    // The guides the card links to, opened in the default browser.
    static QUrl firstGuide();
    static QUrl secondGuide();

    CreatorGuidance(AppModel& model, LinkOpener& links, QWidget* parent = nullptr);

    // The review needs at least one large video on any volume, and no decision under way.
    static bool canReview(bool busy, FileTally creatorTally);

private:
    void refresh();

    AppModel& model_;
    LinkOpener& links_;
    QueuedRefresh refresh_;
    PrimaryButton* review_;
};

} // namespace tollenvane
