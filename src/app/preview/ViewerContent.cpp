#include "app/preview/ViewerContent.h"

#include "app/preview/ImageThumbnail.h"
#include "app/preview/PdfThumbnail.h"
#include "app/preview/RegularFile.h"
#include "app/preview/SvgThumbnail.h"

#include <QMimeDatabase>
#include <QStringDecoder>

namespace tollenvane {

namespace {

bool inherits(const QMimeType& type, const char* name)
{
    return type.inherits(QString::fromLatin1(name));
}

QString decodedText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString decoded = utf8(bytes);
    // A cut in the middle of a character is no sign of another encoding.
    return utf8.hasError() ? QString::fromLatin1(bytes) : decoded;
}

ViewerContent imageContent(QImage image)
{
    if (image.isNull()) {
        return {};
    }
    return {ViewerContent::Form::image, std::move(image), {}};
}

} // namespace

ViewerKind viewerKindFor(const QString& path)
{
    // By the name only: sniffing the content would read a FIFO on the main thread.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    if (inherits(type, "image/svg+xml")) {
        return ViewerKind::svg;
    }
    if (inherits(type, "application/pdf")) {
        return ViewerKind::pdf;
    }
    const QString name = type.name();
    if (name.startsWith(QLatin1String("image/"))) {
        return ViewerKind::image;
    }
    if (name.startsWith(QLatin1String("video/"))) {
        return ViewerKind::video;
    }
    if (name.startsWith(QLatin1String("audio/"))) {
        return ViewerKind::audio;
    }
    if (inherits(type, "text/plain")) {
        return ViewerKind::text;
    }
    return ViewerKind::other;
}

ViewerContent loadViewerContent(const std::string& path, ViewerKind kind)
{
    const RegularFile opened = openRegularFile(path);
    if (!opened.file || opened.file->size() == 0 || kind == ViewerKind::other) {
        return {};
    }
    QFile& file = *opened.file;
    switch (kind) {
    case ViewerKind::image:
        return imageContent(imageThumbnail(file));
    case ViewerKind::svg:
        return imageContent(svgThumbnail(file));
    case ViewerKind::pdf:
        // A document that loads here loads again for the viewer.
        return pdfThumbnail(file).isNull() ? ViewerContent()
                                           : ViewerContent{ViewerContent::Form::pdf, {}, {}};
    case ViewerKind::text:
        return {ViewerContent::Form::text, {}, decodedText(file.read(textPreviewBytes))};
    case ViewerKind::video:
    case ViewerKind::audio:
        return {ViewerContent::Form::media, {}, {}};
    case ViewerKind::other:
        break;
    }
    return {};
}

} // namespace tollenvane
