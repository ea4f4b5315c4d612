#include "SchemeScope.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/Panel.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

namespace tollenvane {
namespace {

TEST(AppearanceResolution, NamedPreferencesWinAndSystemFollowsPortalThenPalette)
{
    const QColor darkWindow(0x30, 0x30, 0x30);
    const QColor lightWindow(0xEF, 0xEF, 0xEF);
    EXPECT_EQ(resolveColorScheme(AppAppearance::dark, {2u, lightWindow}), ColorScheme::dark);
    EXPECT_EQ(resolveColorScheme(AppAppearance::light, {1u, darkWindow}), ColorScheme::light);

    EXPECT_EQ(resolveColorScheme(AppAppearance::system, {1u, lightWindow}), ColorScheme::dark);
    EXPECT_EQ(resolveColorScheme(AppAppearance::system, {2u, darkWindow}), ColorScheme::light);
    // No preference from the portal, or no portal: the platform's window colour decides.
    EXPECT_EQ(resolveColorScheme(AppAppearance::system, {0u, darkWindow}), ColorScheme::dark);
    EXPECT_EQ(resolveColorScheme(AppAppearance::system, {std::nullopt, darkWindow}),
              ColorScheme::dark);
    EXPECT_EQ(resolveColorScheme(AppAppearance::system, {std::nullopt, lightWindow}),
              ColorScheme::light);
    // Nothing known at all: light.
    EXPECT_EQ(resolveColorScheme(AppAppearance::system, {std::nullopt, QColor()}),
              ColorScheme::light);
}

// What the screen shows of a window, as last painted: unlike grab(), this does not repaint.
QImage onScreen(QWidget& window)
{
    QCoreApplication::processEvents();
    return window.screen()->grabWindow(window.winId()).toImage();
}

TEST(AppearanceApplier, PaintsTokensAndRepaintsOpenWindowsOnSwitch)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    applier.apply(AppAppearance::dark);

    Panel panel;
    panel.resize(240, 120);
    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    const QPoint inside(120, 60);
    const QPoint edge(120, 0);

    const QImage dark = onScreen(panel);
    EXPECT_EQ(dark.pixelColor(inside), Theme::panel.resolved(ColorScheme::dark));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window),
              Theme::bg.resolved(ColorScheme::dark));

    applier.apply(AppAppearance::light);
    const QImage light = onScreen(panel);
    EXPECT_EQ(light.pixelColor(inside), QColor(255, 255, 255));
    EXPECT_EQ(QApplication::palette().color(QPalette::Window),
              Theme::bg.resolved(ColorScheme::light));
    // The hairline edge follows too (antialiased, so close to the token rather than equal).
    const QColor stroke = panel.grab().toImage().pixelColor(edge);
    const QColor line = Theme::line.resolved(ColorScheme::light);
    EXPECT_LT(std::abs(stroke.red() - line.red()) + std::abs(stroke.blue() - line.blue()), 24);

    // CI has neither portal nor a dark platform palette.
    applier.apply(AppAppearance::system);
    EXPECT_EQ(Theme::currentScheme(), ColorScheme::light);
}

} // namespace
} // namespace tollenvane
