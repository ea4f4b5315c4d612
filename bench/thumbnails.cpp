// Makes thumbnails for a folder of mixed files from a cold cache, the way a fast walk through
// the deck asks for them, and prints the rate and the process's peak memory while doing so.
//   thumbnails [files]   (1,000 unless given: photographs, screenshots and PDF pages in thirds)
#include "app/preview/FileThumbnailer.h"
#include "app/preview/ThumbnailCache.h"
#include "core/records/FileRecord.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace tollenvane;

QByteArray encoded(QSize size, const char* format)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, Qt::darkBlue);
    gradient.setColorAt(1, Qt::yellow);
    painter.fillRect(image.rect(), gradient);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 90);
    return bytes;
}

QByteArray pdfPage()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    QPainter painter(&writer);
    for (int band = 0; band < 40; ++band) {
        painter.fillRect(0, band * 200, writer.width(), 100, QColor::fromHsv(band * 9, 160, 220));
    }
    painter.end();
    return bytes;
}

std::vector<FileRecord> makeFiles(const QString& folder, int count)
{
    const std::array<std::pair<QByteArray, const char*>, 3> kinds{{
        {encoded({4000, 3000}, "jpg"), "jpg"},
        {encoded({1600, 1000}, "png"), "png"},
        {pdfPage(), "pdf"},
    }};
    std::vector<FileRecord> records;
    for (int n = 0; n < count; ++n) {
        const auto& [bytes, extension] = kinds.at(static_cast<std::size_t>(n) % kinds.size());
        const std::string path =
            (folder + QStringLiteral("/file-%1.%2").arg(n).arg(extension)).toStdString();
        std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
        records.push_back(FileRecord::read(path));
    }
    return records;
}

// The peak is reset first, so what was spent making the files does not count.
void resetPeakMemory()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

long statusKiB(std::string_view field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(field)) {
            return std::stol(line.substr(field.size()));
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const QGuiApplication application(argc, argv);
    const int count = argc > 1 ? std::stoi(argv[1]) : 1000;
    if (count < 1) {
        std::cerr << "usage: thumbnails [files]\n";
        return 2;
    }
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        std::cerr << "cannot make a temporary folder\n";
        return 1;
    }
    const std::vector<FileRecord> records = makeFiles(folder.path(), count);

    resetPeakMemory();
    // What the process holds before the first thumbnail: Qt's libraries and the records.
    const long baselineKiB = statusKiB("VmRSS:");
    ThumbnailCache cache(std::make_shared<FileThumbnailer>());
    int answered = 0;
    int made = 0;
    std::vector<ThumbnailTicket> tickets;
    tickets.reserve(records.size());
    QElapsedTimer clock;
    clock.start();
    for (const FileRecord& record : records) {
        tickets.push_back(cache.thumbnail(record, [&](const QImage& image) {
            ++answered;
            made += image.isNull() ? 0 : 1;
            if (answered == count) {
                QCoreApplication::quit();
            }
        }));
    }
    QCoreApplication::exec();
    const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;

    std::cout << count << " files (" << made << " thumbnails) in " << seconds
              << " s: " << static_cast<double>(count) / seconds << " files/s; peak memory "
              << statusKiB("VmHWM:") / 1024 << " MiB, "
              << (statusKiB("VmHWM:") - baselineKiB) / 1024 << " MiB above the "
              << baselineKiB / 1024 << " MiB held before the first thumbnail\n";
    return made == count ? 0 : 1;
}
