#include "TestMedia.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtEndian>
#include <array>

namespace tollenvane::test {
namespace {

std::uint32_t crc32(const QByteArray& bytes)
{
    std::uint32_t crc = 0xFFFFFFFFU;
    for (const char byte : bytes) {
        crc ^= static_cast<std::uint8_t>(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
        }
    }
    return ~crc;
}

QByteArray bigEndian32(std::uint32_t value)
{
    std::array<char, 4> bytes{};
    qToBigEndian(value, bytes.data());
    return {bytes.data(), 4};
}

} // namespace

QByteArray twoColourJpeg(QSize size, QColor left, QColor right)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width() / 2, size.height(), left);
    painter.fillRect(size.width() / 2, 0, size.width() - size.width() / 2, size.height(), right);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpg", 90);
    return bytes;
}

QByteArray withClockwiseOrientation(const QByteArray& jpeg)
{
    // APP1 "Exif", a big-endian TIFF header and one IFD entry: Orientation (0x0112), SHORT, 6.
    const QByteArray exif = QByteArray::fromHex("FFE10022"
                                                "457869660000"
                                                "4D4D002A00000008"
                                                "0001"
                                                "011200030000000100060000"
                                                "00000000");
    return jpeg.left(2) + exif + jpeg.mid(2); // right after the start-of-image marker
}

QByteArray pngHeaderOnly(QSize size)
{
    const QByteArray chunk = "IHDR" + bigEndian32(static_cast<std::uint32_t>(size.width())) +
                             bigEndian32(static_cast<std::uint32_t>(size.height())) +
                             QByteArray::fromHex("0806000000");
    return QByteArray::fromHex("89504E470D0A1A0A") + bigEndian32(13) + chunk +
           bigEndian32(crc32(chunk));
}

void writePdf(const std::string& path, QSize pageSize, QColor fill)
{
    QPdfWriter writer(QString::fromStdString(path));
    writer.setPageSize(QPageSize(pageSize, QPageSize::Point));
    writer.setPageMargins({});
    QPainter painter(&writer);
    painter.fillRect(QRect(QPoint(), QSize(writer.width(), writer.height())), fill);
}

} // namespace tollenvane::test
