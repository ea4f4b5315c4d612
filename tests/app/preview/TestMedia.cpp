#include "TestMedia.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <vector>

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

// The checksums of Ogg pages and FLAC frames: most significant bit first, from 0, not inverted.
template <class Word>
Word msbFirstCrc(const QByteArray& bytes, Word polynomial)
{
    constexpr int width = sizeof(Word) * 8;
    constexpr Word top = Word(1) << (width - 1);
    Word crc = 0;
    for (const char byte : bytes) {
        crc ^= static_cast<Word>(static_cast<Word>(static_cast<std::uint8_t>(byte)) << (width - 8));
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & top) != 0 ? static_cast<Word>((crc << 1) ^ polynomial)
                                   : static_cast<Word>(crc << 1);
        }
    }
    return crc;
}

template <class Integer>
QByteArray bigEndian(Integer value)
{
    std::array<char, sizeof(Integer)> bytes{};
    qToBigEndian(value, bytes.data());
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

template <class Integer>
QByteArray littleEndian(Integer value)
{
    std::array<char, sizeof(Integer)> bytes{};
    qToLittleEndian(value, bytes.data());
    return {bytes.data(), static_cast<qsizetype>(bytes.size())};
}

// One packet on a page of its own.
QByteArray oggPage(const QByteArray& packet, std::uint8_t flags, std::uint64_t granule,
                   std::uint32_t sequence)
{
    QByteArray lacing;
    qsizetype left = packet.size();
    for (; left >= 255; left -= 255) {
        lacing += static_cast<char>(255);
    }
    lacing += static_cast<char>(left);
    QByteArray page = "OggS" + QByteArray(1, '\0') + QByteArray(1, static_cast<char>(flags)) +
                      littleEndian(granule) + littleEndian(std::uint32_t{1}) +
                      littleEndian(sequence) + littleEndian(std::uint32_t{0}) +
                      QByteArray(1, static_cast<char>(lacing.size())) + lacing + packet;
    qToLittleEndian(msbFirstCrc<std::uint32_t>(page, 0x04C11DB7U), page.data() + 22);
    return page;
}

// The frame number as FLAC writes it, in the manner of UTF-8; enough for 65,536 frames.
QByteArray flacFrameNumber(std::uint32_t number)
{
    const auto byte = [](std::uint32_t value) { return QByteArray(1, static_cast<char>(value)); };
    if (number < 0x80) {
        return byte(number);
    }
    if (number < 0x800) {
        return byte(0xC0 | (number >> 6)) + byte(0x80 | (number & 0x3F));
    }
    return byte(0xE0 | (number >> 12)) + byte(0x80 | ((number >> 6) & 0x3F)) +
           byte(0x80 | (number & 0x3F));
}

// A frame of one channel whose samples are stored verbatim.
QByteArray flacFrame(std::uint32_t number, const std::vector<qint16>& samples, int fullBlock)
{
    const bool full = static_cast<int>(samples.size()) == fullBlock;
    // Block size 4096 or "in 16 bits at the end of the header"; 44.1 kHz; mono, 16-bit samples.
    QByteArray frame =
        QByteArray::fromHex("FFF8") + (full ? "\xC9" : "\x79") + "\x08" + flacFrameNumber(number);
    if (!full) {
        frame += bigEndian(static_cast<std::uint16_t>(samples.size() - 1));
    }
    frame += static_cast<char>(msbFirstCrc<std::uint8_t>(frame, 0x07));
    frame += '\x02'; // a verbatim subframe
    for (const qint16 sample : samples) {
        frame += bigEndian(sample);
    }
    return frame + bigEndian(msbFirstCrc<std::uint16_t>(frame, 0x8005));
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
    const QByteArray chunk = "IHDR" + bigEndian(static_cast<std::uint32_t>(size.width())) +
                             bigEndian(static_cast<std::uint32_t>(size.height())) +
                             QByteArray::fromHex("0806000000");
    return QByteArray::fromHex("89504E470D0A1A0A") + bigEndian<std::uint32_t>(13) + chunk +
           bigEndian(crc32(chunk));
}

QByteArray pngWithDamagedComment(QSize size, QColor fill)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(fill);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    const QByteArray comment = "tEXt" + QByteArray("Comment\0Made by a test", 22);
    const QByteArray chunk = bigEndian(static_cast<std::uint32_t>(comment.size() - 4)) + comment +
                             bigEndian(~crc32(comment));
    constexpr qsizetype afterHeader = 8 + 25; // the signature and the header chunk
    return png.left(afterHeader) + chunk + png.mid(afterHeader);
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

QByteArray oggFlac(int frames, const SampleSource& sample)
{
    constexpr int block = 4096;
    constexpr std::uint64_t rate = 44'100;
    // Rate, channels less one, bits per sample less one and the length, packed in 64 bits.
    const std::uint64_t format =
        rate << 44 | std::uint64_t{15} << 36 | static_cast<std::uint64_t>(frames);
    const QByteArray streamInfo = bigEndian(std::uint16_t{block}) +
                                  bigEndian(std::uint16_t{block}) + QByteArray(6, '\0') +
                                  bigEndian(format) + QByteArray(16, '\0');
    // Mapping 1.0 with one header packet after this one, then the stream's own first block.
    const QByteArray identification = QByteArray::fromHex("7F") + "FLAC" +
                                      QByteArray::fromHex("01000001") + "fLaC" +
                                      bigEndian(std::uint32_t{34}) + streamInfo;
    const QByteArray vendor = "tollenvane tests";
    const QByteArray commentBody = littleEndian(static_cast<std::uint32_t>(vendor.size())) +
                                   vendor + littleEndian(std::uint32_t{0});
    // The last metadata block: comments, as the Ogg mapping wants right after the first packet.
    const QByteArray comments =
        bigEndian(0x84000000U | static_cast<std::uint32_t>(commentBody.size())) + commentBody;

    std::uint32_t sequence = 0;
    const int blocks = (frames + block - 1) / block;
    QByteArray stream = oggPage(identification, 0x02, 0, sequence++);
    stream += oggPage(comments, blocks == 0 ? 0x04 : 0x00, 0, sequence++);
    for (int number = 0; number < blocks; ++number) {
        const int first = number * block;
        const int count = std::min(block, frames - first);
        std::vector<qint16> samples;
        samples.reserve(static_cast<std::size_t>(count));
        for (int frame = first; frame < first + count; ++frame) {
            samples.push_back(
                static_cast<qint16>(std::clamp(sample(frame, 0), -1.0F, 1.0F) * 32767));
        }
        stream += oggPage(flacFrame(static_cast<std::uint32_t>(number), samples, block),
                          number == blocks - 1 ? 0x04 : 0x00,
                          static_cast<std::uint64_t>(first + count), sequence++);
    }
    return stream;
}

} // namespace tollenvane::test
