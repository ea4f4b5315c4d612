#include "app/deck/SwipeFileCard.h"

#include "app/design/AppearanceApplier.h"
#include "app/design/ElidedLabel.h"
#include "app/design/PlainButton.h"
#include "app/design/ShownName.h"
#include "core/localisation/Localization.h"
#include "design/SchemeScope.h"
#include "model/support/ModelHarness.h"
#include "model/support/SortingHarness.h"
#include "preview/TestMedia.h"
#include "preview/Waiting.h"
#include "support/RecordSample.h"
#include "support/RecordingServices.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>
#include <filesystem>

namespace tollenvane {
namespace {

using test::processUntil;
using test::RecordingRevealer;

class SwipeFileCardTest : public ::testing::Test {
protected:
    test::ModelHarness harness;
    AppModel& model = harness.load();
    const test::TempDir& folder = harness.folder;
    RecordingRevealer revealer;
    // The deck's place: the card's shape is cut from its window's.
    QWidget deck;
    SwipeFileCard& card = *new SwipeFileCard(model, revealer, &deck);

    SwipeFileCardTest()
    {
        deck.resize(560, 600);
        card.setGeometry(20, 20, 520, 560);
        deck.show();
    }

    PlainButton& button(const char* name) const
    {
        return *card.findChild<PlainButton*>(QString::fromLatin1(name));
    }
    // Only the check's own answer is awaited: the card's other work may still be running.
    void letBackgroundWorkFinish()
    {
        processUntil([] { return false; }, 300);
    }
};

TEST_F(SwipeFileCardTest, AFileRemovedAfterIndexingShowsTheSkipOnceLookedFor)
{
    const FileRecord gone = FileRecord::read(folder.write("gone.txt", "x"));
    std::filesystem::remove(std::string(gone.path()));

    card.setFile(gone);
    EXPECT_FALSE(button("skipButton").isVisible());
    ASSERT_TRUE(processUntil([&] { return card.missing(); }));
    EXPECT_TRUE(button("skipButton").isVisible());
    EXPECT_TRUE(button("skipButton").isEnabled());
    EXPECT_TRUE(button("fullPreviewButton").isEnabled());
    // The full preview is read by its title, its key told after it; the hover help shows both.
    const PlainButton& preview = button("fullPreviewButton");
    EXPECT_EQ(preview.accessibleName(), QStringLiteral("Aperçu complet"));
    EXPECT_EQ(preview.accessibleDescription(), QStringLiteral("Espace"));
    EXPECT_TRUE(preview.toolTip().endsWith(QStringLiteral("Aperçu complet · Espace")));
}

TEST_F(SwipeFileCardTest, TheAnswerForAFileNoLongerShownIsDropped)
{
    const FileRecord gone = FileRecord::read(folder.write("gone.txt", "x"));
    std::filesystem::remove(std::string(gone.path()));
    const FileRecord here = FileRecord::read(folder.write("here.txt", "y"));

    card.setFile(gone);
    card.setFile(here);
    letBackgroundWorkFinish();
    EXPECT_FALSE(card.missing());
    EXPECT_FALSE(button("skipButton").isVisible());
}

TEST_F(SwipeFileCardTest, ARecordOutOfReachOffersTheSkipAtOnceAndNoPreview)
{
    card.setFile(test::RecordSample{.path = folder / "elsewhere.png", .available = false}.record());
    EXPECT_TRUE(button("skipButton").isVisible());
    EXPECT_FALSE(button("fullPreviewButton").isEnabled());
}

TEST_F(SwipeFileCardTest, RevealAsksForTheCardsFile)
{
    const FileRecord file = FileRecord::read(folder.write("shown.txt", "z"));
    card.setFile(file);
    QTest::mouseClick(&button("revealButton"), Qt::LeftButton);
    EXPECT_EQ(revealer.revealed, std::vector<std::string>{std::string(file.path())});
}

TEST_F(SwipeFileCardTest, PicturesInBothAppearances)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    const std::string photo = folder /
                              "Vacances d’été 2026 · la plage au coucher du soleil, vue depuis la "
                              "digue (version finale retouchée).jpg";
    folder.write(
        std::filesystem::path(photo).filename().string(),
        test::twoColourJpeg({1600, 1000}, QColor(0x2a, 0x6f, 0xb0), QColor(0xe0, 0x90, 0x40))
            .toStdString());
    card.setFile(FileRecord::read(photo));
    letBackgroundWorkFinish();
    ASSERT_TRUE(QDir().mkpath(TOLLENVANE_SCREENSHOTS));

    for (const auto& [appearance, name] :
         {std::pair{AppAppearance::dark, "file-card-dark.png"},
          std::pair{AppAppearance::light, "file-card-light.png"}}) {
        applier.apply(appearance);
        const QImage picture = card.grab().toImage();
        EXPECT_TRUE(picture.save(QStringLiteral(TOLLENVANE_SCREENSHOTS "/") + name));
        // Beneath the last row, the information section lies on the panel.
        EXPECT_EQ(picture.pixelColor(260, card.height() - 6), Theme::color(Theme::panel));
        // The edge is outlined, the corner beyond it left out.
        EXPECT_NE(picture.pixelColor(0, 0), Theme::color(Theme::panel));
    }
    // The long name keeps both its start and its extension.
    const QString shown = card.findChild<ElidedLabel*>(QStringLiteral("nameLabel"))->fitted().text;
    EXPECT_TRUE(shown.startsWith(shownName("Vacances").chopped(1)));
    EXPECT_TRUE(shown.endsWith(shownName(".jpg").mid(1)));
    EXPECT_TRUE(shown.contains(QChar(0x2026)));
}

TEST(SwipeFileCardInADeck, SkippingAVanishedCurrentCardTakesItOff)
{
    test::SortingHarness harness;
    const std::string first = harness.startSortingTwo();
    AppModel& model = *harness.model;
    RecordingRevealer revealer;
    SwipeFileCard card(model, revealer);
    card.show();
    std::filesystem::remove(first);

    card.setFile(model.pending().remaining().front());
    ASSERT_TRUE(processUntil([&] { return card.missing(); }));
    QTest::mouseClick(card.findChild<PlainButton*>(QStringLiteral("skipButton")), Qt::LeftButton);
    harness.settle();
    EXPECT_EQ(harness.cardPaths(), std::vector<std::string>{harness.source + "/b.png"});
}

TEST_F(SwipeFileCardTest, AnotherLanguageRewritesTheDetails)
{
    const AppLanguage before = Localization::language();
    card.setFile(FileRecord::read(folder.write("shown.txt", "z")));
    const ElidedLabel& modified = *card.findChild<ElidedLabel*>(QStringLiteral("modifiedLabel"));
    ASSERT_TRUE(modified.text().startsWith(QStringLiteral("Modifié")));

    Preferences preferences = model.state().preferences;
    preferences.language = AppLanguage::de;
    model.setPreferences(preferences);
    EXPECT_TRUE(
        processUntil([&] { return modified.text().startsWith(QStringLiteral("Geändert")); }, 2000));
    EXPECT_EQ(card.findChild<PlainButton*>(QStringLiteral("skipButton"))->text(),
              QStringLiteral("Diese nicht erreichbare Datei überspringen"));
    Localization::setLanguage(before);
}

} // namespace
} // namespace tollenvane
