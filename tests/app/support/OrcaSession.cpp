#include "support/OrcaSession.h"

#include "support/DesktopHome.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tollenvane::test {
namespace {

namespace fs = std::filesystem;

// The helpers the steps use, then the application started as a person starts it. A wait that
// ends in vain writes what it missed for the test, and the session ends there.
constexpr const char* opening = R"sh(
size() { stat -c %s "$ORCA_LOG" 2>/dev/null || echo 0; }
mark() { echo "$(size) $*" >> "$MARKS"; }
last() { tail -n 1 "$MARKS" | cut -d' ' -f2-; }
waited() { "$WAIT" "$ORCA_LOG" "$MARKS" 60 "$@"; }
missed() { echo "$*" > "$MISSED"; finish; exit 7; }
press() {
    local name=$1 key from
    shift
    mark "$name"
    for key in "$@"; do
        from=$(size)
        xdotool key --clearmodifiers "$key"
        waited told $from || missed "Orca was not told of the key $key after the mark $name"
    done
}
hear() { waited heard "$1" || missed "Orca did not say \"$1\" after the mark $(last)"; }
click() {
    mark "$1"
    xdotool mousemove --sync --window "$win" "$2" "$3" click 1
    waited clicked || missed "Orca was never told where the focus went after the mark $1"
}
moved() { waited focused || missed "Orca said nowhere the focus went after the mark $(last)"; }
enter() {
    local name=$1 text=$2 typed=0 chunk from
    mark "$name"
    while [ $typed -lt ${#text} ]; do
        chunk=$(printf '%s' "$text" | cut -c $((typed + 1))-$((typed + 8)))
        from=$(size)
        xdotool type -- "$chunk"
        typed=$((typed + ${#chunk}))
        waited typed $from ${#chunk} || missed "Orca was not told of the keys that type $chunk"
    done
}
windows() { xdotool search --onlyvisible --class tollenvane | wc -l; }
# In the folder chooser: its path replaced by one typed a few characters at a time, then Return
# once the completion list is open (three windows: the window, the chooser and the list).
choose() {
    local i
    press "$1-select" ctrl+a
    enter "$1-typing" "$2"
    for i in $(seq 600); do [ "$(windows)" -gt 2 ] && break; sleep 0.1; done
    [ "$(windows)" -gt 2 ] || missed "the chooser never listed what $2 completes to"
    press "$1" Return
}
reach() {
    local name=$1 text=$2 keys="" most stop=0
    shift 2
    while [ "$1" != max ]; do keys="$keys $1"; shift; done
    most=$2
    while [ $stop -lt $most ]; do
        stop=$((stop + 1))
        press "$name$stop" $keys
        moved
        "$WAIT" "$ORCA_LOG" "$MARKS" 0 heard "$text" && return 0
    done
    missed "Orca did not say \"$text\" in $most presses of$keys"
}
finish() {
    mark end
    "$GRAB" "$PICTURE"
    xdotool key --clearmodifiers ctrl+q
    for i in $(seq 600); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
    if kill -0 $app 2>/dev/null; then kill $app; exit 5; fi
    wait $app
}
mark orca
waited heard "" || { echo "Orca never said it was running" > "$MISSED"; exit 9; }
mark start
LANGUAGE="$SPOKEN" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$APP" --state "$STATE" & app=$!
win=$(timeout 120 xdotool search --sync --onlyvisible --class tollenvane | head -n 1)
[ -n "$win" ] || { kill $app; exit 3; }
hear "$OPENS_ON"
waited focus || missed "Orca was never told where the focus is in the window"
)sh";

constexpr const char* closing = R"sh(
finish
)sh";

QString desktopScript()
{
    return QString(TOLLENVANE_SOURCE_DIR) + "/tests/app/support/orca_desktop.sh";
}

// The leak checker's suppressions for the application under a screen reader: the checked build's
// own, and the one leak of Qt's that only a screen reader brings about. Every other leak stays
// fatal; without a sanitizer the option is read by no one.
std::string screenReaderSuppressions(const TempDir& folder)
{
    const std::string sanitizers = std::string(TOLLENVANE_SOURCE_DIR) + "/cmake/sanitizers/";
    const std::string path = folder / "lsan.supp";
    std::ofstream(path, std::ios::binary)
        << contentOf(sanitizers + "lsan.supp") << contentOf(sanitizers + "lsan-screen-reader.supp");
    return path;
}

} // namespace

std::optional<std::string> OrcaSession::missing()
{
    for (const char* tool : {"xvfb-run", "xdotool", "openbox", "dbus-run-session", "orca"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            return std::string(tool) + " is not installed (scripts/setup installs it)";
        }
    }
    // Orca starts only when no other Orca of the same user runs, on any display.
    if (QProcess::execute("pgrep", {"-u", QString::number(::getuid()), "-x", "orca"}) == 0) {
        return "another Orca runs for this user";
    }
    return std::nullopt;
}

OrcaSession::OrcaSession()
    : source_(folder_ / "home/Documents/Tri")
{
    fs::create_directories(source_);
}

std::string OrcaSession::trash() const
{
    return folder_ / "home/.local/share/Trash/files";
}

std::string OrcaSession::statePath() const
{
    return folder_ / "state/state.json";
}

void OrcaSession::write(const SavedState& state) const
{
    writeState(state, {statePath()});
}

std::optional<std::string>
OrcaSession::writeWithSource(const std::function<void(SavedState&)>& adjust) const
{
    try {
        SavedState state = stateWithSource(source_);
        if (adjust) {
            adjust(state);
        }
        write(state);
    } catch (const std::exception& refused) {
        return std::string("the scratch folder cannot be a source: ") + refused.what();
    }
    return std::nullopt;
}

std::optional<std::string> OrcaSession::writeWaitingSession() const
{
    return writeWithSource([](SavedState& state) { state.pendingSession = waitingSession(); });
}

void OrcaSession::putFiles(const std::vector<std::pair<std::string, std::string>>& files) const
{
    for (const auto& [path, content] : files) {
        const fs::path file = fs::path(source_) / path;
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }
}

QPoint OrcaSession::placeOf(const QString& name) const
{
    // A window of the test's own over a copy: the one the application starts from stays as
    // written.
    const TempDir probe;
    const std::string copy = probe / "state.json";
    fs::copy_file(statePath(), copy);
    return test::placeOf(copy, name);
}

Speech OrcaSession::run(const QString& steps, const QString& pictureName, const QString& language)
{
    const std::string log = folder_ / "orca.log";
    const std::string marks = folder_ / "marks.txt";
    const std::string missed = folder_ / "missed.txt";
    for (const std::string& path : {log, marks, missed}) {
        fs::remove(path);
    }
    const QString picture = QString(TOLLENVANE_SCREENSHOTS) + "/" + pictureName;
    QDir().mkpath(TOLLENVANE_SCREENSHOTS);
    QFile::remove(picture);

    QProcessEnvironment environment = desktopEnvironment(folder_);
    for (const auto& [name, value] : {std::pair{"APP", QString(TOLLENVANE_EXECUTABLE)},
                                      {"STATE", QString::fromStdString(statePath())},
                                      {"GRAB", QString(TOLLENVANE_SCREEN_GRAB)},
                                      {"PICTURE", picture},
                                      {"ORCA_LOG", QString::fromStdString(log)},
                                      {"MARKS", QString::fromStdString(marks)},
                                      {"MISSED", QString::fromStdString(missed)},
                                      {"WAIT", QString(TOLLENVANE_WAIT_FOR_ORCA)},
                                      {"SPOKEN", language},
                                      {"OPENS_ON", opensOn_},
                                      {"SOURCE", QString::fromStdString(source_)},
                                      {"TRASH", QString::fromStdString(trash())}}) {
        environment.insert(name, value);
    }
    environment.insert("LSAN_OPTIONS",
                       QString::fromStdString("suppressions=" + screenReaderSuppressions(folder_) +
                                              ":print_suppressions=0"));
    QProcess session;
    // The display, the bus, the window manager and the application share a process group of their
    // own, and Orca has a session of its own, so that a session that never ends is ended whole
    // and leaves nothing running on the machine.
    session.setChildProcessModifier([] { ::setsid(); });
    session.setProcessEnvironment(environment);
    session.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    session.start("xvfb-run",
                  {"-a", "-s", "-screen 0 1280x800x24", "dbus-run-session", "--", desktopScript(),
                   QString::fromStdString(folder_ / "home"), QString::fromStdString(log), "sh",
                   "-c", QString(opening) + steps + closing});
    if (!session.waitForFinished(240'000) || session.exitStatus() != QProcess::NormalExit) {
        if (const auto leader = static_cast<pid_t>(session.processId()); leader > 0) {
            ::kill(-leader, SIGKILL);
        }
        if (const auto reader =
                static_cast<pid_t>(std::atol(contentOf(folder_ / "home/orca.pid").c_str()));
            reader > 0) {
            ::kill(-reader, SIGKILL);
        }
        session.waitForFinished();
        exitCode_ = -1;
    } else {
        exitCode_ = session.exitCode();
    }
    // Kept beside the picture for whoever reads a failure.
    QFile::remove(picture + ".orca.log");
    QFile::copy(QString::fromStdString(log), picture + ".orca.log");
    Speech speech = Speech::fromLog(contentOf(log), contentOf(marks));
    if (const std::string what = contentOf(missed); !what.empty()) {
        ADD_FAILURE() << what << speech.transcript();
    }
    return speech;
}

} // namespace tollenvane::test
