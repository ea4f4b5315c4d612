#include "support/Speech.h"

#include <QRegularExpression>
#include <algorithm>
#include <sstream>

namespace tollenvane::test {
namespace {

QStringList capturedIn(const QString& text, const QRegularExpression& pattern)
{
    QStringList found;
    for (auto match = pattern.globalMatch(text); match.hasNext();) {
        found << match.next().captured(1);
    }
    return found;
}

bool isModifier(const QString& key)
{
    static const QRegularExpression modifier(
        QStringLiteral("^(Shift|Control|Alt|Meta|Super|Hyper|ISO_Level\\d)_"));
    return modifier.match(key).hasMatch();
}

} // namespace

bool Speech::Part::heard(const QString& text) const
{
    return std::any_of(utterances.begin(), utterances.end(),
                       [&text](const QString& utterance) { return utterance.contains(text); });
}

int Speech::Part::typed() const
{
    return static_cast<int>(std::count_if(keys.begin(), keys.end(),
                                          [](const QString& key) { return !isModifier(key); }));
}

Speech::Speech(std::vector<Part> parts)
    : parts_(std::move(parts))
{}

Speech::Part Speech::partOf(const QString& mark, const QString& text)
{
    static const QRegularExpression said(
        QStringLiteral("SPEECH OUTPUT: '(.*)'\\s*(?:voice=\\S+)?\\s*(?:\\[?\\{.*\\}\\]?)?$"),
        QRegularExpression::MultilineOption);
    // Orca logs each key the application reports to it, one field a line.
    static const QRegularExpression pressed(
        QStringLiteral("KEYBOARD_EVENT:\\s+type=\\S*PRESS\\S*[\\s\\S]*?keyval_name=\\(([^)]*)\\)"));
    static const QRegularExpression focused(
        QStringLiteral(R"(OBJECT EVENT: object:state-changed:focused \(1, 0, \[(.*)\]\)$)"),
        QRegularExpression::MultilineOption);
    static const QRegularExpression told(QStringLiteral(R"(EVENT MANAGER: (\S+ for \[[^\]]*\]))"));
    static const QRegularExpression handled(QStringLiteral(R"(OBJECT EVENT: (\S+) \()"));
    // Orca handles one event at a time, and closes each with a line of its own.
    static const QRegularExpression toldFocus(QStringLiteral(
        R"(OBJECT EVENT: object:state-changed:focused \(1,.*\n(?:.*\n)*?\^{5} PROCESS OBJECT EVENT)"));
    static const QRegularExpression spokeFocus(QStringLiteral(
        R"(OBJECT EVENT: object:state-changed:focused \(1,.*\n(?:(?!\^{5} PROCESS).*\n)*?)"
        R"(.*SPEECH OUTPUT: (?:(?!\^{5} PROCESS).*\n)*?\^{5} PROCESS OBJECT EVENT)"));
    return {mark,
            capturedIn(text, said),
            capturedIn(text, pressed),
            capturedIn(text, focused),
            capturedIn(text, told),
            capturedIn(text, handled),
            toldFocus.match(text).hasMatch(),
            spokeFocus.match(text).hasMatch()};
}

Speech Speech::fromLog(const std::string& log, const std::string& marks)
{
    std::vector<std::pair<std::size_t, QString>> cuts;
    std::istringstream lines(marks);
    std::size_t offset = 0;
    std::string name;
    while (lines >> offset && std::getline(lines >> std::ws, name)) {
        cuts.emplace_back(std::min(offset, log.size()), QString::fromStdString(name));
    }
    std::vector<Part> parts;
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        const std::size_t end = i + 1 < cuts.size() ? cuts[i + 1].first : log.size();
        const std::size_t begin = std::min(cuts[i].first, end);
        parts.push_back(
            partOf(cuts[i].second, QString::fromStdString(log.substr(begin, end - begin))));
    }
    return Speech(std::move(parts));
}

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
    const Part* found = part(mark);
    return found != nullptr && found->heard(text);
}

QStringList Speech::keysAfter(const QString& mark) const
{
    const Part* found = part(mark);
    return found == nullptr ? QStringList() : found->keys;
}

QStringList Speech::focusedFrom(const QString& mark) const
{
    QStringList objects;
    const Part* from = part(mark);
    for (const Part* each = from; from != nullptr && each != parts_.data() + parts_.size();
         ++each) {
        objects << each->focused;
    }
    return objects;
}

QStringList Speech::events() const
{
    QStringList all;
    for (const Part& part : parts_) {
        all << part.events;
    }
    return all;
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

} // namespace tollenvane::test
