#pragma once

#include "app/preview/PreviewLayer.h"
#include "app/preview/ThumbnailTicket.h"
#include "core/records/FileRecord.h"

#include <QImage>
#include <QWidget>
#include <optional>
#include <string>

class QStackedLayout;

namespace tollenvane {

class AppModel;
class ApplicationIcon;
class AudioPreview;
class ElidedLabel;
class PlayButton;
class ThumbnailView;

// The large picture of a file on its card: its thumbnail, a spinner while it is made, the
// waveform of an audio file, or its icon and kind when there is no picture.
class FilePreview final : public QWidget {
    Q_OBJECT

public:
    explicit FilePreview(AppModel& model, QWidget* parent = nullptr);

    // Nothing happens for the record already shown; a new version of the file starts over.
    void setFile(const FileRecord& record);
    const std::optional<FileRecord>& file() const { return file_; }
    PreviewLayer layer() const;
    bool loading() const { return loading_; }
    const AudioPreview& audio() const { return *audio_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void load(const FileRecord& record);
    void showThumbnail(const QImage& image);
    void refresh();

    AppModel& model_;
    std::optional<FileRecord> file_;
    std::string key_;
    QImage image_;
    bool loading_ = true;
    ThumbnailTicket ticket_;

    QStackedLayout* layers_;
    QWidget* cloudNotice_;
    AudioPreview* audio_;
    ThumbnailView* thumbnail_;
    QWidget* spinner_;
    QWidget* fallback_;
    ApplicationIcon* icon_;
    ElidedLabel* kindLabel_;
    PlayButton* play_;
};

} // namespace tollenvane
