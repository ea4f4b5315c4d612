#include "SchemeScope.h"
#include "app/design/DesignFont.h"
#include "app/design/KeyCap.h"
#include "app/design/LiftButtonStyle.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SecondaryButton.h"
#include "app/design/Theme.h"

#include <gtest/gtest.h>

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>

namespace tollenvane {
namespace {

QColor blend(const QColor& over, const QColor& under, double opacity)
{
    const auto mix = [opacity](int top, int bottom) {
        return static_cast<int>(std::lround(top * opacity + bottom * (1.0 - opacity)));
    };
    return QColor(mix(over.red(), under.red()), mix(over.green(), under.green()),
                  mix(over.blue(), under.blue()));
}

bool near(const QColor& actual, const QColor& expected)
{
    return std::abs(actual.red() - expected.red()) <= 2 &&
           std::abs(actual.green() - expected.green()) <= 2 &&
           std::abs(actual.blue() - expected.blue()) <= 2;
}

// The fill of a button drawn over the window background, probed between its edge and its label.
QColor fillOf(LiftButton& button)
{
    QWidget host;
    host.setAutoFillBackground(true);
    host.setPalette(QPalette(Theme::color(Theme::bg)));
    auto* layout = new QHBoxLayout(&host);
    button.setParent(&host);
    layout->addWidget(&button);
    host.adjustSize();
    const QImage image = host.grab().toImage();
    const QPoint probe = button.geometry().topLeft() + QPoint(6, button.height() / 2);
    button.setParent(nullptr);
    return image.pixelColor(probe);
}

TEST(LiftButtons, DimWhenDisabledOrPressedAndNeverActWhenDisabled)
{
    const test::SchemeScope restore;
    for (const ColorScheme scheme : {ColorScheme::dark, ColorScheme::light}) {
        Theme::setCurrentScheme(scheme);
        const QColor bg = Theme::color(Theme::bg);
        int clicks = 0;
        PrimaryButton primary("Commencer", "arrow.right", [&clicks] { ++clicks; });
        EXPECT_TRUE(near(fillOf(primary), Theme::color(Theme::accent)));

        primary.setDown(true);
        EXPECT_TRUE(near(fillOf(primary), blend(Theme::color(Theme::accent), bg, 0.78)));
        primary.setDown(false);

        primary.setEnabled(false);
        EXPECT_TRUE(near(fillOf(primary), blend(Theme::color(Theme::accent), bg, 0.42)));
        QTest::mouseClick(&primary, Qt::LeftButton);
        EXPECT_EQ(clicks, 0);
        primary.setEnabled(true);
        QTest::mouseClick(&primary, Qt::LeftButton);
        EXPECT_EQ(clicks, 1);

        SecondaryButton secondary("Annuler", "xmark");
        secondary.setEnabled(false);
        EXPECT_TRUE(near(fillOf(secondary), blend(Theme::color(Theme::soft), bg, 0.42)));
    }
}

TEST(LiftButtonStyle, TilesOfChildWidgetsDimTheSameWay)
{
    QPushButton tile("Images");
    LiftButtonStyle::attach(tile);
    const auto opacity = [&tile] {
        return qobject_cast<QGraphicsOpacityEffect*>(tile.graphicsEffect())->opacity();
    };
    EXPECT_DOUBLE_EQ(opacity(), 1.0);
    QTest::mousePress(&tile, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(opacity(), 0.78);
    QTest::mouseRelease(&tile, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(opacity(), 1.0);
    tile.setEnabled(false);
    EXPECT_DOUBLE_EQ(opacity(), 0.42);
}

TEST(KeyCap, IsOneMonospacedCharacterPlusPadding)
{
    const KeyCap key("A");
    const QFontMetrics metrics(DesignFont::monospaced(11, QFont::Medium));
    EXPECT_EQ(key.sizeHint().width(), metrics.horizontalAdvance("A") + 14);

    // An arrow is drawn wide enough to read, on a cap as tall as the others.
    KeyCap arrow(QStringLiteral("\u2190"));
    arrow.resize(arrow.sizeHint());
    EXPECT_EQ(arrow.sizeHint().height(), key.sizeHint().height());
    const QImage shot = arrow.grab().toImage();
    const QColor soft = Theme::color(Theme::soft);
    int left = shot.width();
    int right = -1;
    for (int x = 0; x < shot.width(); ++x) {
        for (int y = 0; y < shot.height(); ++y) {
            const QColor pixel = shot.pixelColor(x, y);
            if (std::abs(pixel.lightness() - soft.lightness()) > 40) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    EXPECT_GE(right - left + 1, 9);
}

} // namespace
} // namespace tollenvane
