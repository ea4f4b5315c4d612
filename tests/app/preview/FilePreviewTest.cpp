#include "app/preview/FilePreview.h"

#include "TestMedia.h"
#include "Waiting.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/Theme.h"
#include "app/preview/AudioPreview.h"
#include "app/preview/WaveformView.h"
#include "design/SchemeScope.h"
#include "model/support/ModelHarness.h"
#include "support/EnvironmentVariable.h"
#include "support/RecordSample.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <cmath>

namespace tollenvane {
namespace {

using test::processUntil;

class FilePreviewTest : public ::testing::Test {
protected:
    test::ModelHarness harness;
    AppModel& model = harness.load();
    const test::TempDir& folder = harness.folder;
    FilePreview preview{model};

    FilePreviewTest()
    {
        preview.resize(600, 400);
        preview.show();
    }

    const QAbstractButton& playButton() const
    {
        return *preview.findChild<QAbstractButton*>(QStringLiteral("playButton"));
    }

    QImage shot(const char* name)
    {
        const QImage image = preview.grab().toImage();
        QDir().mkpath(TOLLENVANE_SCREENSHOTS);
        image.save(QStringLiteral(TOLLENVANE_SCREENSHOTS "/file-preview-%1.png").arg(name));
        return image;
    }
};

TEST_F(FilePreviewTest, AnotherFileDropsTheLateThumbnailOfTheFirst)
{
    const std::string red =
        folder.write("red.jpg", test::twoColourJpeg({2000, 1500}, Qt::red, Qt::red).toStdString());
    const std::string blue =
        folder.write("blue.jpg", test::twoColourJpeg({40, 30}, Qt::blue, Qt::blue).toStdString());
    preview.setFile(FileRecord::read(red));
    EXPECT_EQ(preview.layer(), PreviewLayer::spinner);
    preview.setFile(FileRecord::read(blue));
    ASSERT_TRUE(processUntil([&] { return preview.layer() == PreviewLayer::thumbnail; }));
    // Give the first file's thumbnail time to arrive, and be ignored.
    processUntil([] { return false; }, 300);
    const QImage image = shot("image");
    EXPECT_GT(image.pixelColor(300, 200).blue(), 200);
    EXPECT_FALSE(playButton().isVisible());
}

TEST_F(FilePreviewTest, PdfPageKeepsItsMargin)
{
    const std::string pdf = folder / "page.pdf";
    test::writePdf(pdf, {595, 842}, QColor(0x20, 0xA0, 0x40));
    preview.setFile(FileRecord::read(pdf));
    ASSERT_TRUE(processUntil([&] { return preview.layer() == PreviewLayer::thumbnail; }));
    const QImage image = shot("pdf");
    EXPECT_EQ(image.pixelColor(300, 8), Theme::color(Theme::soft));
    EXPECT_GT(image.pixelColor(300, 24).green(), 140);
}

// Most documents paint no background: their dark text must stay on white paper, never on the
// card's dark surface.
TEST_F(FilePreviewTest, APageWithoutBackgroundIsOnWhitePaperInBothAppearances)
{
    const test::SchemeScope restore;
    const std::string pdf = folder / "lettre.pdf";
    test::writeBarePdf(pdf, {595, 842}, 1);
    AppearanceApplier applier;
    for (const auto& [appearance, name] : {std::pair{AppAppearance::dark, "pdf-bare-dark"},
                                           std::pair{AppAppearance::light, "pdf-bare"}}) {
        applier.apply(appearance);
        FilePreview card(model);
        card.resize(600, 400);
        card.show();
        card.setFile(FileRecord::read(pdf));
        ASSERT_TRUE(processUntil([&] { return card.layer() == PreviewLayer::thumbnail; }));
        const QImage image = card.grab().toImage();
        image.save(test::screenshotFolder() + QStringLiteral("/file-preview-%1.png").arg(name));
        // Below the page's dark band, in the middle of the page, and the card's margin around it.
        EXPECT_EQ(image.pixelColor(300, 200), QColor(Qt::white)) << name;
        EXPECT_LT(image.pixelColor(300, 24).lightness(), 60) << name;
        EXPECT_EQ(image.pixelColor(300, 8), Theme::color(Theme::soft)) << name;
    }
}

TEST_F(FilePreviewTest, AudioDrawsItsWaveformWithoutAskingForAThumbnail)
{
    const std::string wav = folder.write(
        "voice.wav", test::waveFile(1, 3 * 44'100, test::SampleFormat::int16, [](int frame, int) {
                         return static_cast<float>(frame) / (3 * 44'100) *
                                static_cast<float>(std::sin(frame / 10.0));
                     }).toStdString());
    preview.setFile(FileRecord::read(wav));
    EXPECT_EQ(preview.layer(), PreviewLayer::audio);
    EXPECT_FALSE(preview.loading());
    ASSERT_TRUE(processUntil([&] { return !preview.audio().waveform().bars().empty(); }));
    EXPECT_EQ(preview.audio().waveform().bars().size(), 64U);
    EXPECT_TRUE(preview.audio().waveform().isVisible());
    shot("audio");
}

TEST_F(FilePreviewTest, VideoGetsThePlayButtonOnlyWhenAFrameWasDecodedAndItsContentIsHere)
{
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND", "ffmpeg");
    // No decoder reads it: its generic icon promises no playback.
    const std::string unreadable = folder.write("holiday.mov", std::string(4096, '\x11'));
    preview.setFile(FileRecord::read(unreadable));
    ASSERT_TRUE(processUntil([&] { return preview.layer() == PreviewLayer::fallback; }));
    EXPECT_FALSE(playButton().isVisible());
    shot("video-fallback");

    const std::string video = folder.write("clip.mkv", test::redVideo({64, 48}, 3));
    preview.setFile(FileRecord::read(video));
    EXPECT_FALSE(playButton().isVisible());
    ASSERT_TRUE(processUntil([&] { return preview.layer() == PreviewLayer::thumbnail; }));
    EXPECT_TRUE(playButton().isVisible());
    EXPECT_EQ(playButton().toolTip(), QStringLiteral("Lire la vidéo"));
    // The button's dark disc, above its white symbol, sits over the red frame.
    const QImage playing = shot("video");
    EXPECT_LT(playing.pixelColor(300, 172).lightness(), 100);
    EXPECT_GT(playing.pixelColor(300, 120).red(), 150);

    test::RecordSample elsewhere;
    elsewhere.path = video;
    elsewhere.kind = "video";
    elsewhere.available = false;
    preview.setFile(elsewhere.record());
    EXPECT_EQ(preview.layer(), PreviewLayer::cloudNotice);
    EXPECT_FALSE(playButton().isVisible());
    shot("cloud");
}

} // namespace
} // namespace tollenvane
