#include "app/preview/PdfThumbnail.h"

#include "app/preview/ThumbnailBounds.h"

#include <QPdfDocument>

namespace tollenvane {

QImage pdfThumbnail(QIODevice& device)
{
    QPdfDocument document;
    document.load(&device);
    if (document.status() != QPdfDocument::Status::Ready || document.pageCount() < 1) {
        return {};
    }
    const QSize page = document.pagePointSize(0).toSize();
    if (page.isEmpty()) {
        return {};
    }
    // Pages are fitted both ways: a small page is drawn up to the box like a large one down.
    const QSize size = page.scaled(pdfThumbnailBox, Qt::KeepAspectRatio).expandedTo({1, 1});
    return document.render(0, size);
}

} // namespace tollenvane
