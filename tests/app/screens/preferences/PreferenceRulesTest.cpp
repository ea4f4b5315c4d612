#include "app/screens/preferences/PreferenceRules.h"

#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

#include <limits>

namespace tollenvane {
namespace {

using namespace PreferenceRules;

TEST(PreferenceRules, ThePercentIsRoundedAndTheSliderRoundTrips)
{
    // French puts a no-break space before the sign, English none.
    EXPECT_EQ(percentText(0.45), QStringLiteral("45\u00A0%"));
    // 0.29 × 100 lies just below 29.
    EXPECT_EQ(percentText(0.29), QStringLiteral("29\u00A0%"));
    EXPECT_EQ(percentText(0), QStringLiteral("0\u00A0%"));
    EXPECT_EQ(percentText(1), QStringLiteral("100\u00A0%"));
    EXPECT_EQ(percentText(1.5), QStringLiteral("100\u00A0%"));
    {
        const test::ScopedLanguage english(AppLanguage::en);
        EXPECT_EQ(percentText(0.45), QStringLiteral("45%"));
        EXPECT_EQ(percentText(0.7), QStringLiteral("70%"));
    }

    EXPECT_EQ(sliderPosition(0.45), 450);
    EXPECT_DOUBLE_EQ(volumeAt(sliderPosition(0.45)), 0.45);
    EXPECT_EQ(sliderPosition(-0.2), 0);
    EXPECT_EQ(sliderPosition(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_DOUBLE_EQ(volumeAt(volumeSteps + 5), 1.0);
}

TEST(PreferenceRules, AMinimumSizeOutsideTheListMarksNoEntry)
{
    EXPECT_EQ(minimumSizeIndex(0), 0);
    EXPECT_EQ(minimumSizeIndex(10'000'000), 2);
    EXPECT_EQ(minimumSizeIndex(100'000'000), 3);
    EXPECT_EQ(minimumSizeIndex(5'000'000), -1);
}

TEST(PreferenceRules, SessionsLockTheScanSettingsAndBusyLocksTheActions)
{
    const Availability idle = availability(false, false);
    EXPECT_TRUE(idle.replayTutorial && idle.scanSettings && idle.rescan && idle.forgetDecisions);

    const Availability session = availability(false, true);
    EXPECT_TRUE(session.replayTutorial);
    EXPECT_FALSE(session.scanSettings || session.rescan || session.forgetDecisions);

    const Availability busy = availability(true, false);
    EXPECT_TRUE(busy.scanSettings);
    EXPECT_FALSE(busy.replayTutorial || busy.rescan || busy.forgetDecisions);
}

} // namespace
} // namespace tollenvane
