#include "app/preview/PdfThumbnail.h"

#include "app/preview/ThumbnailBounds.h"

#include <QPdfDocument>
#include <algorithm>

namespace tollenvane {

namespace {

bool loaded(QPdfDocument& document, QIODevice& device)
{
    document.load(&device);
    return document.status() == QPdfDocument::Status::Ready && document.pageCount() > 0;
}

// Pages are fitted both ways: a small page is drawn up to the box like a large one down.
QImage renderedPage(QPdfDocument& document, int page, QSize box)
{
    const QSize points = document.pagePointSize(page).toSize();
    if (points.isEmpty()) {
        return {};
    }
    return document.render(page, points.scaled(box, Qt::KeepAspectRatio).expandedTo({1, 1}));
}

} // namespace

QImage pdfThumbnail(QIODevice& device)
{
    QPdfDocument document;
    return loaded(document, device) ? renderedPage(document, 0, pdfThumbnailBox) : QImage();
}

std::vector<QImage> pdfPages(QIODevice& device, QSize box, int count, qint64 pixels)
{
    QPdfDocument document;
    if (!loaded(document, device)) {
        return {};
    }
    std::vector<QImage> pages;
    qint64 drawn = 0;
    for (int page = 0; page < std::min(count, document.pageCount()); ++page) {
        QImage image = renderedPage(document, page, box);
        if (image.isNull()) {
            return {};
        }
        drawn += static_cast<qint64>(image.width()) * image.height();
        if (drawn > pixels && !pages.empty()) {
            break;
        }
        pages.push_back(std::move(image));
    }
    return pages;
}

} // namespace tollenvane
