#include "app/tutorial/TutorialRules.h"

#include <gtest/gtest.h>

#include <set>

namespace tollenvane {
namespace {

TEST(TutorialRules, FooterAndBarsFollowTheStep)
{
    EXPECT_EQ(stepCounterText(0), QStringLiteral("1 / 4"));
    EXPECT_EQ(stepCounterText(3), QStringLiteral("4 / 4"));
    EXPECT_FALSE(showsBackButton(0));
    EXPECT_TRUE(showsBackButton(1));
    EXPECT_TRUE(stepBarFilled(0, 0));
    EXPECT_FALSE(stepBarFilled(1, 0));
    EXPECT_TRUE(stepBarFilled(3, 3));
    EXPECT_FALSE(footerAction(2).finishes);
    EXPECT_EQ(footerAction(2).titleKey, "Continuer");
    EXPECT_TRUE(footerAction(3).finishes);
    EXPECT_EQ(footerAction(3).titleKey, "Ouvrir mon espace");
    EXPECT_EQ(footerAction(3).symbol, "checkmark");
    EXPECT_EQ(nextStep(3), 3);
    EXPECT_EQ(previousStep(0), 0);
    EXPECT_EQ(tutorialStepAt(7), TutorialStep::preferences);
}

TEST(TutorialRules, ADragDemonstratesOnlyBeyondSixtyPoints)
{
    EXPECT_FALSE(demoDragStarted({6, 7}));
    EXPECT_TRUE(demoDragStarted({0, 10}));
    EXPECT_EQ(demoReleaseDecision({-60, 0}), std::nullopt);
    EXPECT_EQ(demoReleaseDecision({0, 0}), std::nullopt);
    EXPECT_EQ(demoReleaseDecision({-70, -70}), Decision::move);
    EXPECT_EQ(demoReleaseDecision({61, 20}), Decision::keep);
    EXPECT_EQ(demoReleaseDecision({-61, 20}), Decision::trash);
    EXPECT_EQ(demoReleaseDecision({10, 61}), Decision::later);
    EXPECT_NEAR(demoLeanDegrees(demonstration(Decision::keep).nudge), 85.0 / 35.0, 1e-9);
    EXPECT_EQ(demoLeanDegrees(demonstration(Decision::move).nudge), 0.0);

    std::set<Decision> shown;
    for (const Demonstration& each : demonstrations()) {
        EXPECT_EQ(demonstration(each.decision).messageKey, each.messageKey);
        shown.insert(each.decision);
    }
    EXPECT_EQ(shown.size(), 4U);
    EXPECT_EQ(demonstrations().front().decision, Decision::trash);
}

TEST(TutorialRules, ExternalDisksOpenWhereTheDesktopMountsThem)
{
    std::set<std::string> folders{"/media/ana", "/mnt"};
    const auto isFolder = [&](const std::string& path) { return folders.count(path) > 0; };
    EXPECT_EQ(externalDrivesFolder("ana", isFolder), "/media/ana");
    folders.insert("/run/media/ana");
    EXPECT_EQ(externalDrivesFolder("ana", isFolder), "/run/media/ana");
    // A name that would climb out of the mount folders is not a name.
    EXPECT_EQ(externalDrivesFolder("../ana", isFolder), "/mnt");
    EXPECT_EQ(externalDrivesFolder("", [](const std::string&) { return false; }), std::nullopt);
}

} // namespace
} // namespace tollenvane
