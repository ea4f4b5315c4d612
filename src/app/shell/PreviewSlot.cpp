#include "app/shell/PreviewSlot.h"

#include "app/preview/QuickLookSheet.h"
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
    const std::optional<FileRecord>& file = model_.inspectedFile();
    if (!file) {
        // Cleared by the model itself: the sheet goes without clearing anything again.
        if (sheet_) {
            sheet_->hide();
            sheet_->deleteLater();
        }
        return;
    }
    if (sheet_) {
        sheet_->setFile(*file);
        return;
    }
    sheet_ = new QuickLookSheet(model_, *file, &window_);
    sheet_->setAttribute(Qt::WA_DeleteOnClose);
    sheet_->open();
}

} // namespace tollenvane
