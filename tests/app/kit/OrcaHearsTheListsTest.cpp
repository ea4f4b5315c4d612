// The lists as a blind person hears them, through the screen reader itself: the focus comes into
// a list and onto a page of lists without a word for anything it passes or does not rest on.
#include "support/Bundles.h"
#include "support/OrcaSession.h"
#include "support/SkipOrFail.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::OrcaSession;

// The session's home with its folder a source, and where the sidebar shows the entry `entry` on
// a window over it; throws when the folder cannot be a source or the entry never shows.
QPoint prepared(OrcaSession& session, const QString& entry,
                const std::vector<RemovedApplication>& removed = {})
{
    if (const auto refused = session.writeWithSource(
            [&](SavedState& state) { state.removedApplications = removed; })) {
        throw std::runtime_error(*refused);
    }
    const QPoint place = session.placeOf(entry);
    if (place.isNull()) {
        throw std::runtime_error("the sidebar's entry " + entry.toStdString() + " never showed");
    }
    return place;
}

// Clicks the sidebar's entry at `entry`, then presses Tab, a mark tab1, tab2… before each press,
// until Orca has said `text` where the focus landed.
QString tabUntil(const QPoint& entry, const QString& text)
{
    return QString(R"(
click click %1 %2
reach tab "%3" Tab max 30
)")
        .arg(entry.x())
        .arg(entry.y())
        .arg(text);
}

// What Orca said after the mark `mark` left by pressing `key`, past its echo of the key and
// without the notices of results that came meanwhile, such as the launch scan's end.
QStringList pastEcho(const test::Speech& speech, const QString& mark, const QString& key)
{
    QStringList said = speech.after(mark);
    said.removeIf([](const QString& utterance) { return utterance.startsWith("notification "); });
    if (!said.isEmpty() && said.front().trimmed() == key) {
        said.removeFirst();
    }
    return said;
}

// The objects Orca was told took the focus from the mark `mark` on, as "role | name" one after
// the other. Orca speaks each one it reaches before the next comes, as it does on a busy desktop:
// none may be a filler or nameless, nor one the focus only passes.
std::string focusedFrom(const test::Speech& speech, const QString& mark)
{
    return speech.focusedFrom(mark).join(QStringLiteral(" / ")).toStdString();
}

// The mark of the last Tab that tabUntil pressed.
QString lastTabMark(const test::Speech& speech)
{
    for (int press = 30; press > 0; --press) {
        const QString mark = QStringLiteral("tab%1").arg(press);
        if (!speech.after(mark).isEmpty()) {
            return mark;
        }
    }
    return {};
}

// What Orca said after the last Tab that tabUntil pressed.
QStringList lastTab(const test::Speech& speech)
{
    return pastEcho(speech, lastTabMark(speech), QStringLiteral("tab"));
}

int countHolding(const QStringList& said, const QString& text)
{
    return static_cast<int>(std::count_if(said.begin(), said.end(), [&](const QString& utterance) {
        return utterance.contains(text);
    }));
}

TEST(OrcaHearsTheLists, TabIntoTheSourcesListIsHeardAsTheRowsControlOnce)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    session.putFiles({{"un.bin", std::string(4000, 'x')}});
    QPoint entry;
    try {
        entry = prepared(session, QStringLiteral("nav-sources"));
    } catch (const std::exception& refused) {
        FAIL() << refused.what();
    }
    const QString control = QStringLiteral("Show in the file manager");
    const test::Speech speech = session.run(tabUntil(entry, control), "orca-sources-list.png");
    EXPECT_EQ(session.exitCode(), 0);
    const QStringList said = lastTab(speech);
    EXPECT_EQ(countHolding(said, control), 1) << speech.transcript();
    EXPECT_EQ(countHolding(said, QStringLiteral("filler")), 0) << speech.transcript();
    ASSERT_FALSE(said.isEmpty()) << speech.transcript();
    EXPECT_TRUE(said.front().contains(control)) << speech.transcript();
    EXPECT_EQ(focusedFrom(speech, lastTabMark(speech)), "push button | " + control.toStdString())
        << speech.transcript();
}

