#include "app/design/ApplicationIconLookup.h"

#include "app/design/ApplicationIconCache.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QImage>

namespace tollenvane {
namespace {

using test::TempDir;
using namespace std::string_view_literals;

const QString generic = QStringLiteral("application-x-executable");

std::string entry(std::string_view body)
{
    return "[Desktop Entry]\nType=Application\nName=Tool\n" + std::string(body);
}

std::string writePicture(const TempDir& folder, std::string_view name, QColor colour)
{
    QImage picture(300, 150, QImage::Format_ARGB32);
    picture.fill(colour);
    const std::string file = folder / name;
    picture.save(QString::fromStdString(file));
    return file;
}

TEST(ApplicationIconLookup, DesktopEntryValuesComeOnlyFromTheEntryGroup)
{
    const std::string text = "# Icon=comment\n[Desktop Action New]\nIcon=action\n"
                             "[Desktop Entry]\nIcon[fr]=localised\n Icon = tool \nExec=\n";
    EXPECT_EQ(desktopEntryValue(text, "Icon"), "tool");
    EXPECT_EQ(desktopEntryValue(text, "Exec"), std::nullopt);
    EXPECT_EQ(desktopEntryValue("Icon=loose\n", "Icon"), std::nullopt);
}

TEST(ApplicationIconLookup, BundleIconByThemeNameFromAnEntryInside)
{
    const TempDir home;
    home.write("Applications/Tool.app/tool.desktop", entry("Icon=utilities-terminal.png\n"));
    const auto source = lookupApplicationIcon(home / "Applications/Tool.app", 64, {});
    EXPECT_TRUE(source.image.isNull());
    EXPECT_EQ(source.themeNames, QStringList({"utilities-terminal", generic}));
    EXPECT_FALSE(iconPixmap(source, 64).isNull());
}

TEST(ApplicationIconLookup, BundleIconByAbsolutePathFromAnInstalledEntryRunningIt)
{
    const TempDir root;
    root.makeFolder("opt/Tool.app/bin");
    const std::string picture = writePicture(root, "tool.png", Qt::red);
    root.write("applications/other.desktop",
               entry("Exec=/usr/bin/other\nIcon=" + root / "missing.png" + "\n"));
    root.write("applications/tool.desktop",
               entry("Exec=\"" + root / "opt/Tool.app/bin/tool" + "\" %U\nIcon=" + picture + "\n"));
    const auto source =
        lookupApplicationIcon(root / "opt/Tool.app", 64, {root / "nowhere", root / "applications"});
    ASSERT_FALSE(source.image.isNull());
    EXPECT_EQ(source.image.size(), QSize(64, 32));
    EXPECT_EQ(source.image.pixelColor(10, 10).rgb(), QColor(Qt::red).rgb());
}

TEST(ApplicationIconLookup, BrokenOrIconlessEntriesGiveTheGenericIcon)
{
    const TempDir root;
    root.write("NoIcon.app/a.desktop", entry("Exec=tool\n"));
    root.write("Broken.app/a.desktop", "\x89PNG\0\xff[Desktop Entry\nIcon"sv);
    root.write("BadPicture.app/a.desktop", entry("Icon=" + root / "bad.png" + "\n"));
    root.write("bad.png", "not a picture");
    root.makeFolder("Bare.app");
    for (const char* bundle : {"NoIcon.app", "Broken.app", "BadPicture.app", "Bare.app"}) {
        const auto source = lookupApplicationIcon(root / bundle, 64, {root.path()});
        EXPECT_TRUE(source.image.isNull()) << bundle;
        EXPECT_EQ(source.themeNames.back(), generic) << bundle;
        EXPECT_FALSE(iconPixmap(source, 64).isNull()) << bundle;
    }
    // A theme name nobody has falls through to the generic one.
    EXPECT_FALSE(iconPixmap({{}, {"no-such-icon-anywhere", generic}}, 32).isNull());
}

TEST(ApplicationIconLookup, OtherPathsGetTheirTypesIcon)
{
    const TempDir root;
    root.write("notes.txt", "hello");
    root.makeFolder("Photos");
    const auto text = lookupApplicationIcon(root / "notes.txt", 64, {});
    EXPECT_EQ(text.themeNames.front(), "text-plain");
    EXPECT_EQ(lookupApplicationIcon(root / "Photos", 64, {}).themeNames, QStringList({"folder"}));
    EXPECT_FALSE(iconPixmap(lookupApplicationIcon(root / "gone", 64, {}), 64).isNull());
}

} // namespace
} // namespace tollenvane
