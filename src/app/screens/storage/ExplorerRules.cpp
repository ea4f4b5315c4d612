#include "app/screens/storage/ExplorerRules.h"

#include "app/design/ShownName.h"
#include "app/design/SpokenFigures.h"
#include "app/design/TextFit.h"
#include "app/design/Theme.h"
#include "core/access/FolderGrant.h"
#include "core/base/Path.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/access/SourceStatus.h"

#include <QFontMetricsF>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace tollenvane::ExplorerRules {

std::vector<StorageNode> tiles(const std::vector<StorageNode>& nodes)
{
    const std::size_t shown = std::min(nodes.size(), tileLimit);
    std::vector<StorageNode> result(nodes.begin(), nodes.begin() + static_cast<long>(shown));
    StorageNode others{othersID, Localization::text("Autres éléments"), false, 0, 0};
    for (std::size_t i = shown; i < nodes.size(); ++i) {
        others.bytes += std::max<std::int64_t>(nodes[i].bytes, 0);
        ++others.count;
    }
    if (others.bytes > 0) {
        result.push_back(std::move(others));
    }
    return result;
}

bool isOthers(const StorageNode& node)
{
    return node.id == othersID;
}

Activation activate(const StorageNode& node, int visibleLimit, std::size_t nodeCount)
{
    if (isOthers(node)) {
        const int count = static_cast<int>(nodeCount);
        return {Activation::Kind::widenList,
                std::min(std::max(visibleLimit, initialLimit + limitStep), count),
                {}};
    }
    if (node.directory) {
        return {Activation::Kind::openFolder, initialLimit, node.id};
    }
    return {Activation::Kind::inspectFile, visibleLimit, node.id};
}

int moreLimit(int visibleLimit, std::size_t nodeCount)
{
    return std::min(visibleLimit + limitStep, static_cast<int>(nodeCount));
}

bool showsMore(int visibleLimit, std::size_t nodeCount)
{
    return visibleLimit < static_cast<int>(nodeCount);
}

bool showsLess(int visibleLimit)
{
    return visibleLimit > initialLimit;
}

std::vector<std::string> roots(const std::vector<FolderGrant>& sources,
                               const std::map<std::string, SourceStatus>& statuses)
{
    std::vector<std::string> result;
    for (const FolderGrant& grant : sources) {
        const auto status = statuses.find(grant.id);
        if (status != statuses.end() && status->second.location) {
            // Resolved like the indexed paths, so a source chosen through a link still matches.
            const std::string& location = *status->second.location;
            result.push_back(
                path::resolvedIfExists(location).value_or(path::standardised(location)));
        }
    }
    return result;
}

std::optional<std::string> goBack(const std::string& current, const std::vector<std::string>& roots)
{
    const std::string parent(path::parent(path::standardised(current)));
    for (const std::string& root : roots) {
        if (parent == root || path::beginsWithFolder(parent, root)) {
            return parent;
        }
    }
    return std::nullopt;
}

QString spokenNode(const StorageNode& node)
{
    return spokenWithFigures(shownName(node.name),
                             {QString::fromStdString(formattedBytes(node.bytes))});
}

BlockLabel blockLabel(double width, double height)
{
    BlockLabel label;
    label.symbol = width > 95 && height > 70;
    label.name = width > 65 && height > 38;
    label.size = label.name && height > 75;
    label.padding = label.name ? 12 : 0;
    return label;
}

QStringList nameLines(const QString& name, const QFont& font, qreal width)
{
    const QFontMetricsF metrics(font);
    const auto ending = [&](const QString& text) {
        return fitText(text, metrics, width, ElisionSide::end).text;
    };
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    QTextLayout layout(name, font);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine first = layout.createLine();
    if (!first.isValid()) {
        layout.endLayout();
        return {};
    }
    first.setLineWidth(width);
    const int firstEnd = first.textStart() + first.textLength();
    layout.endLayout();
    const QString head = name.left(firstEnd).trimmed();
    // A first word wider than the block is never cut in two: the name takes one line and ends
    // short.
    if (metrics.horizontalAdvance(head) > width) {
        return {ending(name)};
    }
    const QString rest = name.mid(firstEnd);
    if (rest.isEmpty()) {
        return {head};
    }
    return {head, ending(rest)};
}

std::size_t paletteIndex(std::size_t index)
{
    return index % 5;
}

QColor tileColor(std::size_t index)
{
    switch (paletteIndex(index)) {
    case 0:
        return Theme::color(Theme::orange);
    case 1:
        return QColor::fromRgbF(0.57F, 0.52F, 0.92F);
    case 2:
        return QColor::fromRgbF(0.36F, 0.65F, 0.84F);
    case 3:
        return QColor::fromRgbF(0.35F, 0.72F, 0.65F);
    default:
        return QColor::fromRgbF(0.83F, 0.56F, 0.68F);
    }
}

QRectF blockFrame(const TreemapRect& rect)
{
    const auto side = [](double length) {
        const double inner = length - 2 * gutter;
        return std::isnan(inner) ? 0.0 : std::max(inner, 0.0);
    };
    return {rect.x + gutter, rect.y + gutter, side(rect.width), side(rect.height)};
}

std::optional<std::size_t> tileAt(const std::vector<TreemapRect>& layout, QPointF point)
{
    for (const TreemapRect& rect : layout) {
        if (blockFrame(rect).contains(point)) {
            return rect.index;
        }
    }
    return std::nullopt;
}

} // namespace tollenvane::ExplorerRules
