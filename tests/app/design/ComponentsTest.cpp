#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/EmptyState.h"
#include "app/design/PageHeading.h"
#include "app/design/Panel.h"
#include "app/design/SegmentedControl.h"
#include "app/design/Switch.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "design/SchemeScope.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <limits>

namespace tollenvane {
namespace {

TEST(Panel, ATallPanelDrawnInPartsLooksAsOneDrawnWhole)
{
    const test::SchemeScope restore;
    for (const ColorScheme scheme : {ColorScheme::dark, ColorScheme::light}) {
        Theme::setCurrentScheme(scheme);
        for (const QSize size : {QSize(400, 1200), QSize(61, 49), QSize(30, 300)}) {
            QWidget window;
            window.setAutoFillBackground(true);
            window.resize(size);
            auto* panel = new Panel(&window);
            panel->setGeometry(QRect(QPoint(), size));
            const QImage drawn = window.grab().toImage().convertToFormat(QImage::Format_RGB32);

            QImage whole(size, QImage::Format_RGB32);
            whole.fill(window.palette().color(QPalette::Window));
            QPainter painter(&whole);
            painter.setRenderHint(QPainter::Antialiasing);
            const QPainterPath shape = continuousRoundedRect(
                QRectF(0, 0, size.width(), size.height()).adjusted(0.5, 0.5, -0.5, -0.5), 16);
            painter.fillPath(shape, Theme::color(Theme::panel));
            painter.setPen(
                QPen(Theme::color(Theme::line), 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
            painter.drawPath(shape);
            painter.end();
            // Antialiased pixels may round apart by one step when copied from a part.
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    const QColor one = drawn.pixelColor(x, y);
                    const QColor other = whole.pixelColor(x, y);
                    ASSERT_LE(std::abs(one.red() - other.red()) +
                                  std::abs(one.green() - other.green()) +
                                  std::abs(one.blue() - other.blue()),
                              6)
                        << size.width() << "x" << size.height() << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(ContinuousRoundedRect, ABlockThinnerThanItsInsetHasNoShapeAndASmallOneStaysInside)
{
    // A treemap block under a pixel wide, inset by half a pixel on each side.
    for (const QRectF& thin : {QRectF(10.5, 10.5, -0.5, 40), QRectF(0, 0, 30, 0),
                               QRectF(0, 0, std::numeric_limits<qreal>::quiet_NaN(), 5)}) {
        EXPECT_TRUE(continuousRoundedRect(thin, 16).isEmpty());
    }
    const QRectF small(2, 3, 1.5, 6);
    const QPainterPath shape = continuousRoundedRect(small, 16);
    EXPECT_FALSE(shape.isEmpty());
    EXPECT_TRUE(small.adjusted(-0.01, -0.01, 0.01, 0.01).contains(shape.boundingRect()));
}

TEST(EmptyState, LongMessageWrapsWithinAReadableWidthAndIsShownWhole)
{
    QWidget page;
    page.setAutoFillBackground(true);
    page.setPalette(QPalette(Theme::color(Theme::bg)));
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* state = new EmptyState("tray.full", "Aucun fichier",
                                 QString("Ajoutez un dossier source pour commencer. ").repeated(6));
    layout->addWidget(state);
    page.resize(1200, page.heightForWidth(1200));
    const QImage picture = page.grab().toImage();

    const auto* message = state->findChild<TextBlock*>("message");
    ASSERT_NE(message, nullptr);
    EXPECT_GE(message->height(), message->heightForWidth(message->width()));

    const QRect area = message->geometry();
    const int centre = area.center().x();
    bool inkOutside = false;
    bool inkInside = false;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const bool ink = picture.pixelColor(x, y) != Theme::color(Theme::bg);
            (std::abs(x - centre) > 211 ? inkOutside : inkInside) |= ink;
        }
    }
    EXPECT_TRUE(inkInside);
    EXPECT_FALSE(inkOutside);
}

TEST(PageHeading, EyebrowCapitalsKeepTheirAccentsWhateverTheLanguage)
{
    EXPECT_EQ(eyebrowText(QString::fromUtf8("réglages généraux · ça")),
              QString::fromUtf8("RÉGLAGES GÉNÉRAUX · ÇA"));
}

// Its sizes are kept between layouts: each change that moves them is seen by the next one.
TEST(TextBlock, SizesFollowTheTextTheLineWidthAndTheFont)
{
    TextBlock block(QStringLiteral("Short"));
    QFont font = block.font();
    font.setPixelSize(12);
    block.setFont(font);
    const int oneLine = block.heightForWidth(200);
    const QSize shortSize = block.sizeHint();
    EXPECT_EQ(block.heightForWidth(200), oneLine);

    block.setText(QStringLiteral("Many more words than one line of this width can hold at once"));
    const int wrapped = block.heightForWidth(200);
    EXPECT_GT(wrapped, oneLine);
    EXPECT_GT(block.sizeHint().width(), shortSize.width());
    EXPECT_EQ(block.heightForWidth(10'000), oneLine);

    block.setMaximumLineWidth(100);
    EXPECT_GT(block.heightForWidth(200), wrapped);
    const int narrow = block.heightForWidth(200);
    font.setPixelSize(24);
    block.setFont(font);
    EXPECT_GT(block.heightForWidth(200), narrow);
}

// Small monospaced capitals draw their accents above the font's ascent; cut there, "À" would
// read as "A".
TEST(TextBlock, AccentsOnCapitalsAreNotCutAtTheTop)
{
    const QFont font = DesignFont::tracked(DesignFont::monospaced(10, QFont::DemiBold), 2);
    const auto ink = [](const QImage& picture) {
        int count = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                count += qAlpha(picture.pixel(x, y)) > 0;
            }
        }
        return count;
    };
    for (const char* const text : {"À", "É"}) {
        TextBlock block(QString::fromUtf8(text));
        block.setFont(font);
        block.resize(block.sizeHint());
        QImage shown(block.size(), QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::transparent);
        block.render(&shown, {}, {}, QWidget::DrawChildren);

        QImage whole(60, 60, QImage::Format_ARGB32_Premultiplied);
        whole.fill(Qt::transparent);
        QPainter painter(&whole);
        painter.setFont(font);
        painter.drawText(QPointF(10, 40), QString::fromUtf8(text));
        painter.end();
        EXPECT_GE(ink(shown), ink(whole)) << text;
    }
}

TEST(Controls, OnlyTheUserReportsAChoice)
{
    Switch toggle("Sons discrets");
    toggle.resize(toggle.sizeHint());
    QSignalSpy userClicks(&toggle, &Switch::clicked);
    toggle.setChecked(true);
    EXPECT_EQ(userClicks.count(), 0);
    QTest::mouseClick(&toggle, Qt::LeftButton);
    EXPECT_FALSE(toggle.isChecked());
    EXPECT_EQ(userClicks.count(), 1);

    SegmentedControl picker({"Sombre", "Clair", "Automatique"});
    picker.resize(picker.sizeHint());
    QSignalSpy activated(&picker, &SegmentedControl::activated);
    picker.setCurrentIndex(1);
    EXPECT_EQ(activated.count(), 0);
    QTest::mouseClick(&picker, Qt::LeftButton, {}, picker.segmentRect(2).center());
    QTest::keyClick(&picker, Qt::Key_Left);
    EXPECT_EQ(picker.currentIndex(), 1);
    ASSERT_EQ(activated.count(), 2);
    EXPECT_EQ(activated.at(0).at(0).toInt(), 2);
    // Out of range is ignored rather than selecting nothing.
    picker.setCurrentIndex(7);
    EXPECT_EQ(picker.currentIndex(), 1);
}

} // namespace
} // namespace tollenvane
