#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

namespace tollenvane::test {

// What the screen reader spoke, utterance by utterance, cut where the steps left marks. A mark is
// the size of Orca's log when it was left, then a name, one a line: what lies in the log from
// there to the next mark is what was heard since it.
class Speech {
public:
    struct Part {
        QString mark;
        QStringList utterances;
        // The keys Orca was told of, by their names ("Right", "z"), as they were pressed.
        QStringList keys;
        // The objects Orca was told took the focus, as "role | name", one after the other.
        QStringList focused;
        // Every event Orca was told of, as "type for [role | name]", one after the other.
        QStringList events;
        // The events Orca handled, by type ("mouse:button:1r"), one after the other.
        QStringList handled;
        // Whether Orca was told that an object took the focus, and whether it spoke one.
        bool toldFocus = false;
        bool spokeFocus = false;

        // Whether one utterance holds `text`.
        bool heard(const QString& text) const;
        // How many keys Orca was told of that type a character, Shift and the like aside.
        int typed() const;
    };

    explicit Speech(std::vector<Part> parts);
    // Orca's log `log` cut at the marks `marks`.
    static Speech fromLog(const std::string& log, const std::string& marks);
    // The stretch `text` of Orca's log that followed the mark `mark`.
    static Part partOf(const QString& mark, const QString& text);

    // What was spoken after the mark `mark` and before the next one; empty when no such mark.
    QStringList after(const QString& mark) const;
    // Whether one utterance after `mark` holds `text`.
    bool heardAfter(const QString& mark, const QString& text) const;
    // The keys Orca was told of after `mark` and before the next one.
    QStringList keysAfter(const QString& mark) const;
    // The objects Orca was told took the focus from the mark `mark` to the end.
    QStringList focusedFrom(const QString& mark) const;
    // Every event Orca was told of, from the first mark to the end.
    QStringList events() const;
    // Everything, marks included, for a failure's message.
    std::string transcript() const;

private:
    const Part* part(const QString& mark) const;

    std::vector<Part> parts_;
};

} // namespace tollenvane::test
