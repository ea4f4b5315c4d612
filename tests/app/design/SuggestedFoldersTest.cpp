#include "app/design/SuggestedFolders.h"

#include "app/design/Theme.h"
#include "model/access/XdgStandardFolders.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <cstdlib>
#include <set>

namespace tollenvane {
namespace {

// A user-dirs.dirs in this test's XDG config folder, removed afterwards.
class UserDirsFile {
public:
    explicit UserDirsFile(const std::string& text)
        : path_(QString::fromUtf8(std::getenv("XDG_CONFIG_HOME")) + "/user-dirs.dirs")
    {
        QFile file(path_);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }
    ~UserDirsFile() { QFile::remove(path_); }
    UserDirsFile(const UserDirsFile&) = delete;
    UserDirsFile& operator=(const UserDirsFile&) = delete;

private:
    QString path_;
};

std::vector<std::string> chooserFolders()
{
    std::vector<std::string> folders;
    const XdgStandardFolders standard;
    const std::string home = std::getenv("HOME");
    for (const SuggestedFolder& suggestion : suggestedFolders()) {
        folders.push_back(standard.location(suggestion.folder).value_or("").substr(home.size()));
    }
    return folders;
}

TEST(SuggestedFolders, FiveDistinctTilesForTheUsualFolders)
{
    std::set<std::string_view> titles;
    for (const SuggestedFolder& suggestion : suggestedFolders()) {
        titles.insert(suggestion.titleKey);
    }
    EXPECT_EQ(titles.size(), 5u);
    EXPECT_EQ(suggestedFolders()[2].titleKey, "Téléchargements");
    EXPECT_EQ(suggestedFolders()[2].folder, StandardFolder::downloads);
    EXPECT_EQ(suggestedFolders()[4].folder, StandardFolder::movies);
}

TEST(SuggestedFolders, ChooserOpensInTheUserFoldersWithOrWithoutUserDirs)
{
    EXPECT_EQ(chooserFolders(), (std::vector<std::string>{"/Desktop", "/Documents", "/Downloads",
                                                          "/Pictures", "/Videos"}));
    const UserDirsFile userDirs("XDG_DESKTOP_DIR=\"$HOME/Bureau\"\n"
                                "XDG_DOCUMENTS_DIR=\"$HOME/Papiers\"\n"
                                "XDG_DOWNLOAD_DIR=\"$HOME/Téléchargements\"\n"
                                "XDG_PICTURES_DIR=\"$HOME/Images\"\n"
                                "XDG_MUSIC_DIR=\"$HOME/Musique\"\n"
                                "XDG_VIDEOS_DIR=\"$HOME/Vidéos\"\n");
    EXPECT_EQ(chooserFolders(), (std::vector<std::string>{"/Bureau", "/Papiers", "/Téléchargements",
                                                          "/Images", "/Vidéos"}));
}

TEST(SuggestedFolders, ColumnsOf150FitTheWidth)
{
    EXPECT_EQ(suggestedFolderColumns(0), 1);
    EXPECT_EQ(suggestedFolderColumns(307), 1);
    EXPECT_EQ(suggestedFolderColumns(308), 2);
    EXPECT_EQ(suggestedFolderColumns(466), 3);
    EXPECT_EQ(suggestedFolderColumns(2000), 12);
}

TEST(SuggestedFolders, TilesWrapAndEachClickChoosesItsFolder)
{
    const test::ScopedLanguage english(AppLanguage::en);
    std::vector<StandardFolder> chosen;
    SuggestedFolders grid([&](StandardFolder folder) { chosen.push_back(folder); });
    grid.resize(466, grid.heightForWidth(466));
    grid.show();
    const auto tiles = grid.findChildren<QAbstractButton*>();
    ASSERT_EQ(tiles.size(), 5);
    QStringList titles;
    for (const QAbstractButton* tile : tiles) {
        titles << tile->text();
    }
    EXPECT_EQ(titles, (QStringList{"Desktop", "Documents", "Downloads", "Images", "Videos"}));
    EXPECT_EQ(tiles[3]->y(), tiles[4]->y()) << "three columns: a row of three, a row of two";
    EXPECT_GT(tiles[3]->y(), tiles[2]->y());
    EXPECT_EQ(tiles[0]->width(), 150);
    for (QAbstractButton* tile : tiles) {
        QTest::mouseClick(tile, Qt::LeftButton);
    }
    EXPECT_EQ(chosen,
              (std::vector<StandardFolder>{StandardFolder::desktop, StandardFolder::documents,
                                           StandardFolder::downloads, StandardFolder::pictures,
                                           StandardFolder::movies}));

    QDir().mkpath(TOLLENVANE_SCREENSHOTS);
    const ColorScheme before = Theme::currentScheme();
    for (const ColorScheme scheme : {ColorScheme::dark, ColorScheme::light}) {
        Theme::setCurrentScheme(scheme);
        const QImage image = grid.grab().toImage();
        EXPECT_EQ(image.pixelColor(tiles[1]->x() + 100, tiles[1]->y() + 10).rgb(),
                  Theme::panel.resolved(scheme).rgb());
        EXPECT_EQ(image.pixelColor(tiles[1]->x() + 100, tiles[1]->y()).rgb(),
                  Theme::line.resolved(scheme).rgb());
        image.save(QString(TOLLENVANE_SCREENSHOTS "/suggested-folders-%1.png")
                       .arg(scheme == ColorScheme::dark ? "dark" : "light"));
    }
    Theme::setCurrentScheme(before);
}

// While the tiles take no click, during a session, they look it: dimmed as the buttons beside them.
TEST(SuggestedFolders, DisabledTilesAreDrawnDimmed)
{
    SuggestedFolders grid([](StandardFolder) {});
    grid.resize(500, grid.heightForWidth(500));
    const auto accentPixels = [&grid] {
        const QImage image = grid.tiles().front()->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                count += image.pixelColor(x, y) == Theme::color(Theme::orange) ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(accentPixels(), 10);
    grid.setEnabled(false);
    EXPECT_EQ(accentPixels(), 0);
}

} // namespace
} // namespace tollenvane
