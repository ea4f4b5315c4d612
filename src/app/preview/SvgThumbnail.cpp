#include "app/preview/SvgThumbnail.h"

#include "app/preview/ThumbnailBounds.h"

#include <QIODevice>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace tollenvane {
namespace {

constexpr qint64 maxSvgBytes = 16 * 1024 * 1024;

} // namespace

bool isSvgPath(std::string_view path)
{
    const QString name = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    return name.endsWith(u".svg", Qt::CaseInsensitive) ||
           name.endsWith(u".svgz", Qt::CaseInsensitive);
}

QImage svgThumbnail(QIODevice& device)
{
    if (device.size() > maxSvgBytes) {
        return {};
    }
    QSvgRenderer renderer(device.readAll());
    if (!renderer.isValid()) {
        return {};
    }
    QSizeF natural = renderer.defaultSize();
    if (natural.isEmpty()) {
        natural = renderer.viewBoxF().size();
    }
    if (natural.isEmpty()) {
        return {};
    }
    // A drawing scales without loss, so a small one is drawn up to the full size as well.
    const QSize size = natural.scaled(imageThumbnailSide, imageThumbnailSide, Qt::KeepAspectRatio)
                           .toSize()
                           .expandedTo({1, 1});
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(), size));
    return image;
}

} // namespace tollenvane
