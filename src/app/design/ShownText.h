#pragma once

#include <QString>
#include <QStringView>
#include <string_view>
#include <vector>

namespace tollenvane {

// A text as it is shown, names in it made fit to show, that remembers what each of its parts
// copies as: a selection of it copies the names themselves, without the marks and the isolation
// that show them, so that a pasted path is found.
class ShownText {
public:
    ShownText() = default;
    // Plain text, which copies as it shows.
    explicit ShownText(const QString& plain);
    // A name or a path alone.
    static ShownText name(QStringView name);
    // A problem as scans and inventories word it, "<name> : <description>".
    static ShownText problem(std::string_view text);
    // `pattern`, a text of the catalogue, with `name` in place of its "{0}".
    static ShownText withName(const QString& pattern, QStringView name);

    ShownText& append(const QString& plain);
    ShownText& appendName(QStringView name);

    const QString& shown() const { return shown_; }
    // What the shown characters from `start`, `length` long, copy as. A mark partly selected
    // copies as the character it stands for.
    QString copied(qsizetype start, qsizetype length) const;

    bool operator==(const ShownText& other) const { return shown_ == other.shown_; }

private:
    // A span that copies otherwise than it shows.
    struct Span {
        qsizetype start;
        qsizetype length;
        QString copied;
    };

    QString shown_;
    // In the order of the shown text.
    std::vector<Span> spans_;
};

} // namespace tollenvane
