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
    // The preview sheet opens here over window_ for model_.inspectedFile(), and clears it as it
    // closes. Until it exists nothing opens, and the inspected file stays as the model set it.
}

} // namespace tollenvane
