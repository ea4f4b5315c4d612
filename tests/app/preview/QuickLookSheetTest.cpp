#include "app/preview/QuickLookSheet.h"

#include "TestMedia.h"
#include "Waiting.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LocalizedText.h"
#include "app/design/ShownName.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/preview/FileViewer.h"
#include "app/preview/MediaPlayerView.h"
#include "app/preview/PdfPane.h"
#include "app/preview/TextPane.h"
#include "design/SchemeScope.h"
#include "model/support/SortingHarness.h"
#include "support/EnvironmentVariable.h"
#include "support/FocusRingPixels.h"
#include "support/ScopedLanguage.h"
#include "support/Screenshots.h"
#include "support/ToldNotices.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QImage>
#include <QMediaDevices>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <algorithm>

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
    auto* label = sheet.findChild<ElidedLabel*>(QStringLiteral("fileName"));
    const auto* close = sheet.findChild<QPushButton*>(QStringLiteral("closeButton"));
    ASSERT_NE(label, nullptr);
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(label->fitted().text.startsWith(shownName("nnn").chopped(1)));
    EXPECT_TRUE(label->fitted().text.endsWith(QChar(0x2026)));
    EXPECT_EQ(close->geometry().right(), QuickLookSheet::fixedSize.width() - 21);
    // Heard as the file it shows, without the marks that show its name, in its description too.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&sheet)->text(QAccessible::Name),
              QString::fromStdString(name));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Description),
              QString::fromStdString(name));
}

std::string longSound(const test::TempDir& folder)
{
    return folder.write(
        "long.wav", test::waveFile(1, 10 * 44'100, test::SampleFormat::int16, [](int frame, int) {
                        return 0.3F * static_cast<float>(std::sin(frame / 15.0));
                    }).toStdString());
}

bool canBeHeard()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

TEST(QuickLookSheet, MediaPlaysByItselfAndStopsWithTheSheet)
{
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND", "ffmpeg");
    test::ModelHarness harness;
    AppModel& model = harness.load();
    std::vector<std::string> played{
        harness.folder.write("clip.mkv", test::redVideo({64, 48}, 750))};
    // A sound plays only where it can be heard.
    if (canBeHeard()) {
        played.push_back(longSound(harness.folder));
    }
    for (const std::string& path : played) {
        QuickLookSheet sheet(model, FileRecord::read(path));
        sheet.open();
        ASSERT_TRUE(processUntil([&] { return sheet.viewer().isPlaying(); })) << path;
        QTest::keyClick(&sheet, Qt::Key_Escape);
        EXPECT_FALSE(sheet.viewer().isPlaying()) << path;
    }
}

// A machine without a sound output, as the offscreen platform here: the sheet says so and keeps
// the sound's picture, rather than sitting at its start and then giving way to the card.
TEST(QuickLookSheet, ASoundWithNowhereToBeHeardSaysSoAndStays)
{
    if (canBeHeard()) {
        GTEST_SKIP() << "this machine has a sound output";
    }
    const test::EnvironmentVariable backend("QT_MEDIA_BACKEND", "ffmpeg");
    test::ModelHarness harness;
    AppModel& model = harness.load();
    const test::ScopedLanguage english(AppLanguage::en);
    const test::AccessibleEvents told;
    QuickLookSheet sheet(model, FileRecord::read(longSound(harness.folder)));
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    ASSERT_TRUE(processUntil([&] { return sheet.viewer().shown().has_value(); }));
    ASSERT_EQ(sheet.viewer().shown(), ViewerContent::Form::media);
    const auto* player = sheet.findChild<MediaPlayerView*>();
    ASSERT_NE(player, nullptr);
    // Past the deadline by which a sound that plays has started.
    processUntil([] { return false; }, MediaPlayerView::startDeadlineMs + 800);
    EXPECT_EQ(sheet.viewer().shown(), ViewerContent::Form::media);
    const auto* notice = sheet.findChild<TextBlock*>(QStringLiteral("noSoundOutput"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), QStringLiteral("No sound output is available on this computer."));
    // Told as it shows, the keyboard staying where it was.
    EXPECT_TRUE(test::waitForNotice(told, notice->text())) << told.transcript();
    EXPECT_FALSE(sheet.findChild<QWidget*>(QStringLiteral("playPauseButton"))->isVisible());
    EXPECT_FALSE(sheet.viewer().isPlaying());
    const QImage shot = sheet.grab().toImage();
    shot.save(test::screenshotFolder() + "/preview-audio-no-output.png");
    // The orange waveform above the notice.
    const QColor orange = Theme::color(Theme::orange);
    bool waveform = false;
    for (int x = 380; x < 480 && !waveform; ++x) {
        for (int y = 150; y < 400 && !waveform; ++y) {
            waveform = shot.pixelColor(x, y) == orange;
        }
    }
    EXPECT_TRUE(waveform);
}

