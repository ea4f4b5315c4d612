#pragma once

#include "core/storage/StorageNode.h"
#include "core/storage/TreemapRect.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

struct FolderGrant;
struct SourceStatus;

// The rules of the storage explorer, apart from its widgets.
namespace ExplorerRules {

// The treemap shows the largest nodes; the rest fold into one tile that widens the list.
inline constexpr std::size_t tileLimit = 32;
inline constexpr const char* othersID = "tollenvane:others";
// List rows shown at first, and how many more each "show more" adds.
inline constexpr int initialLimit = 8;
inline constexpr int limitStep = 100;
// Space kept around each block, so neighbours stand apart by twice as much.
inline constexpr double gutter = 2;

// The first tileLimit nodes, then the others tile when the rest holds any byte. The others tile
// counts the nodes it folds, not their files.
std::vector<StorageNode> tiles(const std::vector<StorageNode>& nodes);
bool isOthers(const StorageNode& node);

// What a click on a tile or a row does.
struct Activation {
    enum class Kind { widenList, openFolder, inspectFile };
    Kind kind;
    int visibleLimit; // the list length afterwards
    std::string path; // the folder to open or the file to preview
};
Activation activate(const StorageNode& node, int visibleLimit, std::size_t nodeCount);

// The list footer.
int moreLimit(int visibleLimit, std::size_t nodeCount);
bool showsMore(int visibleLimit, std::size_t nodeCount);
bool showsLess(int visibleLimit);

// The folders the user authorised as they were resolved, in stored order; a grant not (yet)
// resolved to a folder is none of them.
std::vector<std::string> roots(const std::vector<FolderGrant>& sources,
                               const std::map<std::string, SourceStatus>& statuses);
// Where "up" leads from `current`: its parent while that stays within a root, else the top.
std::optional<std::string> goBack(const std::string& current,
                                  const std::vector<std::string>& roots);

// A node as its list row is read out: its name and its size, as drawn.
QString spokenNode(const StorageNode& node);

// Which parts of a block's label fit a laid-out rectangle of this size (before the gutter).
struct BlockLabel {
    bool symbol = false;
    bool name = false;
    bool size = false;
    int padding = 0;
};
BlockLabel blockLabel(double width, double height);
// A block's name in two lines at most, broken only between words, each line ending in "…" when
// the rest does not fit; a first word wider than the block makes one shortened line.
QStringList nameLines(const QString& name, const QFont& font, qreal width);

// A block's colour by its position in the tile list.
std::size_t paletteIndex(std::size_t index);
QColor tileColor(std::size_t index);

// The drawn block of a laid-out rectangle: the gutter taken off every side, never negative.
QRectF blockFrame(const TreemapRect& rect);
// The tile position under `point`, if any block is there.
std::optional<std::size_t> tileAt(const std::vector<TreemapRect>& layout, QPointF point);

} // namespace ExplorerRules
} // namespace tollenvane
