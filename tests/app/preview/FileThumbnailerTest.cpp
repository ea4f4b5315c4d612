#include "app/preview/FileThumbnailer.h"

#include "TestMedia.h"
#include "app/preview/ThumbnailMemory.h"
#include "core/records/FileRecord.h"
#include "support/EnvironmentVariable.h"
#include "support/RecordSample.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>
#include <memory>

namespace tollenvane {
namespace {

using test::TempDir;

// A producer that hangs must fail the test, not stall the suite: the work runs on a thread of
// its own, abandoned when it overstays.
QImage makeWithin(const FileRecord& record, std::chrono::seconds limit = std::chrono::seconds(30))
{
    static const FileThumbnailer thumbnailer;
    auto image = std::make_shared<QImage>();
    std::unique_ptr<QThread> worker(
        QThread::create([image, record] { *image = thumbnailer.make(record); }));
    worker->start();
    if (!worker->wait(QDeadlineTimer(limit))) {
        ADD_FAILURE() << "no answer for " << record.path();
        (void)worker.release();
        return {};
    }
    return *image;
}

QImage thumbnailOf(const std::string& path)
{
    return makeWithin(FileRecord::read(path));
}

bool near(QColor seen, QColor expected)
{
    return std::abs(seen.red() - expected.red()) < 40 &&
           std::abs(seen.green() - expected.green()) < 40 &&
           std::abs(seen.blue() - expected.blue()) < 40;
}

TEST(FileThumbnailer, PicturesComeDownToAThousandPixelsAndUpright)
{
    const TempDir folder;
    const QByteArray photo = test::twoColourJpeg({4000, 3000}, Qt::red, Qt::blue);
    const QImage large = thumbnailOf(folder.write("large.jpg", photo.toStdString()));
    EXPECT_EQ(large.size(), QSize(1000, 750));
    EXPECT_EQ(thumbnailCost(large), 3'000'000);

    const QByteArray sideways =
        test::withClockwiseOrientation(test::twoColourJpeg({400, 200}, Qt::red, Qt::blue));
    const QImage upright = thumbnailOf(folder.write("turned.jpg", sideways.toStdString()));
    ASSERT_EQ(upright.size(), QSize(200, 400));
    // Turned clockwise, the stored left half is the top.
    EXPECT_TRUE(near(upright.pixelColor(100, 50), Qt::red));
    EXPECT_TRUE(near(upright.pixelColor(100, 350), Qt::blue));

    const QImage small = thumbnailOf(
        folder.write("small.jpg", test::twoColourJpeg({300, 100}, Qt::red, Qt::red).toStdString()));
    EXPECT_EQ(small.size(), QSize(300, 100)); // never enlarged
}

TEST(FileThumbnailer, DrawingsAndDocumentsAreFittedToTheirBoxes)
{
    const TempDir folder;
    const std::string svg = folder.write(
        "shape.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="20">)"
                     R"(<rect width="10" height="20" fill="#00ff00"/></svg>)");
    const QImage drawing = makeWithin(test::RecordSample{.path = svg, .kind = "image"}.record());
    ASSERT_EQ(drawing.size(), QSize(500, 1000));
    EXPECT_TRUE(near(drawing.pixelColor(250, 500), Qt::green));

    const std::string pdf = folder / "page.pdf";
    test::writePdf(pdf, {595, 842}, Qt::blue);
    const QImage page = thumbnailOf(pdf);
    EXPECT_EQ(page.height(), 620);
    EXPECT_NEAR(page.width(), 438, 1);
    EXPECT_TRUE(near(page.pixelColor(page.width() / 2, 310), Qt::blue));

    const std::string wide = folder / "wide.pdf";
    test::writePdf(wide, {200, 100}, Qt::blue);
    EXPECT_EQ(thumbnailOf(wide).size(), QSize(900, 450));
}

// Other kinds show what the desktop's own thumbnailers left in the shared cache, and only for
// the version of the file they were made from.
TEST(FileThumbnailer, OtherKindsTakeTheDesktopsThumbnailOfTheSameVersion)
{
    const TempDir folder;
    const std::string archive = folder.write("bundle.zip", "PK");
    test::setModified(archive, 1'600'000'000);
    const QByteArray uri = QUrl::fromLocalFile(QString::fromStdString(archive)).toEncoded();
    const QString cached = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
                           "/thumbnails/large/" +
                           QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() + ".png";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(cached).path()));
    const auto writeCached = [&](const char* mtime) {
        QImage picture(256, 128, QImage::Format_RGB32);
        picture.fill(Qt::yellow);
        picture.setText("Thumb::MTime", mtime);
        ASSERT_TRUE(picture.save(cached, "png"));
    };

    writeCached("1600000000");
    const QImage stored = thumbnailOf(archive);
    EXPECT_EQ(stored.size(), QSize(256, 128));
    writeCached("1599999999");
    EXPECT_TRUE(thumbnailOf(archive).isNull());
    QFile::remove(cached);
    EXPECT_TRUE(thumbnailOf(archive).isNull());
}

TEST(FileThumbnailer, AVideoGivesItsFirstFrame)
{
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND", "ffmpeg");
    const TempDir folder;
    const QImage frame = thumbnailOf(folder.write("clip.mkv", test::redVideo({64, 48}, 3)));
    ASSERT_FALSE(frame.isNull());
    EXPECT_TRUE(near(frame.pixelColor(frame.width() / 2, frame.height() / 2), Qt::red))
        << frame.pixelColor(frame.width() / 2, frame.height() / 2).name().toStdString();
}

TEST(FileThumbnailer, HostileFilesGiveNothing)
{
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND",
                                            "ffmpeg"); // video files really get opened
    const TempDir folder;
    const QByteArray photo = test::twoColourJpeg({800, 600}, Qt::red, Qt::blue);
    const std::string fifo = folder / "stream.mp4";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::vector<std::pair<std::string, std::string>> hostile{
        {folder.write("bomb.png", test::pngHeaderOnly({30000, 30000}).toStdString()), "image"},
        {folder.write("cut.jpg", photo.left(photo.size() / 2).toStdString()), "image"},
        {folder.write("broken.pdf", "%PDF-1.4\n1 0 obj <<"), "pdf"},
        {folder.write("empty.png"), "image"},
        {folder.write("bomb.svg", test::svgBomb()), "image"},
        {folder.write("loop.pdf", test::loopingPdf()), "pdf"},
        {folder.write("notes.pdf", "Only words, no document.\n"), "pdf"},
        {folder.write("empty.pdf"), "pdf"},
        {folder.write("empty.mp4"), "video"},
        {folder.write("noise.mp4", std::string(4096, '\x5a')), "video"},
        {fifo, "video"},
        {folder.makeFolder("Tool.app"), "application"},
        {folder / "gone.png", "image"},
    };
    for (const auto& [path, kind] : hostile) {
        const FileRecord record = test::RecordSample{.path = path, .kind = kind}.record();
        EXPECT_TRUE(makeWithin(record).isNull()) << path;
    }
}

} // namespace
} // namespace tollenvane
