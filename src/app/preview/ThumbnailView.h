#pragma once

#include "core/records/FileKind.h"

#include <QImage>
#include <QWidget>

namespace tollenvane {

// A thumbnail fitted to the widget, proportions kept.
class ThumbnailView final : public QWidget {
    Q_OBJECT

public:
    explicit ThumbnailView(QWidget* parent = nullptr);

    void setImage(const QImage& image, FileKind kind);
    const QImage& image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    FileKind kind_ = FileKind::other;
};

} // namespace tollenvane