TEST(OrcaHearsTheLists, TheDuplicatesPageOpensHeardOnItsFirstCopy)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    // Large enough that the search lasts a moment, long enough to be heard.
    const std::string copy(48'000'000, 'd');
    session.putFiles({{"un.bin", copy}, {"deux.bin", copy}});
    QPoint entry;
    try {
        entry = prepared(session, QStringLiteral("nav-space"));
    } catch (const std::exception& refused) {
        FAIL() << refused.what();
    }
    const QString steps = tabUntil(entry, QStringLiteral("Exact duplicates")) + R"(
press open space
hear Preview
)";
    const test::Speech speech = session.run(steps, "orca-duplicates-page.png");
    EXPECT_EQ(session.exitCode(), 0);
    const QStringList said = pastEcho(speech, QStringLiteral("open"), QStringLiteral("space"));
    ASSERT_GE(said.size(), 2) << speech.transcript();
    // The group's header as the keyboard comes into it, then the copy's control.
    EXPECT_TRUE(said[0].contains(QStringLiteral("2 identical copies, 48 MB recoverable")))
        << speech.transcript();
    EXPECT_TRUE(said[1].contains(QStringLiteral("Preview"))) << speech.transcript();
    for (const char* passed : {"Cancel", "Home", "guide"}) {
        EXPECT_EQ(countHolding(said, QString::fromLatin1(passed)), 0) << passed << '\n'
                                                                      << speech.transcript();
    }
    EXPECT_EQ(focusedFrom(speech, QStringLiteral("open")), "push button | Preview")
        << speech.transcript();
}

// An application's row with what it shows, the next one protected, then the data removed
// applications left behind, looked for from the section's own button.
TEST(OrcaHearsTheLists, TheApplicationsRowsAndTheDataOfRemovedOnes)
{
    if (const auto why = OrcaSession::missing()) {
        SKIP_OR_FAIL(*why);
    }
    OrcaSession session;
    const fs::path home = fs::path(session.source()).parent_path().parent_path();
    test::writeBundle(home / "Applications/Editor.app", "org.example.editor", "2.1");
    std::ofstream(home / "Applications/Editor.app/Contents/data", std::ios::binary)
        << std::string(40'000, 'x');
    test::writeBundle(home / "Applications/Locked.app", "com.apple.locked");
    fs::create_directories(home / ".cache/org.example.gone");
    std::ofstream(home / ".cache/org.example.gone/blob", std::ios::binary)
        << std::string(3000, 'x');
    QPoint entry;
    try {
        entry = prepared(session, QStringLiteral("nav-applications"),
                         {{"org.example.gone", "Gone.app", "/opt/Gone.app"}});
    } catch (const std::exception& refused) {
        FAIL() << refused.what();
    }
    const QString steps = tabUntil(entry, QStringLiteral("Editor, 2.1")) + R"(
press next Down
hear "Protected application"
reach toData "Data of removed applications" Tab max 20
press open space
hear Expanded
reach toFind "Find associated data" Tab max 10
press find space
hear "Search finished"
)";
    const test::Speech speech = session.run(steps, "orca-applications.png");
    EXPECT_EQ(session.exitCode(), 0);
    // Each row with what it shows: version, folder, last use and size, and a lock when it has one.
    const QStringList editor = lastTab(speech);
    ASSERT_FALSE(editor.isEmpty()) << speech.transcript();
    const QString row = editor.join(' ');
    for (const char* shown : {"Editor, 2.1", "/Applications", "Last opened", "KB"}) {
        EXPECT_TRUE(row.contains(QString::fromLatin1(shown))) << shown << '\n'
                                                              << speech.transcript();
    }
    EXPECT_TRUE(speech.heardAfter("next", "Locked")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("next", "Protected application")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("open", "notification Expanded")) << speech.transcript();
    EXPECT_TRUE(speech.heardAfter("find", "notification Search finished: 1 item found."))
        << speech.transcript();
}

} // namespace
} // namespace tollenvane
