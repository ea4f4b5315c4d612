#include "app/preview/FileViewer.h"

#include "TestMedia.h"
#include "Waiting.h"
#include "app/preview/MediaPlayerView.h"
#include "app/preview/PdfPane.h"
#include "app/preview/ViewerContent.h"
#include "support/EnvironmentVariable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QThread>
#include <QtEndian>
#include <cstdio>
#include <filesystem>

namespace tollenvane {
namespace {

using Form = ViewerContent::Form;
using test::processUntil;
using test::TempDir;

const std::atomic<bool> running{false};

// A player learns that a file is not playable only after it has been shown. The main thread
// answers all along: one blocked on the file (a FIFO with no writer) would never get there.
::testing::AssertionResult fallsBackToTheCard(const std::string& path)
{
    FileViewer viewer;
    viewer.resize(600, 400);
    viewer.show();
    viewer.setPath(QString::fromStdString(path));
    return processUntil([&] { return viewer.shown() == Form::card; });
}

Form shownFor(const std::string& path)
{
    FileViewer viewer;
    viewer.resize(600, 400);
    viewer.show();
    viewer.setPath(QString::fromStdString(path));
    EXPECT_TRUE(processUntil([&] { return viewer.shown().has_value(); })) << path;
    return viewer.shown().value_or(Form::card);
}

TEST(FileViewer, HostileFilesFallBackToTheCard)
{
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND", "ffmpeg");
    const TempDir folder;
    const QByteArray jpeg = test::twoColourJpeg({800, 600}, Qt::red, Qt::blue);
    const std::string fifo = folder / "clip.mp4";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    QByteArray noChannels = test::waveFile(1, 44'100, test::SampleFormat::int16,
                                           [](int frame, int) { return frame % 2 ? 0.5F : -0.5F; });
    qToLittleEndian<quint16>(0, noChannels.data() + 22);
    const std::vector<std::string> hostile{
        folder.write("huge.png", test::pngHeaderOnly({30000, 30000}).toStdString()),
        folder.write("cut.jpg", jpeg.left(jpeg.size() / 2).toStdString()),
        folder.write("empty.png"),
        folder.write("bomb.svg", test::svgBomb()),
        folder.write("loop.pdf", test::loopingPdf()),
        folder.write("notes.pdf", "Only words, no document.\n"),
        folder.write("silent.wav", noChannels.toStdString()),
        folder.write("broken.pdf", "%PDF-1.7\n1 0 obj << /Type /Catalog >>\n"),
        folder.write("empty.txt"),
        folder.write("empty.mp4"),
        fifo,
        folder.write("noise.mkv", std::string(4096, '\x5a')),
        folder.write("archive.zip", "PK\x03\x04"),
    };
    // Meanwhile, past the player's deadline, a video that plays goes on playing.
    FileViewer playing;
    playing.resize(600, 400);
    playing.show();
    playing.setPath(
        QString::fromStdString(folder.write("long.mkv", test::redVideo({64, 48}, 750))));
    for (const std::string& path : hostile) {
        EXPECT_TRUE(fallsBackToTheCard(path)) << path;
    }
    EXPECT_EQ(playing.shown(), Form::media);
    EXPECT_TRUE(playing.isPlaying());
}

// Going, or moving on to another file, kills the decoder at once, whatever it was decoding.
TEST(FileViewer, AnAbandonedDecodeEndsAtOnce)
{
    const TempDir folder;
    const std::string bomb = folder.write("bomb.svg", test::svgBomb());
    for (const bool goes : {true, false}) {
        auto viewer = std::make_unique<FileViewer>();
        viewer->setPath(QString::fromStdString(bomb));
        ASSERT_TRUE(processUntil([] { return test::runningDecoders() == 1; }));
        if (goes) {
            viewer.reset();
        } else {
            viewer->setPath(QString::fromStdString(folder.write("notes.txt", "words")));
        }
        EXPECT_TRUE(processUntil([] { return test::runningDecoders() == 0; })) << goes;
    }
}

// Whether this process holds `path` open, as the check of a file leaves it.
bool holdsOpen(const std::string& path)
{
    std::error_code error;
    for (std::filesystem::directory_iterator fd("/proc/self/fd", error), end; !error && fd != end;
         fd.increment(error)) {
        if (std::filesystem::read_symlink(fd->path(), error) == path) {
            return true;
        }
    }
    return false;
}

// The file is checked on a worker, then played on the main thread: a link put in its place in
// between must not be what plays.
TEST(FileViewer, PlaysTheFileThatWasCheckedNotALinkPutInItsPlace)
{
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND", "ffmpeg");
    const TempDir folder;
    const std::string clip = folder.write("clip.mkv", test::redVideo({64, 48}, 750));
    const std::string other = folder.write("other.mkv", std::string(4096, '\x5a'));
    FileViewer viewer;
    viewer.resize(600, 400);
    viewer.show();
    viewer.setPath(QString::fromStdString(clip));
    // Without running the event loop, so that what the check found waits to be shown.
    QElapsedTimer clock;
    clock.start();
    while (!holdsOpen(clip) && clock.elapsed() < 10'000) {
        QThread::msleep(1);
    }
    ASSERT_TRUE(holdsOpen(clip));
    const std::string swapped = folder / "swapped";
    ASSERT_EQ(::symlink(other.c_str(), swapped.c_str()), 0);
    ASSERT_EQ(::rename(swapped.c_str(), clip.c_str()), 0);

    ASSERT_TRUE(processUntil([&] { return viewer.shown().has_value(); }));
    ASSERT_EQ(viewer.shown(), Form::media);
    ASSERT_TRUE(processUntil([&] { return viewer.isPlaying(); }));
    const auto* player = viewer.findChild<MediaPlayerView*>();
    ASSERT_NE(player, nullptr);
    EXPECT_TRUE(processUntil([&] { return player->player().position() > 400; }));
    EXPECT_TRUE(player->player().hasVideo());
    EXPECT_EQ(viewer.shown(), Form::media);
}

TEST(FileViewer, ShowsEachKindInItsOwnForm)
{
    const TempDir folder;
    test::writePdf(folder / "pages.pdf", {595, 842}, Qt::white, 3);
    FileViewer viewer;
    viewer.resize(860, 560);
    viewer.show();
    viewer.setPath(QString::fromStdString(folder / "pages.pdf"));
    ASSERT_TRUE(processUntil([&] { return viewer.shown().has_value(); }));
    EXPECT_EQ(viewer.shown(), Form::pdf);
    // Drawn by the decoder, each page a picture at the sheet's width.
    const auto* pages = viewer.findChild<PdfPane*>();
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->pageCount(), 3);
    EXPECT_EQ(pages->pageRect(0).width(), 800);
    EXPECT_TRUE(processUntil([&] { return pages->isDrawn(0); }));
    EXPECT_EQ(shownFor(folder.write(
                  "photo.jpg", test::twoColourJpeg({80, 60}, Qt::red, Qt::blue).toStdString())),
              Form::image);
    EXPECT_EQ(shownFor(folder.write("drawing.svg",
                                    R"(<svg xmlns="http://www.w3.org/2000/svg" width="40" )"
                                    R"(height="20"><rect width="40" height="20"/></svg>)")),
              Form::image);
}

TEST(FileViewer, TextIsShownAsWrittenAndOnlyItsBeginning)
{
    const TempDir folder;
    const std::string markup = folder.write("page.txt", "<b>bold?</b> &amp; €\n");
    const ViewerContent shown =
        loadViewerContent(markup, viewerKindFor(QString::fromStdString(markup)), running);
    EXPECT_EQ(shown.form, Form::text);
    EXPECT_EQ(shown.text, QStringLiteral("<b>bold?</b> &amp; €\n"));

    // Not UTF-8: read as Latin-1 rather than shown with replacement marks.
    const std::string latin = folder.write("latin.txt", "caf\xe9");
    EXPECT_EQ(loadViewerContent(latin, ViewerKind::text, running).text, QStringLiteral("café"));

    // Cut inside a character: still UTF-8, without the broken character.
    const std::string large =
        folder.write("large.txt", std::string(textPreviewBytes - 1, 'a') + "\u20ac and more");
    const QString beginning = loadViewerContent(large, ViewerKind::text, running)
                                  .text.remove(QString(textBreakMark) + QLatin1Char('\n'));
    EXPECT_EQ(beginning.size(), textPreviewBytes - 1);
    EXPECT_TRUE(beginning.endsWith(QLatin1Char('a')));

    // One line of 5 MB: what is read comes in marked pieces short enough to lay out at once.
    const std::string line = folder.write("line.txt", std::string(5'000'000, 'x'));
    const QStringList pieces =
        loadViewerContent(line, ViewerKind::text, running).text.split(QLatin1Char('\n'));
    EXPECT_EQ(pieces.size(), (textPreviewBytes + textLineColumns - 1) / textLineColumns);
    EXPECT_EQ(pieces.front(), QString(textLineColumns, u'x') + textBreakMark);
    EXPECT_EQ(pieces.join(QString()).remove(textBreakMark).size(), textPreviewBytes);
    EXPECT_EQ(withLongLinesBroken(QStringLiteral("short\nlines")), QStringLiteral("short\nlines"));

    FileViewer viewer;
    viewer.setPath(QString::fromStdString(markup));
    ASSERT_TRUE(processUntil([&] { return viewer.shown().has_value(); }));
    const auto* edit = viewer.findChild<QPlainTextEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_TRUE(edit->toPlainText().startsWith(QStringLiteral("<b>")));
}

TEST(FileViewer, KindComesFromTheNameOnly)
{
    EXPECT_EQ(viewerKindFor("/a/b.PNG"), ViewerKind::image);
    EXPECT_EQ(viewerKindFor("/a/b.svg"), ViewerKind::svg);
    EXPECT_EQ(viewerKindFor("/a/b.pdf"), ViewerKind::pdf);
    EXPECT_EQ(viewerKindFor("/a/b.mp4"), ViewerKind::video);
    EXPECT_EQ(viewerKindFor("/a/b.flac"), ViewerKind::audio);
    EXPECT_EQ(viewerKindFor("/a/notes.md"), ViewerKind::text);
    EXPECT_EQ(viewerKindFor("/a/b.cpp"), ViewerKind::text);
    EXPECT_EQ(viewerKindFor("/a/b.zip"), ViewerKind::other);
}

} // namespace
} // namespace tollenvane
