#include "app/screens/sources/SourceHeights.h"

#include "app/design/SelectableText.h"
#include "app/screens/sources/SourcePanel.h"

#include <QFontMetricsF>
#include <QLayout>
#include <algorithm>

namespace tollenvane {
namespace {

// What the sum of single advances may miss of a shaped line (kerning, isolates), with room for
// the label's own margins.
constexpr qreal shapingSlack = 1.05;
constexpr int marginSlack = 8;

// The panel laid out afresh: a panel never shown keeps the sizes its layouts last computed.
int heightAt(SourcePanel& panel, int width)
{
    panel.layout()->invalidate();
    panel.layout()->activate();
    return panel.heightForWidth(width);
}

} // namespace

SourceHeights::SourceHeights(SourcePanel& probe)
    : probe_(probe)
    , font_(probe.findChild<SelectableText*>()->font())
{
    advances_.fill(-1);
}

qreal SourceHeights::advanceOf(char16_t code)
{
    qreal& advance = advances_[code];
    if (advance < 0) {
        advance = QFontMetricsF(font_).horizontalAdvance(QChar(code));
    }
    return advance;
}

void SourceHeights::measureAt(int width)
{
    if (width == width_) {
        return;
    }
    width_ = width;
    for (const bool resolved : {false, true}) {
        const SourceRow row{.statusLine = "A",
                            .fileCount = resolved ? std::optional<std::int64_t>(0) : std::nullopt,
                            .resolved = resolved};
        probe_.present({}, "A", row, {});
        const int height = heightAt(probe_, width);
        probe_.setGeometry(0, 0, width, height);
        probe_.layout()->activate();
        oneLineHeight_[resolved] = height;
        statusWidth_[resolved] = probe_.statusWidth();
    }
}

qreal SourceHeights::lineWidthOf(const SourceRow& row)
{
    // A path of printable ASCII shows as it is, between isolates that draw nothing.
    const std::string& line = row.statusLine;
    if (std::all_of(line.begin(), line.end(),
                    [](char byte) { return byte >= 0x20 && byte < 0x7F; })) {
        qreal sum = 0;
        for (const char byte : line) {
            sum += advanceOf(static_cast<unsigned char>(byte));
        }
        return sum;
    }
    return lineWidthOf(SourcePanel::statusText(row).shown());
}

qreal SourceHeights::lineWidthOf(const QString& text)
{
    qreal sum = 0;
    for (const QChar character : text) {
        if (character.unicode() >= advances_.size()) {
            // Isolates draw nothing; anything else is measured whole, once per text.
            if (character.unicode() == 0x2068 || character.unicode() == 0x2069) {
                continue;
            }
            const auto known = measured_.constFind(text);
            if (known != measured_.constEnd()) {
                return *known;
            }
            const qreal whole = QFontMetricsF(font_).horizontalAdvance(text);
            measured_.insert(text, whole);
            return whole;
        }
        sum += advanceOf(character.unicode());
    }
    return sum;
}

int SourceHeights::heightOf(ShownSource& source, int width)
{
    measureAt(width);
    if (source.lineWidth < 0) {
        source.lineWidth = lineWidthOf(source.row);
    }
    const bool resolved = source.row.resolved;
    if (source.lineWidth * shapingSlack + marginSlack <= statusWidth_[resolved]) {
        return oneLineHeight_[resolved];
    }
    // A resolved folder's count line is there whatever its count.
    SourceRow row = source.row;
    if (row.resolved && !row.fileCount) {
        row.fileCount = 0;
    }
    probe_.present(source.id, source.name, row, {});
    return heightAt(probe_, width);
}

} // namespace tollenvane
