#include "app/preview/ThumbnailView.h"

#include "app/preview/PreviewLayer.h"

#include <QPainter>

namespace tollenvane {

ThumbnailView::ThumbnailView(QWidget* parent)
    : QWidget(parent)
{}

void ThumbnailView::setImage(const QImage& image, FileKind kind)
{
    image_ = image;
    kind_ = kind;
    update();
}

void ThumbnailView::paintEvent(QPaintEvent*)
{
    const QRectF target = thumbnailRect(rect(), image_.size(), kind_);
    if (target.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image_);
}

} // namespace tollenvane
