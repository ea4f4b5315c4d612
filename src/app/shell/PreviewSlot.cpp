#include "app/shell/PreviewSlot.h"

#include "model/AppModel.h"

#include <QWidget>

namespace tollenvane {

PreviewSlot::PreviewSlot(AppModel& model, QWidget& window)
    : QObject(&window)
    , model_(model)
    , window_(window)
{
    connect(&model, &AppModel::inspectedFileChanged, this, &PreviewSlot::refresh,
            Qt::QueuedConnection);
}

void PreviewSlot::refresh()
{
    // No preview sheet yet: nothing opens, and the model's inspected file stays as it was set.
    static_cast<void>(model_);
    static_cast<void>(window_);
}

} // namespace tollenvane
