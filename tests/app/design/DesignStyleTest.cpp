#include "SchemeScope.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/Theme.h"
#include "support/FocusRingPixels.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

TEST(DesignStyle, StockControlsWearTheTokensInBothAppearances)
{
    const test::SchemeScope restore;
    for (const AppAppearance appearance : {AppAppearance::dark, AppAppearance::light}) {
        AppearanceApplier().apply(appearance);
        QWidget window;
        window.setAutoFillBackground(true);
        auto* column = new QVBoxLayout(&window);
        auto* picker = new QComboBox;
        picker->addItems({QStringLiteral("Toutes les tailles"), QStringLiteral("100 Mo")});
        auto* field = new QLineEdit(QStringLiteral("Captures"));
        auto* button = new QPushButton(QStringLiteral("Créer"));
        auto* spin = new QSpinBox;
        auto* bar = new QScrollBar(Qt::Vertical);
        bar->setRange(0, 100);
        bar->setValue(100);
        bar->setFixedHeight(160);
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setValue(40);
        for (QWidget* control :
             std::initializer_list<QWidget*>{picker, field, button, spin, bar, slider}) {
            column->addWidget(control);
        }
        window.resize(240, 400);
        window.show();
        const QImage shot = window.grab().toImage();
        const auto at = [&](const QWidget* control, QPoint point) {
            return shot.pixelColor(control->mapTo(&window, point));
        };
        const QPoint inside(12, 4);
        EXPECT_EQ(at(picker, inside), Theme::color(Theme::soft));
        EXPECT_EQ(at(button, inside), Theme::color(Theme::soft));
        EXPECT_EQ(at(field, inside), Theme::color(Theme::panel));
        EXPECT_EQ(at(spin, inside), Theme::color(Theme::panel));
        // No arrow button at either end of the bar: the window shows through.
        EXPECT_EQ(at(bar, QPoint(bar->width() / 2, 3)), Theme::color(Theme::bg));
        EXPECT_EQ(bar->style()->pixelMetric(QStyle::PM_ScrollBarExtent), 10);
        const QString shots = test::screenshotFolder();
        const char* name = appearance == AppAppearance::dark ? "dark" : "light";
        EXPECT_TRUE(shot.save(shots + "/stock-controls-" + name + ".png"));

        // A slider reached with Tab wears the one focus ring, not an outline in the accent.
        QApplication::setActiveWindow(&window);
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_Tab);
        ASSERT_TRUE(slider->hasFocus());
        EXPECT_GE(test::ringPixels(window, *slider), 20);
        EXPECT_TRUE(window.grab().save(shots + "/stock-slider-focus-" + name + ".png"));
    }
}

} // namespace
} // namespace tollenvane
