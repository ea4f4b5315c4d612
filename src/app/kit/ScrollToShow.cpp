#include "app/kit/ScrollToShow.h"

#include "app/kit/VirtualList.h"

#include <QScrollArea>
#include <QScrollBar>
#include <algorithm>

namespace tollenvane {

void scrollToShow(QScrollArea& area, QWidget& control)
{
    const QWidget& viewport = *area.viewport();
    const int viewHeight = viewport.height();
    const int shownTop = control.mapTo(&viewport, QPoint()).y();
    if (shownTop >= 0 && shownTop + control.height() <= viewHeight) {
        return;
    }
    const int margin = std::clamp((viewHeight - control.height()) / 2, 0, 50);
    VirtualList* list = nullptr;
    for (QWidget* at = control.parentWidget(); at != nullptr && at != &viewport;
         at = at->parentWidget()) {
        if (auto* each = qobject_cast<VirtualList*>(at)) {
            list = each;
        }
    }
    QScrollBar& bar = *area.verticalScrollBar();
    const std::optional<int> moved =
        list == nullptr ? std::nullopt : list->scrollShowing(control, viewport, margin);
    if (moved) {
        bar.setValue(std::clamp(bar.value() + *moved, bar.minimum(), bar.maximum()));
        return;
    }
    area.ensureWidgetVisible(&control, 0, margin);
}

} // namespace tollenvane
