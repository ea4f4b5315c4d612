#pragma once

#include "core/records/FileRecord.h"

#include <QDialog>
#include <optional>

class QHBoxLayout;

namespace tollenvane {

class AppModel;
class ElidedLabel;
class FileViewer;
class SymbolView;

// The full preview of one file over the window. However it was opened, closing it (the button
// or Escape) clears both of the model's preview fields.
class QuickLookSheet final : public QDialog {
    Q_OBJECT

public:
    static constexpr QSize fixedSize{860, 620};

    QuickLookSheet(AppModel& model, const FileRecord& file, QWidget* parent = nullptr);

    // Only the previewer's file changes.
    void setFile(const FileRecord& file);
    const FileViewer& viewer() const { return *viewer_; }

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppModel& model_;
    std::optional<FileRecord> file_;
    QHBoxLayout* header_;
    SymbolView* symbol_ = nullptr;
    ElidedLabel* name_;
    FileViewer* viewer_;
};

} // namespace tollenvane
