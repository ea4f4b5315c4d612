// The lists as a blind person hears them, through the screen reader itself: the focus comes into
// a list and onto a page of lists without a word for anything it passes or does not rest on.
#include "support/DesktopHome.h"
#include "support/OrcaSession.h"

#include <gtest/gtest.h>

#include <QPoint>
#include <QRegularExpression>
#include <algorithm>
#include <filesystem>
#include <fstream>

namespace tollenvane {
namespace {

namespace fs = std::filesystem;
using test::OrcaSession;

// The session's home with its folder a source, and where the sidebar shows the entry `entry` on
// a window over it; a null point when the folder cannot be a source.
QPoint prepared(OrcaSession& session, const QString& entry)
{
    SavedState state;
    try {
        state = test::stateWithSource(session.source());
    } catch (const std::exception&) {
        return {};
    }
    session.write(state);
    const test::TempDir probe;
    const std::string probePath = probe / "state.json";
    test::writeState(state, {probePath});
    return test::placeOf(probePath, entry);
}

// Clicks the sidebar's entry at $X $Y, then presses Tab, a mark before each press, until Orca
// has said TEXT since the last one.
QString tabUntil(const QPoint& entry, const QString& text)
{
    return QString(R"(
xdotool mousemove --sync --window "$win" %1 %2 click 1
quiet
for i in $(seq 30); do
    press tab$i Tab
    sleep 0.4
    from=$(tail -n 1 "$MARKS" | cut -d' ' -f1)
    tail -c +$((from + 1)) "$ORCA_LOG" | grep -a "SPEECH OUTPUT" | grep -aqF -- "%3" && break
done
quiet
)")
        .arg(entry.x())
        .arg(entry.y())
        .arg(text);
}

// What Orca said after the mark `mark` left by pressing `key`, past its echo of the key.
QStringList pastEcho(const test::Speech& speech, const QString& mark, const QString& key)
{
    QStringList said = speech.after(mark);
    if (!said.isEmpty() && said.front().trimmed() == key) {
        said.removeFirst();
    }
    return said;
}

// What Orca said after the last Tab that tabUntil pressed.
QStringList lastTab(const test::Speech& speech)
{
    for (int press = 30; press > 0; --press) {
        const QString mark = QStringLiteral("tab%1").arg(press);
        if (!speech.after(mark).isEmpty()) {
            return pastEcho(speech, mark, QStringLiteral("tab"));
        }
    }
    return {};
}

// The objects Orca was told took the focus after it last echoed `key`, as "role | name" one after
// the other, from its log kept beside the picture `pictureName`. Orca speaks each one it reaches
// before the next comes, as it does on a busy desktop: none may be a filler or nameless, nor one
// the focus only passes.
std::string focusedAfter(const QString& pictureName, const QString& key)
{
    const QString log = QString::fromStdString(test::contentOf(
        std::string(TOLLENVANE_SCREENSHOTS) + "/" + pictureName.toStdString() + ".orca.log"));
    static const QRegularExpression focused(
        QStringLiteral(R"(OBJECT EVENT: object:state-changed:focused \(1, 0, \[(.*)\]\)$)"),
        QRegularExpression::MultilineOption);
    QStringList objects;
    const qsizetype echo = log.lastIndexOf("SPEECH OUTPUT: '" + key + " '");
    for (auto match = focused.globalMatch(log, std::max<qsizetype>(echo, 0)); match.hasNext();) {
        objects << match.next().captured(1);
    }
    return objects.join(QStringLiteral(" / ")).toStdString();
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
        GTEST_SKIP() << *why;
    }
    OrcaSession session;
    std::ofstream(fs::path(session.source()) / "un.bin", std::ios::binary)
        << std::string(4000, 'x');
    const QPoint entry = prepared(session, QStringLiteral("nav-sources"));
    if (entry.isNull()) {
        GTEST_SKIP() << "the scratch folder cannot be a source";
    }
    const QString control = QStringLiteral("Show in the file manager");
    const test::Speech speech = session.run(tabUntil(entry, control), "orca-sources-list.png");
    EXPECT_EQ(session.exitCode(), 0);
    const QStringList said = lastTab(speech);
    EXPECT_EQ(countHolding(said, control), 1) << speech.transcript();
    EXPECT_EQ(countHolding(said, QStringLiteral("filler")), 0) << speech.transcript();
    ASSERT_FALSE(said.isEmpty()) << speech.transcript();
    EXPECT_TRUE(said.front().contains(control)) << speech.transcript();
    EXPECT_EQ(focusedAfter("orca-sources-list.png", "tab"),
              "push button | " + control.toStdString())
        << speech.transcript();
}

TEST(OrcaHearsTheLists, TheDuplicatesPageOpensHeardOnItsFirstCopy)
{
    if (const auto why = OrcaSession::missing()) {
        GTEST_SKIP() << *why;
    }
    OrcaSession session;
    // Large enough that the search lasts a moment, long enough to be heard.
    for (const char* name : {"un.bin", "deux.bin"}) {
        std::ofstream(fs::path(session.source()) / name, std::ios::binary)
            << std::string(48'000'000, 'd');
    }
    const QPoint entry = prepared(session, QStringLiteral("nav-space"));
    if (entry.isNull()) {
        GTEST_SKIP() << "the scratch folder cannot be a source";
    }
    const QString steps = tabUntil(entry, QStringLiteral("Exact duplicates")) + R"(
press open space
hear Preview
quiet
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
    EXPECT_EQ(focusedAfter("orca-duplicates-page.png", "space"), "push button | Preview")
        << speech.transcript();
}

} // namespace
} // namespace tollenvane
