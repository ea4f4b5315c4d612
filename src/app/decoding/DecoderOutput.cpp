#include "app/decoding/DecoderOutput.h"

#include <QtEndian>
#include <cmath>
#include <cstring>

namespace tollenvane::DecoderOutput {

namespace {

constexpr qsizetype headerBytes = 8;

void append(QByteArray& bytes, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void appendFloat(QByteArray& bytes, float value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

} // namespace

QByteArray pictures(std::span<const QImage> images)
{
    QByteArray bytes;
    for (const QImage& image : images) {
        const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        append(bytes, static_cast<quint32>(pixels.width()));
        append(bytes, static_cast<quint32>(pixels.height()));
        for (int row = 0; row < pixels.height(); ++row) {
            bytes.append(reinterpret_cast<const char*>(pixels.constScanLine(row)),
                         static_cast<qsizetype>(pixels.width()) * 4);
        }
    }
    return bytes;
}

std::vector<QImage> readPictures(const QByteArray& bytes)
{
    std::vector<QImage> images;
    qsizetype at = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < headerBytes) {
            return {};
        }
        const auto width = qFromLittleEndian<quint32>(bytes.constData() + at);
        const auto height = qFromLittleEndian<quint32>(bytes.constData() + at + 4);
        at += headerBytes;
        if (width < 1 || height < 1 || width > maxSide || height > maxSide) {
            return {};
        }
        const qsizetype rowBytes = static_cast<qsizetype>(width) * 4;
        if (bytes.size() - at < rowBytes * height) {
            return {};
        }
        QImage image(static_cast<int>(width), static_cast<int>(height),
                     QImage::Format_ARGB32_Premultiplied);
        if (image.isNull()) {
            return {};
        }
        for (int row = 0; row < image.height(); ++row, at += rowBytes) {
            std::memcpy(image.scanLine(row), bytes.constData() + at,
                        static_cast<std::size_t>(rowBytes));
        }
        images.push_back(std::move(image));
    }
    return images;
}

QByteArray bars(std::span<const float> values)
{
    QByteArray bytes;
    for (const float value : values) {
        appendFloat(bytes, value);
    }
    return bytes;
}

std::vector<float> readBars(const QByteArray& bytes, int count)
{
    if (bytes.size() != 0 && bytes.size() != static_cast<qsizetype>(count) * 4) {
        return {};
    }
    std::vector<float> values;
    for (qsizetype at = 0; at < bytes.size(); at += 4) {
        const auto value = qFromLittleEndian<float>(bytes.constData() + at);
        // Written so that a NaN fails it too.
        if (!(value >= 0.0F && value <= 1.0F)) {
            return {};
        }
        values.push_back(value);
    }
    return values;
}

QByteArray sizes(std::span<const QSizeF> values)
{
    QByteArray bytes;
    for (const QSizeF& size : values) {
        appendFloat(bytes, static_cast<float>(size.width()));
        appendFloat(bytes, static_cast<float>(size.height()));
    }
    return bytes;
}

std::vector<QSizeF> readSizes(const QByteArray& bytes)
{
    if (bytes.size() % 8 != 0) {
        return {};
    }
    std::vector<QSizeF> values;
    values.reserve(static_cast<std::size_t>(bytes.size() / 8));
    for (qsizetype at = 0; at < bytes.size(); at += 8) {
        const auto width = qFromLittleEndian<float>(bytes.constData() + at);
        const auto height = qFromLittleEndian<float>(bytes.constData() + at + 4);
        values.push_back(std::isfinite(width) && std::isfinite(height) ? QSizeF(width, height)
                                                                       : QSizeF());
    }
    return values;
}

} // namespace tollenvane::DecoderOutput
