#include "support/OrcaSession.h"

#include "support/DesktopHome.h"

#include <unistd.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>
#include <csignal>
#include <filesystem>
#include <sstream>

namespace tollenvane::test {
namespace {

namespace fs = std::filesystem;

// The helpers the steps use, then the application started as a person starts it.
constexpr const char* opening = R"(
mark() { echo "$(stat -c %s "$ORCA_LOG") $*" >> "$MARKS"; }
press() { name=$1; shift; mark "$name"; xdotool key --clearmodifiers "$@"; }
hear() {
    from=$(tail -n 1 "$MARKS" | cut -d' ' -f1)
    for i in $(seq 60); do
        tail -c +$((from + 1)) "$ORCA_LOG" | grep -a "SPEECH OUTPUT" | grep -aqF -- "$1" && return 0
        sleep 0.1
    done
    echo "Orca did not say: $1" >&2
}
quiet() {
    last=-1
    for i in $(seq 40); do
        now=$(grep -ac "SPEECH OUTPUT" "$ORCA_LOG")
        [ "$now" = "$last" ] && return 0
        last=$now
        sleep 0.5
    done
}
mark start
LANGUAGE="$SPOKEN" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$APP" --state "$STATE" & app=$!
win=$(timeout 60 xdotool search --sync --onlyvisible --class tollenvane | head -n 1)
[ -n "$win" ] || { kill $app; exit 3; }
quiet
)";

constexpr const char* closing = R"(
quiet
mark end
"$GRAB" "$PICTURE"
xdotool key --clearmodifiers ctrl+q
for i in $(seq 150); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
if kill -0 $app 2>/dev/null; then kill $app; exit 5; fi
wait $app
)";

QString desktopScript()
{
    return QString(TOLLENVANE_SOURCE_DIR) + "/tests/app/support/orca_desktop.sh";
}

QStringList utterancesIn(const QString& text)
{
    static const QRegularExpression said(
        QStringLiteral("SPEECH OUTPUT: '(.*)'\\s*(?:voice=\\S+)?\\s*(?:\\[?\\{.*\\}\\]?)?$"),
        QRegularExpression::MultilineOption);
    QStringList utterances;
    for (auto match = said.globalMatch(text); match.hasNext();) {
        utterances << match.next().captured(1);
    }
    return utterances;
}

// Orca logs each key the application reports to it, one field a line.
QStringList keysIn(const QString& text)
{
    static const QRegularExpression pressed(
        QStringLiteral("KEYBOARD_EVENT:\\s+type=\\S*PRESS\\S*[\\s\\S]*?keyval_name=\\(([^)]*)\\)"));
    QStringList keys;
    for (auto match = pressed.globalMatch(text); match.hasNext();) {
        keys << match.next().captured(1);
    }
    return keys;
}

// Cuts the log where the marks fell: each mark is the log's size when it was left, and a name.
std::vector<Speech::Part> partsOf(const std::string& log, const std::string& marks)
{
    std::vector<std::pair<std::size_t, QString>> cuts;
    std::istringstream lines(marks);
    std::size_t offset = 0;
    std::string name;
    while (lines >> offset && std::getline(lines >> std::ws, name)) {
        cuts.emplace_back(std::min(offset, log.size()), QString::fromStdString(name));
    }
    std::vector<Speech::Part> parts;
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        const std::size_t end = i + 1 < cuts.size() ? cuts[i + 1].first : log.size();
        const std::size_t begin = std::min(cuts[i].first, end);
        const QString text = QString::fromStdString(log.substr(begin, end - begin));
        parts.push_back({cuts[i].second, utterancesIn(text), keysIn(text)});
    }
    return parts;
}

} // namespace

Speech::Speech(std::vector<Part> parts)
    : parts_(std::move(parts))
{}

const Speech::Part* Speech::part(const QString& mark) const
{
    const auto found = std::find_if(parts_.begin(), parts_.end(),
                                    [&mark](const Part& part) { return part.mark == mark; });
    return found == parts_.end() ? nullptr : &*found;
}

QStringList Speech::after(const QString& mark) const
{
    const Part* found = part(mark);
    return found == nullptr ? QStringList() : found->utterances;
}

bool Speech::heardAfter(const QString& mark, const QString& text) const
{
    const QStringList said = after(mark);
    return std::any_of(said.begin(), said.end(),
                       [&](const QString& utterance) { return utterance.contains(text); });
}

QStringList Speech::keysAfter(const QString& mark) const
{
    const Part* found = part(mark);
    return found == nullptr ? QStringList() : found->keys;
}

std::string Speech::transcript() const
{
    QString text;
    for (const Part& part : parts_) {
        text += "-- " + part.mark + " [" + part.keys.join(' ') + "]\n";
        for (const QString& utterance : part.utterances) {
            text += "   " + utterance + '\n';
        }
    }
    return text.toStdString();
}

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

Speech OrcaSession::run(const QString& steps, const QString& pictureName, const QString& language)
{
    const std::string log = folder_ / "orca.log";
    const std::string marks = folder_ / "marks.txt";
    fs::remove(log);
    fs::remove(marks);
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
                                      {"SPOKEN", language},
                                      {"SOURCE", QString::fromStdString(source_)},
                                      {"TRASH", QString::fromStdString(trash())}}) {
        environment.insert(name, value);
    }
    // Qt 6.4's accessibility bridge holds each key until the reader has seen it, and never frees
    // one whose window closed meanwhile, as a sheet does on the Return that answers it. That leak
    // of Qt's own would fail the checked build here; every other test still checks for leaks.
    environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
    QProcess session;
    // The display, the bus, Orca and the application share a process group of their own, so a
    // session that never ends is ended whole and leaves nothing running on the machine.
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
        session.waitForFinished();
        exitCode_ = -1;
    } else {
        exitCode_ = session.exitCode();
    }
    // Kept beside the picture for whoever reads a failure.
    QFile::remove(picture + ".orca.log");
    QFile::copy(QString::fromStdString(log), picture + ".orca.log");
    return Speech(partsOf(contentOf(log), contentOf(marks)));
}

} // namespace tollenvane::test
