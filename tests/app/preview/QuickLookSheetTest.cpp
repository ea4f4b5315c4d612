#include "app/preview/QuickLookSheet.h"

#include "TestMedia.h"
#include "Waiting.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/design/Theme.h"
#include "app/preview/FileViewer.h"
#include "design/SchemeScope.h"
#include "model/support/SortingHarness.h"
#include "support/EnvironmentVariable.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QTest>

namespace tollenvane {
namespace {

using test::processUntil;

// Both ways in: the current card's preview and a file inspected elsewhere.
struct OpenedPreview {
    test::SortingHarness harness;
    std::string path;

    OpenedPreview()
    {
        harness.loadScanned();
        path = harness.startSortingTwo();
        // One at a time: a second request supersedes a check still running.
        harness.model->openPreview();
        harness.settle();
        harness.model->inspectFile(path);
        harness.settle();
    }
};

TEST(QuickLookSheet, EscapeAndCloseBothClearTheModelsPreviewFields)
{
    QWidget window;
    window.resize(1000, 700);
    window.show();
    for (const bool escape : {true, false}) {
        OpenedPreview opened;
        AppModel& model = *opened.harness.model;
        ASSERT_TRUE(model.showPreview());
        ASSERT_TRUE(model.inspectedFile().has_value());

        QuickLookSheet sheet(model, *model.inspectedFile(), &window);
        sheet.open();
        ASSERT_TRUE(sheet.isVisible());
        if (escape) {
            QTest::keyClick(&sheet, Qt::Key_Escape);
        } else {
            auto* close = sheet.findChild<QPushButton*>(QStringLiteral("closeButton"));
            ASSERT_NE(close, nullptr);
            EXPECT_FALSE(close->autoDefault());
            QTest::mouseClick(close, Qt::LeftButton);
        }
        EXPECT_FALSE(model.showPreview()) << escape;
        EXPECT_FALSE(model.inspectedFile().has_value()) << escape;
        EXPECT_FALSE(sheet.isVisible()) << escape;
    }
}

TEST(QuickLookSheet, ALongNameIsCutAtItsEndAndLeavesTheCloseButtonInPlace)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    const std::string name = std::string(200, 'n') + ".txt";
    QuickLookSheet sheet(model, FileRecord::read(harness.folder.write(name, "x")));
    sheet.show();
    const auto* label = sheet.findChild<ElidedLabel*>(QStringLiteral("fileName"));
    const auto* close = sheet.findChild<QPushButton*>(QStringLiteral("closeButton"));
    ASSERT_NE(label, nullptr);
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(label->fitted().text.startsWith(shownName("nnn").chopped(1)));
    EXPECT_TRUE(label->fitted().text.endsWith(QChar(0x2026)));
    EXPECT_EQ(close->geometry().right(), QuickLookSheet::fixedSize.width() - 21);
}

TEST(QuickLookSheet, SoundPlaysByItselfAndStopsWithTheSheet)
{
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND", "ffmpeg");
    test::ModelHarness harness;
    AppModel& model = harness.load();
    const std::string audio = harness.folder.write(
        "long.wav", test::waveFile(1, 10 * 44'100, test::SampleFormat::int16, [](int frame, int) {
                        return 0.3F * static_cast<float>(std::sin(frame / 15.0));
                    }).toStdString());
    QuickLookSheet sheet(model, FileRecord::read(audio));
    sheet.open();
    ASSERT_TRUE(processUntil([&] { return sheet.viewer().isPlaying(); }));
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_FALSE(sheet.viewer().isPlaying());
}

// The sheet over each kind of file the previewer shows, in both appearances, for people to
// look at; the probes check that the content, not the fallback, fills the sheet.
TEST(QuickLookSheet, Screenshots)
{
    const test::SchemeScope restore;
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND", "ffmpeg");
    test::ModelHarness harness;
    AppModel& model = harness.load();
    const test::TempDir& folder = harness.folder;
    const std::string image = folder.write(
        "Vacances au bord de la mer, le soir, avant l’orage qui a tout emporté.jpg",
        test::twoColourJpeg({1600, 1000}, QColor(0xD0, 0x30, 0x30), QColor(0x30, 0x60, 0xD0))
            .toStdString());
    const std::string pdf = folder / "Rapport.pdf";
    test::writePdf(pdf, {595, 842}, QColor(0xF0, 0xE0, 0x90));
    const std::string text =
        folder.write("notes.txt", "Liste des courses\n- <b>pain</b>\n- lait & œufs\n");
    const std::string audio = folder.write(
        "voix.wav", test::waveFile(1, 44'100, test::SampleFormat::int16, [](int frame, int) {
                        return 0.4F * static_cast<float>(std::sin(frame / 20.0));
                    }).toStdString());
    std::string words;
    while (words.size() < 3000) {
        words += "une ligne sans fin ";
    }
    const std::string line = folder.write("ligne.txt", words);
    // Past the decoder's deadline, the card.
    const std::string bomb = folder.write("dessin.svg", test::svgBomb());
    const QString shots = test::screenshotFolder();

    AppearanceApplier applier;
    for (const auto& [appearance, suffix] :
         {std::pair{AppAppearance::light, ""}, std::pair{AppAppearance::dark, "-dark"}}) {
        applier.apply(appearance);
        for (const auto& [path, name] :
             {std::pair{image, "image"}, std::pair{pdf, "pdf"}, std::pair{text, "text"},
              std::pair{audio, "audio"}, std::pair{line, "line"}, std::pair{bomb, "bomb"}}) {
            QuickLookSheet sheet(model, FileRecord::read(path));
            sheet.show();
            ASSERT_TRUE(processUntil([&] { return sheet.viewer().shown().has_value(); })) << name;
            EXPECT_EQ(sheet.viewer().shown() == ViewerContent::Form::card, path == bomb) << name;
            // Let the PDF pages render and the player settle.
            processUntil([] { return false; }, 400);
            const QImage shot = sheet.grab().toImage();
            EXPECT_EQ(shot.size(), QuickLookSheet::fixedSize) << name;
            EXPECT_EQ(shot.pixelColor(2, 2), Theme::color(Theme::bg)) << name;
            EXPECT_TRUE(shot.save(shots + "/preview-" + name + suffix + ".png"));
            if (std::string(name) == "image") {
                // Left half red, right half blue, fitted below the header.
                EXPECT_GT(shot.pixelColor(300, 350).red(), 180);
                EXPECT_GT(shot.pixelColor(560, 350).blue(), 180);
            }
        }
    }
}

} // namespace
} // namespace tollenvane
