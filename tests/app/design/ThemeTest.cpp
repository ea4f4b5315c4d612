#include "app/design/Theme.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

TEST(Theme, AdaptiveTokensFollowTheSchemeAndFixedOnesDoNot)
{
    EXPECT_EQ(Theme::muted.resolved(ColorScheme::dark), QColor(164, 173, 193));
    EXPECT_EQ(Theme::muted.resolved(ColorScheme::light), QColor(0x65, 0x70, 0x87));
    EXPECT_EQ(Theme::panel.resolved(ColorScheme::light), QColor(255, 255, 255));
    EXPECT_EQ(Theme::orange.resolved(ColorScheme::dark), QColor(0xFF, 0x95, 0x66));
    for (const ColorScheme scheme : {ColorScheme::dark, ColorScheme::light}) {
        EXPECT_EQ(Theme::accent.resolved(scheme).rgb(), QColor::fromRgbF(1.0f, 0.55f, 0.34f).rgb());
        EXPECT_EQ(Theme::ink.resolved(scheme).rgb(), QColor::fromRgbF(0.1f, 0.08f, 0.1f).rgb());
    }
}

} // namespace
} // namespace tollenvane
