#include "app/preview/ViewerContent.h"

#include "app/preview/ImageThumbnail.h"
#include "app/preview/PdfThumbnail.h"
#include "app/preview/RegularFile.h"
#include "app/preview/SvgThumbnail.h"

#include <QMimeDatabase>
#include <QStringDecoder>
#include <algorithm>

namespace tollenvane {

namespace {

bool inherits(const QMimeType& type, const char* name)
{
    return type.inherits(QString::fromLatin1(name));
}

// The length of `bytes` without a character cut off at its end.
qsizetype withoutCutCharacter(QByteArrayView bytes)
{
    for (qsizetype back = 1; back <= std::min<qsizetype>(3, bytes.size()); ++back) {
        const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
        if ((byte & 0xC0U) != 0x80U) {
            const qsizetype length = byte >= 0xF0U ? 4 : byte >= 0xE0U ? 3 : byte >= 0xC0U ? 2 : 1;
            return length > back ? bytes.size() - back : bytes.size();
        }
    }
    return bytes.size();
}

// UTF-8 when it is valid, else Latin-1, which every byte sequence is.
QString decodedText(const QByteArray& bytes, bool cut)
{
    const QByteArrayView whole =
        cut ? QByteArrayView(bytes).first(withoutCutCharacter(bytes)) : QByteArrayView(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString decoded = utf8(whole);
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
    case ViewerKind::text: {
        const QByteArray bytes = file.read(textPreviewBytes);
        return {ViewerContent::Form::text, {}, decodedText(bytes, file.size() > bytes.size())};
    }
    case ViewerKind::video:
    case ViewerKind::audio:
        return {ViewerContent::Form::media, {}, {}};
    case ViewerKind::other:
        break;
    }
    return {};
}

} // namespace tollenvane
