#include "TestMedia.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtEndian>
#include <algorithm>
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

void writePdf(const std::string& path, QSize pageSize, QColor fill, int pages)
{
    QPdfWriter writer(QString::fromStdString(path));
    writer.setPageSize(QPageSize(pageSize, QPageSize::Point));
    writer.setPageMargins({});
    QPainter painter(&writer);
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        painter.fillRect(QRect(QPoint(), QSize(writer.width(), writer.height())), fill);
    }
}

void writeBarePdf(const std::string& path, QSize pageSize, int pages)
{
    QPdfWriter writer(QString::fromStdString(path));
    writer.setPageSize(QPageSize(pageSize, QPageSize::Point));
    writer.setPageMargins({});
    QPainter painter(&writer);
    const int band = writer.height() / 10;
    for (int page = 0; page < pages; ++page) {
        if (page > 0) {
            writer.newPage();
        }
        painter.fillRect(0, 0, writer.width(), band, QColor(0x20, 0x20, 0x20));
        if (page == pages - 1) {
            painter.fillRect(0, writer.height() - band, writer.width(), band, Qt::blue);
        }
    }
}

std::string redVideo(QSize size, int frames)
{
    const auto pixels = static_cast<std::size_t>(size.width() * size.height());
    std::string bytes = "YUV4MPEG2 W" + std::to_string(size.width()) + " H" +
                        std::to_string(size.height()) + " F25:1 Ip A1:1 C420jpeg\n";
    for (int frame = 0; frame < frames; ++frame) {
        bytes += "FRAME\n";
        bytes += std::string(pixels, static_cast<char>(81));
        bytes += std::string(pixels / 4, static_cast<char>(90));
        bytes += std::string(pixels / 4, static_cast<char>(240));
    }
    return bytes;
}

std::string svgBomb()
{
    // No size of its own, so that the renderer measures the whole drawing.
    std::string svg = R"(<svg xmlns="http://www.w3.org/2000/svg" )"
                      R"(xmlns:xlink="http://www.w3.org/1999/xlink">)"
                      R"(<rect id="g0" width="1" height="1"/>)";
    for (int level = 1; level <= 10; ++level) {
        svg += "<g id=\"g" + std::to_string(level) + "\">";
        for (int use = 0; use < 10; ++use) {
            svg += "<use xlink:href=\"#g" + std::to_string(level - 1) + "\"/>";
        }
        svg += "</g>";
    }
    return svg + "</svg>";
}

std::string loopingPdf()
{
    return "%PDF-1.4\n"
           "1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
           "2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
           "3 0 obj << /Type /Pages /Parent 2 0 R /Kids [2 0 R] /Count 1 >> endobj\n"
           "trailer << /Root 1 0 R >>\n%%EOF\n";
}

QByteArray waveFile(int channels, int frames, SampleFormat format, const SampleSource& sample)
{
    constexpr std::uint32_t rate = 44'100;
    const bool floating = format == SampleFormat::float32;
    const int sampleBytes = floating ? 4 : 2;
    QByteArray data;
    data.reserve(static_cast<qsizetype>(frames) * channels * sampleBytes);
    for (int frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
            const float value = sample(frame, channel);
            if (floating) {
                data.append(reinterpret_cast<const char*>(&value), 4);
            } else {
                const auto scaled = static_cast<qint16>(std::clamp(value, -1.0F, 1.0F) * 32767);
                data.append(reinterpret_cast<const char*>(&scaled), 2);
            }
        }
    }
    const auto little32 = [](std::uint32_t value) {
        return QByteArray(reinterpret_cast<const char*>(&value), 4);
    };
    const auto little16 = [](std::uint16_t value) {
        return QByteArray(reinterpret_cast<const char*>(&value), 2);
    };
    const auto blockAlign = static_cast<std::uint16_t>(channels * sampleBytes);
    QByteArray wave = "RIFF" + little32(static_cast<std::uint32_t>(36 + data.size())) + "WAVE";
    wave += "fmt " + little32(16) + little16(floating ? 3 : 1) +
            little16(static_cast<std::uint16_t>(channels)) + little32(rate) +
            little32(rate * blockAlign) + little16(blockAlign) +
            little16(static_cast<std::uint16_t>(sampleBytes * 8));
    wave += "data" + little32(static_cast<std::uint32_t>(data.size())) + data;
    return wave;
}

} // namespace tollenvane::test
