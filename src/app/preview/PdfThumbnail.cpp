#include "app/preview/PdfThumbnail.h"

#include "app/preview/ThumbnailBounds.h"

#include <QPainter>
#include <QPdfDocument>
#include <algorithm>
#include <cmath>

namespace tollenvane {

namespace {

constexpr QSizeF a4Points{595, 842};
// Beyond this a size is no page's: PDF caps a page side at 14,400 units of up to 75,000 points.
constexpr qreal largestPagePoints = 1e9;

bool loaded(QPdfDocument& document, QIODevice& device)
{
    document.load(&device);
    return document.status() == QPdfDocument::Status::Ready && document.pageCount() > 0;
}

bool usable(QSizeF points)
{
    return std::isfinite(points.width()) && std::isfinite(points.height()) && points.width() > 0 &&
           points.height() > 0 && points.width() < largestPagePoints &&
           points.height() < largestPagePoints;
}

// Pages are fitted both ways: a small page is drawn up to the box like a large one down.
QSize fitted(QSizeF points, QSize box)
{
    return points.scaled(QSizeF(box), Qt::KeepAspectRatio).toSize().expandedTo({1, 1});
}

QImage onPaper(const QImage& page)
{
    if (page.isNull()) {
        return {};
    }
    QImage paper(page.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter(&paper).drawImage(0, 0, page);
    return paper;
}

QImage renderedPage(QPdfDocument& document, int page, QSize size)
{
    return onPaper(document.render(page, size));
}

} // namespace

QImage pdfThumbnail(QIODevice& device)
{
    QPdfDocument document;
    if (!loaded(document, device)) {
        return {};
    }
    const QSizeF points = document.pagePointSize(0);
    return usable(points) ? renderedPage(document, 0, fitted(points, pdfThumbnailBox)) : QImage();
}

std::vector<QSizeF> pdfPageSizes(QIODevice& device)
{
    QPdfDocument document;
    if (!loaded(document, device)) {
        return {};
    }
    std::vector<QSizeF> sizes;
    const int count = std::min(document.pageCount(), pdfReadingMaxPages);
    sizes.reserve(static_cast<std::size_t>(count));
    for (int page = 0; page < count; ++page) {
        sizes.push_back(document.pagePointSize(page));
    }
    return sizes;
}

QSize pdfReadingSize(QSizeF points)
{
    return fitted(usable(points) ? points : a4Points, pdfReadingBox);
}

QImage pdfReadingPage(QIODevice& device, int page)
{
    QPdfDocument document;
    if (!loaded(document, device) || page < 0 || page >= document.pageCount()) {
        return {};
    }
    const QSizeF points = document.pagePointSize(page);
    return usable(points) ? renderedPage(document, page, pdfReadingSize(points)) : QImage();
}

} // namespace tollenvane