// Keys sent where the keyboard's would go: to the sheet's focus.
void press(QuickLookSheet& sheet, Qt::Key key)
{
    QWidget* focused = sheet.focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClick(focused, key);
}

TEST(QuickLookSheet, TextScrollsFromTheKeyboard)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    std::string lines;
    for (int line = 1; line <= 400; ++line) {
        lines += "Ligne " + std::to_string(line) + "\n";
    }
    const test::AccessibleEvents told;
    QuickLookSheet sheet(model, FileRecord::read(harness.folder.write("notes.txt", lines)));
    sheet.show();
    // Heard as the file from the first moment, while the content is read and once it shows.
    const auto focusHeard = [&sheet] {
        return QAccessible::queryAccessibleInterface(sheet.focusWidget())->text(QAccessible::Name);
    };
    EXPECT_EQ(focusHeard(), "notes.txt");
    ASSERT_TRUE(processUntil([&] { return sheet.viewer().shown().has_value(); }));
    const auto* text = sheet.findChild<TextPane*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(sheet.focusWidget(), text);
    EXPECT_EQ(focusHeard(), "notes.txt");
    // The text is first told as it takes the focus, by the file's name: a screen reader told of
    // its text or caret before then takes it for the focus and says nothing as it opens.
    const auto firstFocus = std::find_if(
        told.events().begin(), told.events().end(), [text](const test::ToldEvent& event) {
            return event.object == text && event.type == QAccessible::Focus;
        });
    ASSERT_NE(firstFocus, told.events().end()) << told.transcript();
    EXPECT_EQ(firstFocus->name, "notes.txt");
    EXPECT_TRUE(std::none_of(told.events().begin(), firstFocus, [text](const auto& event) {
        return event.object == text && event.type != QAccessible::NameChanged &&
               event.type != QAccessible::ObjectShow;
    })) << told.transcript();
    const QScrollBar& bar = *text->verticalScrollBar();
    ASSERT_GT(bar.maximum(), 0);
    // The caret goes from line to line, which a screen reader reads as it reaches each, and the
    // view follows it.
    const auto line = [text] { return text->textCursor().blockNumber(); };
    press(sheet, Qt::Key_Down);
    EXPECT_EQ(line(), 1);
    EXPECT_EQ(text->textCursor().block().text(), "Ligne 2");
    EXPECT_FALSE(told.about(text, QAccessible::TextCaretMoved).empty());
    sheet.grab().save(test::screenshotFolder() + "/preview-text-caret.png");
    press(sheet, Qt::Key_PageDown);
    const int paged = line();
    EXPECT_GT(paged, 10);
    EXPECT_GT(bar.value(), 0);
    press(sheet, Qt::Key_PageUp);
    EXPECT_LT(line(), paged);
    QTest::keyClick(sheet.focusWidget(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_TRUE(text->textCursor().atEnd());
    EXPECT_GT(bar.value(), paged);
    EXPECT_TRUE(text->viewport()->rect().contains(text->cursorRect()));
    press(sheet, Qt::Key_Up);
    EXPECT_EQ(text->textCursor().block().text(), "Ligne 400");
    QTest::keyClick(sheet.focusWidget(), Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_EQ(line(), 0);
    // Read only: a key typed changes nothing.
    QTest::keyClicks(sheet.focusWidget(), QStringLiteral("x"));
    EXPECT_EQ(text->document()->firstBlock().text(), "Ligne 1");
}

TEST(QuickLookSheet, APictureLeavesTheFocusOnTheCloseButtonWithItsRing)
{
    test::ModelHarness harness;
    AppModel& model = harness.load();
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    const std::string path = harness.folder.path() + "/green.png";
    ASSERT_TRUE(picture.save(QString::fromStdString(path)));
    QuickLookSheet sheet(model, FileRecord::read(path));
    sheet.show();
    QApplication::setActiveWindow(&sheet);
    ASSERT_TRUE(processUntil([&] { return sheet.viewer().shown().has_value(); }));
    auto* close = sheet.findChild<QPushButton*>(QStringLiteral("closeButton"));
    ASSERT_EQ(sheet.focusWidget(), close);
    EXPECT_GE(test::ringPixels(sheet, *close), 20);
    press(sheet, Qt::Key_Space);
    EXPECT_FALSE(sheet.isVisible());
}

// The last of 500 pages is reached with End and drawn on white paper, while only the pages near
// the view are held and a few drawn at a time.
TEST(QuickLookSheet, EveryPageOfALongDocumentIsReachedAndDrawnAsItComesIntoView)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    applier.apply(AppAppearance::dark);
    test::ModelHarness harness;
    AppModel& model = harness.load();
    const std::string pdf = harness.folder / "long.pdf";
    constexpr int pageCount = 500;
    test::writeBarePdf(pdf, {595, 842}, pageCount);
    QuickLookSheet sheet(model, FileRecord::read(pdf));
    sheet.show();
    ASSERT_TRUE(processUntil([&] { return sheet.viewer().shown().has_value(); }));
    ASSERT_EQ(sheet.viewer().shown(), ViewerContent::Form::pdf);
    auto* pane = sheet.findChild<PdfPane*>();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->pageCount(), pageCount);
    EXPECT_EQ(sheet.focusWidget(), pane);
    // Heard with its number of pages, then with each page scrolled to, once.
    const auto heard = [](QWidget& widget, QAccessible::Text text) {
        return QAccessible::queryAccessibleInterface(&widget)->text(text);
    };
    EXPECT_EQ(heard(*pane, QAccessible::Name), "long.pdf");
    EXPECT_EQ(heard(*pane, QAccessible::Description), "500 pages");
    auto& pageNotice = *pane->findChild<QWidget*>(QStringLiteral("pageNotice"));
    ASSERT_TRUE(processUntil([&] { return pane->isDrawn(0); }));
    const QScrollBar& bar = *pane->verticalScrollBar();
    press(sheet, Qt::Key_Down);
    EXPECT_EQ(bar.value(), bar.singleStep());
    EXPECT_FALSE(pageNotice.isVisible()) << "still on the first page";
    press(sheet, Qt::Key_PageDown);
    EXPECT_EQ(bar.value(), bar.singleStep() + bar.pageStep());
    press(sheet, Qt::Key_PageUp);
    press(sheet, Qt::Key_Up);
    EXPECT_EQ(bar.value(), 0);

    press(sheet, Qt::Key_End);
    EXPECT_EQ(bar.value(), bar.maximum());
    EXPECT_TRUE(pageNotice.isVisible());
    EXPECT_EQ(heard(pageNotice, QAccessible::Name), "Page 500 sur 500");
    const int last = pageCount - 1;
    int mostHeld = 0;
    int mostDrawing = 0;
    ASSERT_TRUE(processUntil([&] {
        mostHeld = std::max(mostHeld, pane->heldPages());
        mostDrawing = std::max(mostDrawing, test::runningDecoders());
        return pane->isDrawn(last);
    }));
    EXPECT_LE(mostHeld, 2 + 2 * PdfPane::pagesAround);
    EXPECT_LE(mostDrawing, PdfPane::maxDrawing);
    EXPECT_FALSE(pane->isDrawn(0)) << "a page far out of view is let go";
    processUntil([] { return false; }, 200);
    const QImage shot = sheet.grab().toImage();
    shot.save(test::screenshotFolder() + "/preview-pdf-last-page-dark.png");
    // The last page's blue band at its bottom, the white paper above it, in the dark.
    const QRect page = pane->pageRect(last).translated(pane->viewport()->mapTo(&sheet, QPoint()));
    const QPoint bottom(page.center().x(), page.bottom() - 10);
    EXPECT_EQ(shot.pixelColor(bottom), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(bottom - QPoint(0, page.height() / 4)), QColor(Qt::white));

    press(sheet, Qt::Key_Home);
    EXPECT_EQ(bar.value(), 0);
    EXPECT_TRUE(processUntil([&] { return pane->isDrawn(0) && !pane->isDrawn(last); }));

    // Closed, the sheet draws nothing more and holds no page.
    press(sheet, Qt::Key_PageDown);
    QTest::keyClick(&sheet, Qt::Key_Escape);
    EXPECT_EQ(pane->heldPages(), 0);
    EXPECT_TRUE(processUntil(
        [&] { return pane->pagesBeingDrawn() == 0 && test::runningDecoders() == 0; }, 3000));
    EXPECT_EQ(pane->heldPages(), 0);
}

