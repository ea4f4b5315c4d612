#include "app/design/ShownName.h"
#include "app/shell/RootRules.h"
#include "app/shell/SidebarRules.h"
#include "app/shell/WindowFit.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tollenvane {
namespace {

TEST(RootRules, LaunchScreenComesBeforeTheTutorial)
{
    EXPECT_EQ(rootOverlay(true, false, true), RootOverlay::launch);
    EXPECT_EQ(rootOverlay(true, true, false), RootOverlay::launch);
    EXPECT_EQ(rootOverlay(false, false, false), RootOverlay::tutorial);
    EXPECT_EQ(rootOverlay(false, true, true), RootOverlay::tutorial);
    EXPECT_EQ(rootOverlay(false, true, false), RootOverlay::none);
}

TEST(RootRules, StatusBarTexts)
{
    // The count grouped and its plural in each language's way (0 is singular in French).
    for (const auto& [language, count, text] :
         std::vector<std::tuple<AppLanguage, int, std::string>>{
             {AppLanguage::fr, 0, "Analyse · 0 fichier"},
             {AppLanguage::fr, 1, "Analyse · 1 fichier"},
             {AppLanguage::fr, 44060, "Analyse · 44\u202F060 fichiers"},
             {AppLanguage::en, 0, "Scanning · 0 files"},
             {AppLanguage::en, 1, "Scanning · 1 file"},
             {AppLanguage::en, 44060, "Scanning · 44,060 files"},
         }) {
        const test::ScopedLanguage shown(language);
        EXPECT_EQ(scanProgressText(count), text);
    }
    EXPECT_EQ(issueButtonText(0), std::nullopt);
    EXPECT_EQ(issueButtonText(1), "1");
    EXPECT_EQ(issueButtonText(1234), "1234"); // never grouped
    // Heard, the button says what it counts.
    for (const auto& [language, count, name] :
         std::vector<std::tuple<AppLanguage, int, std::string>>{
             {AppLanguage::fr, 1, "1 problème d’analyse"},
             {AppLanguage::fr, 3, "3 problèmes d’analyse"},
             {AppLanguage::en, 1, "1 scan problem"},
             {AppLanguage::de, 2, "2 Analyseprobleme"},
         }) {
        const test::ScopedLanguage shown(language);
        EXPECT_EQ(issueButtonName(count), name);
    }
    {
        const test::ScopedLanguage english(AppLanguage::en);
        EXPECT_EQ(scanEndNotice(1, 0), QStringLiteral("Scan finished: 1 file."));
        EXPECT_EQ(scanEndNotice(44060, 1),
                  QStringLiteral("Scan finished: 44,060 files. 1 scan problem."));
    }
    EXPECT_FALSE(issueListTruncated(30));
    EXPECT_TRUE(issueListTruncated(31));
}

TEST(SidebarRules, PagesWithoutARowHighlightNone)
{
    for (const Page current : {Page::setup, Page::swipe, Page::summary, Page::duplicates}) {
        EXPECT_EQ(navigationSymbol(current), "rectangle.stack");
        for (const Page row : navigationPages) {
            EXPECT_FALSE(rowSelected(row, current));
        }
        EXPECT_FALSE(rowSelected(Page::settings, current));
    }
    EXPECT_TRUE(rowSelected(Page::settings, Page::settings));
}

TEST(SidebarRules, ResumeEntriesAndWhatDisablesThem)
{
    SidebarFacts facts;
    EXPECT_EQ(resumeEntry(facts), ResumeEntry::none);
    facts.canResume = true;
    EXPECT_EQ(resumeEntry(facts), ResumeEntry::saved);
    facts.sessionActive = true;
    EXPECT_EQ(resumeEntry(facts), ResumeEntry::running);

    facts.resumeReady = true;
    EXPECT_TRUE(savedSessionEnabled(facts));
    facts.animatingSwipe = true; // a flight stops navigation, not the saved session
    EXPECT_FALSE(navigationEnabled(facts));
    EXPECT_TRUE(savedSessionEnabled(facts));
    facts.busy = true;
    EXPECT_FALSE(savedSessionEnabled(facts));
    facts.busy = false;
    facts.resumeReady = false;
    EXPECT_FALSE(savedSessionEnabled(facts));
}

TEST(SidebarRules, DiskFillStaysWithinTheBar)
{
    EXPECT_DOUBLE_EQ(diskFillFraction(0, 0), 0);
    EXPECT_DOUBLE_EQ(diskFillFraction(-5, 10), 0);
    EXPECT_DOUBLE_EQ(diskFillFraction(1000, 1000), 0);
    EXPECT_DOUBLE_EQ(diskFillFraction(1000, 0), 1);
    EXPECT_DOUBLE_EQ(diskFillFraction(1000, 250), 0.75);
    EXPECT_DOUBLE_EQ(diskFillFraction(1000, 4000), 0); // more free than capacity
    EXPECT_DOUBLE_EQ(diskFillFraction(1000, -10), 1);
    EXPECT_DOUBLE_EQ(diskFillFraction(INT64_MAX, 0), 1); // no overflow
}

TEST(SidebarRules, DiskCardNamesExternalDisksOnly)
{
    SidebarFacts facts;
    DiskCardContent card = diskCard(facts);
    EXPECT_EQ(card.symbol, "internaldrive");
    EXPECT_EQ(card.title, "Votre ordinateur");
    EXPECT_FALSE(card.titleIsName);
    EXPECT_EQ(card.freeSpace, "0\u00A0o disponibles");

    StorageVolume photos;
    photos.name = "Photos";
    facts.volume = photos;
    EXPECT_EQ(diskCard(facts).title, "Votre ordinateur");
    facts.volume->external = true;
    card = diskCard(facts);
    EXPECT_EQ(card.symbol, "externaldrive");
    EXPECT_EQ(card.title, shownName("Photos").toStdString());
    EXPECT_TRUE(card.titleIsName);
    facts.volume->name.clear();
    EXPECT_EQ(diskCard(facts).title, "Disque externe");
    EXPECT_FALSE(diskCard(facts).titleIsName);
}

// A window of 1200 x 840 on a laptop screen of 1280 x 800: its frame and the panels come out of
// the room it has, never its minimum.
TEST(WindowFit, TheWindowOpensWithinTheScreensFreeArea)
{
    const QSize wanted(1200, 840);
    const QSize minimum(960, 690);
    const QRect screen(0, 0, 1280, 800);
    // Before the window manager frames it.
    EXPECT_EQ(fittedGeometry(QRect({}, wanted), {}, minimum, screen), QRect(0, 0, 1200, 800));
    // Framed at the top left, with a title bar of 22 and borders: all of it on screen.
    const QMargins frame(1, 22, 1, 5);
    EXPECT_EQ(fittedGeometry(QRect(1, 22, 1200, 800), frame, minimum, screen),
              QRect(1, 22, 1200, 773));
    // A panel along the top: the frame goes below it.
    EXPECT_EQ(fittedGeometry(QRect(1, 22, 1200, 800), frame, minimum, QRect(0, 32, 1280, 768)),
              QRect(1, 54, 1200, 741));
    // Placed too far right and down: moved in, not shrunk.
    EXPECT_EQ(fittedGeometry(QRect(400, 300, 1000, 700), {}, minimum, screen),
              QRect(280, 100, 1000, 700));
    // Room enough: left as it is.
    EXPECT_EQ(fittedGeometry(QRect(101, 122, 1200, 840), frame, minimum, QRect(0, 0, 1920, 1080)),
              QRect(101, 122, 1200, 840));
    // A screen smaller than the minimum: the minimum, its title bar on screen.
    EXPECT_EQ(fittedGeometry(QRect(50, 50, 1200, 840), frame, minimum, QRect(0, 0, 800, 600)),
              QRect(1, 22, 960, 690));
}

} // namespace
} // namespace tollenvane
