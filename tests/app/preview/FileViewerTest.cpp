#include "app/preview/FileViewer.h"

#include "TestMedia.h"
#include "Waiting.h"
#include "app/preview/ViewerContent.h"
#include "support/EnvironmentVariable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QPlainTextEdit>

namespace tollenvane {
namespace {

using Form = ViewerContent::Form;
using test::processUntil;
using test::TempDir;

// A player learns that a file is not playable only after it has been shown.
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
    const std::vector<std::string> hostile{
        folder.write("huge.png", test::pngHeaderOnly({30000, 30000}).toStdString()),
        folder.write("cut.jpg", jpeg.left(jpeg.size() / 2).toStdString()),
        folder.write("broken.pdf", "%PDF-1.7\n1 0 obj << /Type /Catalog >>\n"),
        folder.write("empty.txt"),
        folder.write("empty.mp4"),
        fifo,
        folder.write("noise.mkv", std::string(4096, '\x5a')),
        folder.write("archive.zip", "PK\x03\x04"),
    };
    for (const std::string& path : hostile) {
        EXPECT_TRUE(fallsBackToTheCard(path)) << path;
    }
}

TEST(FileViewer, ShowsEachKindInItsOwnForm)
{
    const TempDir folder;
    test::writePdf(folder / "page.pdf", {595, 842}, Qt::white);
    EXPECT_EQ(shownFor(folder / "page.pdf"), Form::pdf);
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
        loadViewerContent(markup, viewerKindFor(QString::fromStdString(markup)));
    EXPECT_EQ(shown.form, Form::text);
    EXPECT_EQ(shown.text, QStringLiteral("<b>bold?</b> &amp; €\n"));

    // Not UTF-8: read as Latin-1 rather than shown with replacement marks.
    const std::string latin = folder.write("latin.txt", "caf\xe9");
    EXPECT_EQ(loadViewerContent(latin, ViewerKind::text).text, QStringLiteral("café"));

    // Cut inside a character: still UTF-8, without the broken character.
    const std::string large =
        folder.write("large.txt", std::string(textPreviewBytes - 1, 'a') + "\u20ac and more");
    const QString beginning = loadViewerContent(large, ViewerKind::text).text;
    EXPECT_EQ(beginning.size(), textPreviewBytes - 1);
    EXPECT_TRUE(beginning.endsWith(QLatin1Char('a')));

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
