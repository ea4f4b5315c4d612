#include "app/design/ApplicationIcon.h"

#include "app/design/ApplicationIconCache.h"
#include "app/design/FileCategoryIcon.h"

#include <QPainter>

namespace tollenvane {

ApplicationIcon::ApplicationIcon(QWidget* parent)
    : ApplicationIcon(ApplicationIconCache::shared(), parent)
{}

ApplicationIcon::ApplicationIcon(ApplicationIconCache& cache, QWidget* parent)
    : QWidget(parent)
    , cache_(cache)
{}

void ApplicationIcon::setPath(const QString& path)
{
    if (path == path_) {
        return;
    }
    path_ = path;
    // An answer for a path since replaced finds path_ changed and is dropped.
    cache_.fetch(path, this, [this, path](const QPixmap& icon) {
        if (path != path_) {
            return;
        }
        icon_ = icon;
        update();
        emit iconChanged();
    });
}

QSize ApplicationIcon::sizeHint() const
{
    return {placeholderSize, placeholderSize};
}

void ApplicationIcon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (icon_.isNull()) {
        const QRectF box(QPointF(width() - placeholderSize, height() - placeholderSize) / 2,
                         QSizeF(placeholderSize, placeholderSize));
        FileCategoryIcon::paint(painter, box, FileFilter::applications);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF natural = icon_.deviceIndependentSize();
    const QSizeF fitted = natural.scaled(QSizeF(size()), Qt::KeepAspectRatio);
    const QRectF target(QPointF(width() - fitted.width(), height() - fitted.height()) / 2, fitted);
    painter.drawPixmap(target, icon_, QRectF(icon_.rect()));
}

} // namespace tollenvane
