#pragma once

#include "app/deck/FileCardFacts.h"
#include "app/kit/QueuedRefresh.h"
#include "core/records/FileRecord.h"

#include <QWidget>
#include <optional>

namespace tollenvane {

class AppModel;
class CardOutline;
class ElidedLabel;
class FilePreview;
class FileRevealer;
class PlainButton;

// The face of one card of the review deck: the file's preview above its name, kind, size,
// dates and folder, with the actions on that file. Fills whatever frame it is given.
class SwipeFileCard final : public QWidget {
    Q_OBJECT

public:
    SwipeFileCard(AppModel& model, FileRevealer& revealer, QWidget* parent = nullptr);

    // Nothing happens for the record already shown. A new path is looked for on disk, off the
    // main thread, once.
    void setFile(const FileRecord& record);
    const std::optional<FileRecord>& file() const { return file_; }
    bool missing() const { return missing_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildInformation();
    void checkReachability();
    void refresh();

    AppModel& model_;
    FileRevealer& revealer_;
    std::optional<FileRecord> file_;
    bool missing_ = false;
    QueuedRefresh queued_;

    FilePreview* preview_;
    ElidedLabel* name_;
    PlainButton* fullPreview_;
    ElidedLabel* kind_;
    ElidedLabel* size_;
    ElidedLabel* modified_;
    ElidedLabel* created_;
    ElidedLabel* folder_;
    PlainButton* reveal_;
    PlainButton* skip_;
    CardOutline* outline_;
};

} // namespace tollenvane
