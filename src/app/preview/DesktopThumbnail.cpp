#include "app/preview/DesktopThumbnail.h"

#include "app/decoding/RegularFile.h"
#include "app/preview/ThumbnailBounds.h"

#include <QCryptographicHash>
#include <QImageReader>
#include <QStandardPaths>
#include <QUrl>
#include <array>

namespace tollenvane {
namespace {

// The largest size the shared cache defines is 1024 a side; anything bigger is not its own.
constexpr int maxCachedSide = 1024;

QImage storedThumbnail(const QString& file, std::time_t modified)
{
    const RegularFile png = openRegularFile(file.toStdString());
    if (png.file == nullptr) {
        return {};
    }
    QImageReader reader(png.file.get(), "png");
    const QSize size = reader.size();
    if (size.isEmpty() || size.width() > maxCachedSide || size.height() > maxCachedSide) {
        return {};
    }
    // Read from the decoded image: the reader's own text lookup splits keys at the colons.
    const QImage image = reader.read();
    if (image.isNull() || image.text(QStringLiteral("Thumb::MTime")) != QString::number(modified)) {
        return {};
    }
    const QSize fitted = fittedSize(image.size(), genericThumbnailBox);
    return fitted == image.size()
               ? image
               : image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

QImage desktopThumbnail(const std::string& path, std::time_t modified)
{
    const QByteArray uri = QUrl::fromLocalFile(QString::fromStdString(path)).toEncoded();
    const QString name =
        QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) +
        QStringLiteral(".png");
    const QString root = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                         QStringLiteral("/thumbnails/");
    for (const char* folder : std::array{"x-large", "large", "normal"}) {
        QImage image =
            storedThumbnail(root + QLatin1String(folder) + QLatin1Char('/') + name, modified);
        if (!image.isNull()) {
            return image;
        }
    }
    return {};
}

} // namespace tollenvane
