#include "app/preview/ViewerContent.h"

#include "app/decoding/DecoderOutput.h"
#include "app/decoding/DecoderProcess.h"
#include "app/decoding/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>

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
    ViewerContent content;
    if (!image.isNull()) {
        content.form = ViewerContent::Form::image;
        content.image = std::move(image);
    }
    return content;
}

// A descriptor of its own for the file, which outlives the reading.
std::shared_ptr<const UniqueFd> keptOpen(const QFile& file)
{
    auto kept = std::make_shared<const UniqueFd>(::fcntl(file.handle(), F_DUPFD_CLOEXEC, 0));
    return *kept ? kept : nullptr;
}

ViewerContent pdfContent(const QFile& file, const std::atomic<bool>& abandoned)
{
    ViewerContent content;
    if (const auto output = DecoderProcess::run(DecoderTask::pdfLayout, file, abandoned)) {
        content.pages = DecoderOutput::readSizes(*output);
        content.checked = keptOpen(file);
        if (!content.pages.empty() && content.checked) {
            content.form = ViewerContent::Form::pdf;
        }
    }
    return content;
}

ViewerContent mediaContent(const QFile& file)
{
    ViewerContent content;
    content.checked = keptOpen(file);
    if (content.checked) {
        content.form = ViewerContent::Form::media;
    }
    return content;
}

ViewerContent textContent(QFile& file)
{
    ViewerContent content;
    content.form = ViewerContent::Form::text;
    const QByteArray bytes = file.read(textPreviewBytes);
    content.text = withLongLinesBroken(decodedText(bytes, file.size() > bytes.size()));
    return content;
}

ViewerContent shownAs(QFile& file, ViewerKind kind, const std::atomic<bool>& abandoned)
{
    switch (kind) {
    case ViewerKind::image:
        return imageContent(DecoderProcess::picture(DecoderTask::picture, file, abandoned));
    case ViewerKind::svg:
        return imageContent(DecoderProcess::picture(DecoderTask::drawing, file, abandoned));
    case ViewerKind::pdf:
        return pdfContent(file, abandoned);
    case ViewerKind::text:
        return textContent(file);
    case ViewerKind::video:
    case ViewerKind::audio:
        return mediaContent(file);
    case ViewerKind::other:
        break;
    }
    return {};
}

// Without following a final link, like the rest of the preview.
qint64 sizeOf(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? status.st_size : 0;
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

ViewerContent loadViewerContent(const std::string& path, ViewerKind kind,
                                const std::atomic<bool>& abandoned)
{
    const RegularFile opened = openRegularFile(path);
    ViewerContent content;
    if (opened.file && opened.file->size() > 0) {
        content = shownAs(*opened.file, kind, abandoned);
    }
    content.size = opened.file ? opened.file->size() : sizeOf(path);
    return content;
}

QString withLongLinesBroken(const QString& text)
{
    QString broken;
    broken.reserve(text.size() + text.size() / textLineColumns * 2);
    qsizetype column = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        const QChar character = text.at(at);
        // Never between the halves of a surrogate pair.
        if (column >= textLineColumns && character != u'\n' && !character.isLowSurrogate()) {
            broken += textBreakMark;
            broken += u'\n';
            column = 0;
        }
        broken += character;
        column = character == u'\n' ? 0 : column + 1;
    }
    return broken;
}

} // namespace tollenvane
