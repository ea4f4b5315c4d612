#pragma once

#include "app/preview/ViewerContent.h"

#include <QWidget>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

class QVBoxLayout;

namespace tollenvane {

// The full preview of one file: pictures, PDF documents, text, video and sound, and for
// anything else a card with what is known of the file. Content is read on a file worker and
// decoded in the decoder process; a reading no longer wanted is abandoned, its decoder killed.
class FileViewer final : public QWidget {
    Q_OBJECT

public:
    explicit FileViewer(QWidget* parent = nullptr);
    ~FileViewer() override;

    // Replaces what is shown; a late result for an earlier path is dropped.
    void setPath(const QString& path);
    // What holds the keyboard in the viewer, the content or what waits for it, is heard as
    // `name` from before it shows.
    void setContentName(const QString& name);
    const QString& path() const { return path_; }
    // Abandons the reading and the drawing of pages under way and silences a video or sound being
    // played; the sheet calls it when it closes.
    void stop();
    bool isPlaying() const;
    // Nothing while the content is read.
    std::optional<ViewerContent::Form> shown() const { return shown_; }

signals:
    void contentShown();

private:
    void showContent(ViewerKind kind, ViewerContent content);
    void showCard();
    void focusNextControl();
    void replacePane(QWidget* pane);

    void abandonReading();

    QString path_;
    QString contentName_;
    std::uint64_t generation_ = 0;
    std::shared_ptr<std::atomic<bool>> abandoned_;
    qint64 size_ = 0;
    std::optional<ViewerContent::Form> shown_;
    QVBoxLayout* layout_;
    QWidget* pane_ = nullptr;
};

} // namespace tollenvane
