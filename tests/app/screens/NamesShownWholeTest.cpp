#include "app/deck/MoveSheet.h"
#include "app/design/AppearanceApplier.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/ShownName.h"
#include "app/design/TextBlock.h"
#include "app/screens/duplicates/DuplicatesPage.h"
#include "app/screens/storage/ExplorerRules.h"
#include "app/screens/storage/TreemapView.h"
#include "design/SchemeScope.h"
#include "model/AppModel.h"
#include "model/support/SortingHarness.h"
#include "support/DeliverEvents.h"
#include "support/LineInk.h"
#include "support/Screenshots.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGuiApplication>
#include <QTest>
#include <QVBoxLayout>
#include <array>

namespace tollenvane {
namespace {

// Names whose underscore follows a straight stem, with descenders and a cedilla, one of them
// mixed with characters the desktop draws from fonts of their own; a folder's too.
const std::array photos{QStringLiteral("IMG_1002 yoga jog Ça.jpg"),
                        QStringLiteral("IMG_2024 写真 \U0001F600 jog Ça.jpg")};
const QString album = QStringLiteral("Mega_jog Ça");

const std::array appearances{AppAppearance::dark, AppAppearance::light};

// Shows the screens in the desktop font `family` while it lasts: GNOME's draws its descenders and
// cedillas below its own descent.
class DesktopFont {
public:
    explicit DesktopFont(const QString& family)
        : previous_(QGuiApplication::font())
    {
        QFont font = previous_;
        font.setFamily(family);
        QGuiApplication::setFont(font);
    }
    ~DesktopFont() { QGuiApplication::setFont(previous_); }
    DesktopFont(const DesktopFont&) = delete;
    DesktopFont& operator=(const DesktopFont&) = delete;

private:
    QFont previous_;
};

// The families names are shown in here: the tests' own, and GNOME's, which scripts/setup installs.
std::vector<QString> desktopFamilies()
{
    EXPECT_TRUE(QFontDatabase::hasFamily(QStringLiteral("Cantarell")))
        << "fonts-cantarell is not installed";
    return {QGuiApplication::font().family(), QStringLiteral("Cantarell")};
}

QString pictureName(const char* place, const QString& stem, AppAppearance appearance)
{
    return test::screenshotFolder() + "/names-" + place + "-" +
           stem.toLower().replace(QLatin1Char(' '), QLatin1Char('-')) + "-" +
           (appearance == AppAppearance::dark ? "dark" : "light") + ".png";
}

// Runs `show` once for each photo's name in each desktop font and appearance, in force while it
// runs.
template <class Show>
void inEveryFontAndAppearance(const Show& show)
{
    const test::SchemeScope restore;
    AppearanceApplier applier;
    for (const QString& family : desktopFamilies()) {
        const DesktopFont font(family);
        for (const AppAppearance appearance : appearances) {
            for (std::size_t photo = 0; photo < photos.size(); ++photo) {
                SCOPED_TRACE(family.toStdString() + " " + photos[photo].toStdString());
                applier.apply(appearance);
                show(appearance, photos[photo],
                     family + (photo == 0 ? QString() : QStringLiteral("-mixed")));
            }
        }
    }
}

// The labels and blocks on `top` whose text holds `part`.
template <class Text>
std::vector<const Text*> showing(const QWidget& top, const QString& part)
{
    std::vector<const Text*> found;
    for (const Text* text : top.findChildren<Text*>()) {
        if (text->isVisibleTo(&top) && text->text().contains(part)) {
            found.push_back(text);
        }
    }
    return found;
}

// Whether `text`, a one-line label or block on `top`, shows its whole line on the picture of
// `top`; with `stem`, its underscore too.
testing::AssertionResult wholeOn(const QWidget& top, const QImage& picture, const QWidget& text,
                                 const QString& shown, bool stem, qreal scale = 1)
{
    const QRect area(text.mapTo(&top, QPoint()), text.size());
    const QString before = stem ? shown.left(shown.indexOf(QLatin1Char('_'))) : QString();
    return test::showsWholeLine(picture, area, area.left(), shown, before, text.font(), scale);
}

testing::AssertionResult labelWholeOn(const QWidget& top, const QImage& picture,
                                      const ElidedLabel& label, bool stem)
{
    const TextFit fit = label.fitted();
    return wholeOn(top, picture, label, fit.text, stem, fit.scale);
}

TEST(NamesShownWhole, DuplicateRowsShowEveryUnderscoreAndDescender)
{
    inEveryFontAndAppearance(
        [](AppAppearance appearance, const QString& photo, const QString& stem) {
            test::SortingHarness harness;
            const std::string content(40'000, 'p');
            harness.folder.write("home/Pictures/" + photo.toStdString(), content);
            harness.folder.write("home/Pictures/" + album.toStdString() + "/" + photo.toStdString(),
                                 content);
            AppModel& model = harness.loadScanned();
            QWidget window;
            auto* layout = new QVBoxLayout(&window);
            layout->setContentsMargins(0, 0, 0, 0);
            auto* page = new DuplicatesPage(model);
            layout->addWidget(page);
            window.resize(900, 700);
            window.show();
            test::deliverEvents();
            QTest::mouseClick(page->findChild<QWidget*>(QStringLiteral("searchButton")),
                              Qt::LeftButton);
            harness.settle();
            test::deliverEvents();
            model.findDuplicates();
            test::deliverEvents();

            const QImage picture = window.grab().toImage();
            picture.save(pictureName("duplicates", stem, appearance));
            const auto names = showing<ElidedLabel>(window, shownName(photo));
            ASSERT_EQ(names.size(), 2U);
            for (const ElidedLabel* name : names) {
                EXPECT_TRUE(labelWholeOn(window, picture, *name, true));
            }
            const auto folders = showing<ElidedLabel>(window, album);
            ASSERT_EQ(folders.size(), 1U);
            EXPECT_TRUE(labelWholeOn(window, picture, *folders.front(), false));
            model.cancelDuplicates();
        });
}

TEST(NamesShownWhole, TheMoveSheetShowsTheCardsNameAndTheDestinationsWhole)
{
    inEveryFontAndAppearance(
        [](AppAppearance appearance, const QString& photo, const QString& stem) {
            test::SortingHarness harness;
            harness.file(photo.toStdString(), 900);
            harness.startSortingTwo();
            harness.addDestination(harness.folder.makeFolder("home/" + album.toStdString()));
            AppModel& model = *harness.model;
            QWidget window;
            window.resize(900, 800);
            window.show();
            model.request(Decision::move);
            auto* sheet = new MoveSheet(model, &window);
            sheet->open();
            test::deliverEvents();

            const QImage picture = sheet->grab().toImage();
            picture.save(pictureName("move-sheet", stem, appearance));
            const auto card = showing<ElidedLabel>(*sheet, shownName(photo));
            ASSERT_EQ(card.size(), 1U);
            EXPECT_TRUE(labelWholeOn(*sheet, picture, *card.front(), true));
            const auto destination = showing<TextBlock>(*sheet, shownName(album));
            ASSERT_EQ(destination.size(), 1U);
            EXPECT_TRUE(
                wholeOn(*sheet, picture, *destination.front(), destination.front()->text(), true));
            const auto location = showing<ElidedLabel>(*sheet, album);
            ASSERT_EQ(location.size(), 1U);
            EXPECT_TRUE(labelWholeOn(*sheet, picture, *location.front(), false));
        });
}

// The rows of `region` that hold ink, in bands parted by blank rows.
std::vector<std::pair<int, int>> inkBands(const QImage& picture, const QRect& region)
{
    const QColor background = picture.pixelColor(region.topLeft());
    std::vector<std::pair<int, int>> bands;
    bool inBand = false;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        bool inked = false;
        for (int x = region.left(); x <= region.right() && !inked; ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            inked = std::max({std::abs(pixel.red() - background.red()),
                              std::abs(pixel.green() - background.green()),
                              std::abs(pixel.blue() - background.blue())}) > 40;
        }
        if (inked && !inBand) {
            bands.emplace_back(y, y);
        } else if (inked) {
            bands.back().second = y;
        }
        inBand = inked;
    }
    return bands;
}

TEST(NamesShownWhole, TreemapBlocksShowTheirNamesWhole)
{
    inEveryFontAndAppearance([](AppAppearance appearance, const QString& photo,
                                const QString& stem) {
        TreemapView view([](const StorageNode&) {});
        view.resize(700, TreemapView::mapHeight);
        view.setTiles({{"/home/" + photo.toStdString(), photo.toStdString(), false, 600'000, 1},
                       {"/home/" + album.toStdString(), album.toStdString(), true, 400'000, 3}});
        view.show();
        const QImage picture = view.grab().toImage();
        picture.save(pictureName("treemap", stem, appearance));
        for (const TreemapRect& rect : view.layout()) {
            const QString name = shownName(view.tiles().at(rect.index).name);
            const ExplorerRules::BlockLabel label =
                ExplorerRules::blockLabel(rect.width, rect.height);
            ASSERT_TRUE(label.symbol && label.name && label.size) << name.toStdString();
            const QRect content =
                ExplorerRules::blockFrame(rect)
                    .adjusted(label.padding, label.padding, -label.padding, -label.padding)
                    .toAlignedRect();
            // The symbol, the name, the size.
            const auto bands = inkBands(picture, content);
            ASSERT_EQ(bands.size(), 3U) << name.toStdString();
            const QRect line(content.left(), bands[0].second + 1, content.width(),
                             bands[2].first - bands[0].second - 1);
            EXPECT_TRUE(test::showsWholeLine(picture, line, content.left(), name,
                                             name.left(name.indexOf(QLatin1Char('_'))),
                                             DesignFont::system(11, QFont::DemiBold)));
        }
    });
}

} // namespace
} // namespace tollenvane
