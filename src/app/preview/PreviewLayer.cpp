#include "app/preview/PreviewLayer.h"

#include "core/records/FileRecord.h"

namespace tollenvane {

namespace {

constexpr qreal pdfInset = 16;

} // namespace

PreviewLayer previewLayer(const FileRecord& record, bool hasImage, bool loading)
{
    if (!record.available()) {
        return PreviewLayer::cloudNotice;
    }
    if (record.kind() == FileKind::audio) {
        return PreviewLayer::audio;
    }
    if (hasImage) {
        return PreviewLayer::thumbnail;
    }
    return loading ? PreviewLayer::spinner : PreviewLayer::fallback;
}

bool showsPlayButton(const FileRecord& record, bool hasImage)
{
    return hasImage && record.available() && record.kind() == FileKind::video;
}

QRectF thumbnailRect(const QRectF& area, const QSizeF& image, FileKind kind)
{
    const qreal inset = kind == FileKind::pdf ? pdfInset : 0;
    const QRectF box = area.adjusted(inset, inset, -inset, -inset);
    if (image.isEmpty() || box.isEmpty()) {
        return {};
    }
    const QSizeF fitted = image.scaled(box.size(), Qt::KeepAspectRatio);
    QRectF placed(QPointF(), fitted);
    placed.moveCenter(box.center());
    return placed;
}

} // namespace tollenvane
