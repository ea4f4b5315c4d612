#pragma once

#include "app/screens/sources/SourceRules.h"

#include <QFont>
#include <QHash>
#include <array>
#include <string>

namespace tollenvane {

class SourcePanel;

// A source as the page last showed it, kept to stack the panels without building them.
struct ShownSource {
    std::string id;
    std::string name;
    SourceRow row;
    // The status line's width on one line; negative until asked.
    qreal lineWidth = -1;
};

// How tall each source's panel stands at a width, measured on a panel that is never shown. A
// status that fits its line takes the height of a panel of one status line, found once per
// width; its width on one line is added up from its characters, once per text. Only a status
// near or past the end of its line is laid out in full on the measuring panel.
class SourceHeights {
public:
    explicit SourceHeights(SourcePanel& probe);

    int heightOf(ShownSource& source, int width);

private:
    void measureAt(int width);
    qreal lineWidthOf(const SourceRow& row);
    qreal lineWidthOf(const QString& text);
    qreal advanceOf(char16_t code);

    SourcePanel& probe_;
    QFont font_;
    // The advance of each character below U+0100, as the status font draws it alone; negative
    // until met.
    std::array<qreal, 256> advances_;
    // Texts with other characters, measured whole.
    QHash<QString, qreal> measured_;
    int width_ = -1;
    // By whether the folder resolved: the panel of one status line and the status line's width.
    std::array<int, 2> oneLineHeight_{};
    std::array<int, 2> statusWidth_{};
};

} // namespace tollenvane