// The sheet over each kind of file the previewer shows, in both appearances, in French, and
// those with words of their own in English and German too, for people to look at; the probes
// check that the content, not the fallback, fills the sheet, and a page is on white paper.
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
    test::writeBarePdf(pdf, {595, 842}, 3);
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
    for (const auto& [language, tag] :
         {std::pair{AppLanguage::fr, ""}, std::pair{AppLanguage::en, "-en"},
          std::pair{AppLanguage::de, "-de"}}) {
        const test::ScopedLanguage shown(language);
        const bool french = language == AppLanguage::fr;
        for (const auto& [appearance, suffix] :
             {std::pair{AppAppearance::light, ""}, std::pair{AppAppearance::dark, "-dark"}}) {
            applier.apply(appearance);
            for (const auto& [path, name] :
                 {std::pair{image, "image"}, std::pair{pdf, "pdf"}, std::pair{text, "text"},
                  std::pair{audio, "audio"}, std::pair{line, "line"}, std::pair{bomb, "bomb"}}) {
                if (!french && path != pdf && path != audio && path != text) {
                    continue;
                }
                QuickLookSheet sheet(model, FileRecord::read(path));
                sheet.show();
                ASSERT_TRUE(processUntil([&] { return sheet.viewer().shown().has_value(); }))
                    << name;
                EXPECT_EQ(sheet.viewer().shown() == ViewerContent::Form::card, path == bomb)
                    << name;
                if (const auto* pane = sheet.findChild<PdfPane*>()) {
                    EXPECT_TRUE(processUntil([&] { return pane->isDrawn(0); }));
                }
                // Let the player settle.
                processUntil([] { return false; }, 300);
                const QImage shot = sheet.grab().toImage();
                EXPECT_EQ(shot.size(), QuickLookSheet::fixedSize) << name;
                EXPECT_EQ(shot.pixelColor(2, 2), Theme::color(Theme::bg)) << name;
                EXPECT_TRUE(shot.save(shots + "/preview-" + name + tag + suffix + ".png"));
                if (path == image) {
                    // Left half red, right half blue, fitted below the header.
                    EXPECT_GT(shot.pixelColor(300, 350).red(), 180);
                    EXPECT_GT(shot.pixelColor(560, 350).blue(), 180);
                }
                if (path == pdf) {
                    // Below the first page's dark band, the paper.
                    EXPECT_EQ(shot.pixelColor(430, 300), QColor(Qt::white)) << suffix;
                }
            }
        }
    }
}

} // namespace
} // namespace tollenvane
