#include "app/design/ApplicationIconLookup.h"

#include "app/design/ApplicationIconCache.h"
#include "preview/TestMedia.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QImage>
#include <QThread>
#include <memory>

namespace tollenvane {
namespace {

using test::TempDir;
using namespace std::string_view_literals;

const QString generic = QStringLiteral("application-x-executable");
const std::atomic<bool> stays{false};

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
    const auto source = lookupApplicationIcon(home / "Applications/Tool.app", 64, {}, stays);
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
    const auto source = lookupApplicationIcon(root / "opt/Tool.app", 64,
                                              {root / "nowhere", root / "applications"}, stays);
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
        const auto source = lookupApplicationIcon(root / bundle, 64, {root.path()}, stays);
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
    const auto text = lookupApplicationIcon(root / "notes.txt", 64, {}, stays);
    EXPECT_EQ(text.themeNames.front(), "text-plain");
    EXPECT_EQ(lookupApplicationIcon(root / "Photos", 64, {}, stays).themeNames,
              QStringList({"folder"}));
    EXPECT_FALSE(iconPixmap(lookupApplicationIcon(root / "gone", 64, {}, stays), 64).isNull());

    // A file without an extension is known by its content, through a link as well.
    root.write("document", "%PDF-1.4\n");
    ASSERT_EQ(::symlink((root / "document").c_str(), (root / "linked").c_str()), 0);
    EXPECT_EQ(lookupApplicationIcon(root / "document", 64, {}, stays).themeNames.front(),
              "application-pdf");
    EXPECT_EQ(lookupApplicationIcon(root / "linked", 64, {}, stays).themeNames.front(),
              "application-pdf");
}

// A lookup that hangs must fail the test, not stall the suite: it runs on a thread of its own,
// left behind when it overstays.
std::optional<ApplicationIconSource> lookedUpWithin(const std::string& path, int seconds)
{
    auto source = std::make_shared<ApplicationIconSource>();
    std::unique_ptr<QThread> worker(
        QThread::create([source, path] { *source = lookupApplicationIcon(path, 64, {}, stays); }));
    worker->start();
    if (!worker->wait(QDeadlineTimer(seconds * 1000))) {
        (void)worker.release();
        return std::nullopt;
    }
    return *source;
}

TEST(ApplicationIconLookup, PicturesThatWouldHangAreSkippedOrAbandoned)
{
    const TempDir root;
    const std::string fifo = root / "waits.png";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string bomb = root.write("bomb.svg", test::svgBomb());
    const std::string picture = writePicture(root, "tool.png", Qt::red);
    ASSERT_EQ(::symlink(picture.c_str(), (root / "link.png").c_str()), 0);
    const std::string drawing =
        root.write("drawn.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16">)"
                                R"(<rect width="16" height="16" fill="#0000ff"/></svg>)");
    const std::string trap = root / "trap.desktop";
    ASSERT_EQ(::mkfifo(trap.c_str(), 0600), 0);
    // Nothing waits on a FIFO or a device, and a drawing that computes for ever is abandoned at
    // the decoder's deadline.
    for (const std::string& icon : {fifo, bomb, std::string("/dev/zero")}) {
        const auto source = lookedUpWithin(root.write("tool.desktop", entry("Icon=" + icon)), 10);
        ASSERT_TRUE(source.has_value()) << icon;
        EXPECT_TRUE(source->image.isNull()) << icon;
        EXPECT_EQ(source->themeNames, QStringList{generic}) << icon;
    }
    const auto trapped = lookedUpWithin(trap, 10);
    ASSERT_TRUE(trapped.has_value());
    EXPECT_EQ(trapped->themeNames, QStringList{generic});
    const auto named = lookedUpWithin(root / "waits.png", 10);
    ASSERT_TRUE(named.has_value());
    EXPECT_FALSE(named->themeNames.isEmpty());

    // A picture reached through a link is still read, and a drawing drawn at the size asked.
    const auto linked =
        lookedUpWithin(root.write("link.desktop", entry("Icon=" + root / "link.png")), 10);
    ASSERT_TRUE(linked.has_value());
    EXPECT_EQ(linked->image.size(), QSize(64, 32));
    const auto drawn = lookedUpWithin(root.write("drawn.desktop", entry("Icon=" + drawing)), 10);
    ASSERT_TRUE(drawn.has_value());
    ASSERT_EQ(drawn->image.size(), QSize(64, 64));
    EXPECT_EQ(drawn->image.pixelColor(32, 32).rgb(), QColor(Qt::blue).rgb());
}

} // namespace
} // namespace tollenvane
