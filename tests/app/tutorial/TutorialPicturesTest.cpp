#include "app/design/AppearanceApplier.h"
#include "app/design/Theme.h"
#include "app/tutorial/GestureStep.h"
#include "app/tutorial/TutorialOverlay.h"
#include "design/SchemeScope.h"
#include "model/support/ModelHarness.h"
#include "support/DeliverEvents.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

namespace tollenvane {
namespace {

// A card dragged upwards is drawn whole, above the texts over its area.
void saveDragPicture(TutorialOverlay& overlay, const QString& path)
{
    auto* card = overlay.findChild<QWidget*>(QStringLiteral("demoCard"));
    const QPoint middle = card->rect().center();
    QTest::mousePress(card, Qt::LeftButton, {}, middle);
    QTest::mouseMove(card, middle + QPoint(0, -50));
    QTest::mouseMove(card, middle + QPoint(0, -110));
    const QImage shot = overlay.grab().toImage();
    const QPoint aboveArea = card->mapTo(&overlay, QPoint(middle.x() + 100, -80));
    EXPECT_EQ(shot.pixelColor(aboveArea), Theme::color(Theme::panel));
    EXPECT_TRUE(shot.save(path));
    QTest::mouseRelease(card, Qt::LeftButton, {}, middle + QPoint(0, -110));
}

void saveStepPictures(AppAppearance appearance, const QString& scheme)
{
    const test::SchemeScope restore;
    AppearanceApplier().apply(appearance);
    test::ModelHarness harness;
    harness.load();
    harness.folder.makeFolder("home/Pictures");
    harness.model->addFolder(harness.folder / "home/Pictures", false);
    Preferences preferences = harness.model->state().preferences;
    preferences.animations = false;
    harness.model->setPreferences(preferences);
    harness.settle();
    TutorialOverlay overlay(*harness.model);
    overlay.resize(1000, 760);
    overlay.show();
    test::deliverEvents();

    const QString shots = test::screenshotFolder();
    for (int step = 0; step < 4; ++step) {
        if (step == 1) {
            overlay.gestureStep().demonstrate(Decision::keep);
        }
        test::deliverEvents();
        const QImage shot = overlay.grab().toImage();
        // Far from the glow, the page colour; the first bar always shows the accent.
        EXPECT_EQ(shot.pixelColor(2, 2), Theme::color(Theme::bg));
        const QWidget* bars = overlay.findChild<QWidget*>(QStringLiteral("stepBars"));
        const QPoint firstBar = bars->mapTo(&overlay, QPoint(4, 1));
        EXPECT_EQ(shot.pixelColor(firstBar), Theme::color(Theme::orange));
        EXPECT_TRUE(shot.save(
            QStringLiteral("%1/tutorial-step%2-%3.png").arg(shots).arg(step + 1).arg(scheme)));
        if (step == 1) {
            saveDragPicture(overlay, shots + "/tutorial-drag-" + scheme + ".png");
        }
        if (step < 3) {
            QTest::mouseClick(overlay.findChild<QWidget*>(QStringLiteral("continueButton")),
                              Qt::LeftButton);
        }
    }
}

TEST(TutorialPictures, EachStepInDarkAndLight)
{
    saveStepPictures(AppAppearance::dark, QStringLiteral("dark"));
    saveStepPictures(AppAppearance::light, QStringLiteral("light"));
}

} // namespace
} // namespace tollenvane
