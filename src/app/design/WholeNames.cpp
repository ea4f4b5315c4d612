#include "app/design/WholeNames.h"

#include <QTextBoundaryFinder>

namespace tollenvane {

namespace {

constexpr char16_t wordJoiner = 0x2060;
constexpr char16_t noBreakSpace = 0x00A0;
constexpr char16_t popDirectionalIsolate = 0x2069;

bool opensIsolate(QChar character)
{
    const char16_t unit = character.unicode();
    return unit == 0x2066 || unit == 0x2067 || unit == 0x2068;
}

} // namespace

QString namesKeptWhole(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype breakAt = breaks.toNextBoundary();
    int depth = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        while (breakAt >= 0 && breakAt < at) {
            breakAt = breaks.toNextBoundary();
        }
        const QChar character = text.at(at);
        // Inside a name, its closing mark included: no break before this character.
        if (depth > 0 && breakAt == at) {
            kept.append(QChar(wordJoiner));
        }
        // The text engine breaks after any space, joiner or not: a name's spaces do not break.
        kept.append(depth > 0 && character == QLatin1Char(' ') ? QChar(noBreakSpace) : character);
        if (opensIsolate(character)) {
            ++depth;
        } else if (character.unicode() == popDirectionalIsolate && depth > 0) {
            --depth;
        }
    }
    return kept;
}

} // namespace tollenvane
