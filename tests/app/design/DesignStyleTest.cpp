#include "SchemeScope.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/Theme.h"
#include "support/FocusRingPixels.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStyleOptionSlider>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

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

struct InspectedSlider : QSlider {
    using QSlider::initStyleOption;
    using QSlider::QSlider;
};

// The first and last columns that the slider paints on a clear picture of itself, in the rows
// from `top` to `bottom`.
std::pair<int, int> paintedSpan(const QImage& picture, int top, int bottom)
{
    int first = picture.width();
    int last = -1;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qAlpha(picture.pixel(x, y)) != 0) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
    }
    return {first, last};
}

// Where the handle is drawn is where the pointer takes it, at both ends of the range, and the
// groove runs the slider's length but for the room its focus ring keeps.
TEST(DesignStyle, ASliderIsDrawnWhereItAnswersThePointer)
{
    InspectedSlider slider(Qt::Horizontal);
    slider.setRange(0, 100);
    slider.resize(200, slider.sizeHint().height());
    const std::pair room{focusRingMargin, slider.width() - 1 - focusRingMargin};
    for (const int value : {0, 100}) {
        SCOPED_TRACE(value);
        slider.setValue(value);
        QStyleOptionSlider option;
        slider.initStyleOption(&option);
        const QStyle& style = *slider.style();
        const QRect handle =
            style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, &slider);
        const QRect groove =
            style.subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &slider);
        ASSERT_LT(handle.top(), groove.top());
        QImage picture(slider.size(), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        slider.render(&picture, {}, {}, QWidget::DrawChildren);

        // Above the groove, the handle shows alone.
        const auto [left, right] = paintedSpan(picture, handle.top(), groove.top() - 1);
        EXPECT_EQ(left, handle.left());
        EXPECT_EQ(right, handle.right());
        const auto hit = [&](int x) {
            return style.hitTestComplexControl(QStyle::CC_Slider, &option,
                                               QPoint(x, handle.center().y()), &slider);
        };
        EXPECT_EQ(hit(left), QStyle::SC_SliderHandle);
        EXPECT_EQ(hit(right), QStyle::SC_SliderHandle);
        EXPECT_NE(hit(left - 1), QStyle::SC_SliderHandle);
        EXPECT_NE(hit(right + 1), QStyle::SC_SliderHandle);

        EXPECT_EQ(std::pair(groove.left(), groove.right()), room);
        // Fusion's outline keeps within the groove, a pixel from its end at most.
        const auto [start, end] = paintedSpan(picture, groove.top(), groove.bottom());
        EXPECT_NEAR(start, groove.left(), 1);
        EXPECT_NEAR(end, groove.right(), 1);
    }
}

// The keyboard's focus on a slider is the design's ring round it: the stock style's own accent
// on the groove and handle stays off.
TEST(DesignStyle, AFocusedSliderWearsTheRingOnly)
{
    QWidget window;
    auto* other = new QPushButton(QStringLiteral("Autre"), &window);
    auto* slider = new QSlider(Qt::Horizontal, &window);
    slider->setRange(0, 100);
    slider->setValue(45);
    slider->setGeometry(10, 40, 200, slider->sizeHint().height());
    window.resize(240, 100);
    window.show();
    QApplication::setActiveWindow(&window);
    other->setFocus();
    const QImage plain = slider->grab().toImage();
    QTest::keyClick(other, Qt::Key_Tab);
    ASSERT_TRUE(slider->hasFocus());
    const QImage focused = slider->grab().toImage();
    // Inside the ring, clear of its rounded corners.
    constexpr int corner = 4;
    const QRect inside = slider->rect().adjusted(focusRingMargin + corner, focusRingMargin,
                                                 -focusRingMargin - corner, -focusRingMargin);
    int ring = 0;
    int changedInside = 0;
    for (int y = 0; y < focused.height(); ++y) {
        for (int x = 0; x < focused.width(); ++x) {
            if (focused.pixel(x, y) != plain.pixel(x, y)) {
                ++(inside.contains(x, y) ? changedInside : ring);
            }
        }
    }
    EXPECT_GT(ring, 0);
    EXPECT_EQ(changedInside, 0);
}

} // namespace
} // namespace tollenvane
