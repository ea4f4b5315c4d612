#include "app/screens/storage/TreemapView.h"

#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LineBox.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainToolTip.h"
#include "app/design/ShownName.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"
#include "app/screens/storage/ExplorerRules.h"
#include "core/base/Path.h"
#include "core/localisation/Formatting.h"
#include "core/storage/TreemapLayout.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

namespace tollenvane {
namespace {

constexpr qreal cornerRadius = 9;
constexpr qreal hoverOpacity = 0.88;
constexpr qreal restOpacity = 0.62;
constexpr qreal strokeOpacity = 0.65;
constexpr int symbolPixelSize = 15;
constexpr int namePixelSize = 11;
constexpr int sizePixelSize = 10;
constexpr int labelSpacing = 8;

} // namespace

QStringList blockNameLines(const StorageNode& node, qreal width)
{
    return ExplorerRules::nameLines(shownName(node.name),
                                    DesignFont::system(namePixelSize, QFont::DemiBold), width);
}

namespace {

QString nameAndSize(const QString& name, std::uint64_t bytes)
{
    return name + QStringLiteral(" \u00B7 ") + QString::fromStdString(formattedBytes(bytes));
}

} // namespace

QString blockDescription(const StorageNode& node)
{
    return nameAndSize(shownName(node.name), node.bytes);
}

QString folderDescription(const std::optional<std::string>& folder,
                          const std::vector<StorageNode>& nodes)
{
    std::uint64_t bytes = 0;
    for (const StorageNode& node : nodes) {
        bytes += node.bytes;
    }
    return nameAndSize(folder ? shownName(std::string(path::lastComponent(*folder)))
                              : localized("Toutes les sources"),
                       bytes);
}

TreemapView::TreemapView(std::function<void(const StorageNode&)> activated, QWidget* parent)
    : QWidget(parent)
    , activated_(std::move(activated))
{
    setMouseTracking(true);
    setFixedHeight(mapHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void TreemapView::setTiles(std::vector<StorageNode> tiles)
{
    if (tiles == tiles_) {
        return;
    }
    tiles_ = std::move(tiles);
    hovered_.reset();
    relayout();
}

QSize TreemapView::sizeHint() const
{
    return {400, mapHeight};
}

void TreemapView::relayout()
{
    hideCaption();
    readings_.forget();
    std::vector<double> weights;
    weights.reserve(tiles_.size());
    for (const StorageNode& tile : tiles_) {
        weights.push_back(static_cast<double>(tile.bytes));
    }
    layout_ = TreemapLayout::layout(weights, width(), height());
    blocks_.clear();
    blocks_.reserve(layout_.size());
    for (const TreemapRect& rect : layout_) {
        Block block;
        block.frame = ExplorerRules::blockFrame(rect);
        block.shape =
            continuousRoundedRect(block.frame.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius);
        const ExplorerRules::BlockLabel label = ExplorerRules::blockLabel(rect.width, rect.height);
        const StorageNode& tile = tiles_[rect.index];
        if (label.name) {
            block.nameLines = blockNameLines(tile, block.frame.width() - 2 * label.padding);
        }
        if (label.size) {
            block.size = QString::fromStdString(formattedBytes(tile.bytes));
        }
        blocks_.push_back(std::move(block));
    }
    current_ = 0;
    setFocusPolicy(layout_.empty() ? Qt::NoFocus : Qt::StrongFocus);
    update();
    // A folder opened from the map comes with blocks of its own: the first is heard at once. A
    // scan that only resizes the blocks leaves the one heard as it is.
    if (hasFocus() && currentId() != heard_) {
        tellCurrent();
    }
}

void TreemapView::tellCurrent()
{
    heard_ = currentId();
    readings_.tellFocus(current_);
}

std::optional<std::string> TreemapView::currentId() const
{
    return current_ < reachableCount() ? std::optional(nodeAt(current_).id) : std::nullopt;
}

std::size_t TreemapView::reachableCount() const
{
    const auto unseen = std::find_if(blocks_.begin(), blocks_.end(),
                                     [](const Block& block) { return block.frame.isEmpty(); });
    return static_cast<std::size_t>(unseen - blocks_.begin());
}

const StorageNode& TreemapView::nodeAt(std::size_t position) const
{
    return tiles_[layout_[position].index];
}

QRect TreemapView::blockRect(std::size_t position) const
{
    return blocks_[position].frame.toAlignedRect();
}

void TreemapView::open(std::size_t position)
{
    activate(layout_[position].index);
}

QAccessibleInterface* TreemapView::tileReading(std::size_t position) const
{
    return readings_.at(position);
}

// Qt tells of the map taking the focus once this returns: the block is told after it, as the item
// a list's focus rests on.
void TreemapView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus()) {
                tellCurrent();
            }
        },
        Qt::QueuedConnection);
}

void TreemapView::resizeEvent(QResizeEvent*)
{
    relayout();
}

void TreemapView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        paintBlock(painter, layout_[i], blocks_[i]);
    }
    if (current_ < blocks_.size()) {
        paintFocusRing(painter, blocks_[current_].frame, cornerRadius, *this);
    }
}

void TreemapView::paintBlock(QPainter& painter, const TreemapRect& rect, const Block& block) const
{
    if (block.frame.isEmpty()) {
        return;
    }
    const QColor color = ExplorerRules::tileColor(rect.index);
    painter.fillPath(block.shape,
                     Theme::withAlpha(color, hovered_ == rect.index ? hoverOpacity : restOpacity));
    painter.strokePath(block.shape, QPen(Theme::withAlpha(color, strokeOpacity), 1));

    const ExplorerRules::BlockLabel label = ExplorerRules::blockLabel(rect.width, rect.height);
    if (!label.name && !label.symbol) {
        return;
    }
    const QColor foreground =
        Theme::currentScheme() == ColorScheme::light ? Theme::color(Theme::ink) : QColor(Qt::white);
    const QRectF content =
        block.frame.adjusted(label.padding, label.padding, -label.padding, -label.padding);
    painter.save();
    painter.setClipRect(block.frame);
    qreal top = content.top();
    if (label.symbol) {
        const int side = Symbol::sideBeside(symbolPixelSize);
        painter.setOpacity(0.8);
        Symbol::paint(painter, QRectF(content.left(), top, side, side),
                      tiles_[rect.index].directory ? "folder.fill" : "doc.fill", foreground);
        painter.setOpacity(1);
        top += side + labelSpacing;
    }
    if (label.name) {
        painter.setFont(DesignFont::system(namePixelSize, QFont::DemiBold));
        painter.setPen(foreground);
        const int lineHeight = lineBox(painter.font()).height;
        for (const QString& line : block.nameLines) {
            drawLine(painter, QRectF(content.left(), top, content.width(), lineHeight),
                     Qt::AlignLeft, line);
            top += lineHeight;
        }
    }
    if (label.size) {
        top += labelSpacing;
        painter.setFont(DesignFont::system(sizePixelSize));
        painter.setOpacity(0.85);
        drawLine(painter,
                 QRectF(content.left(), top, content.width(), lineBox(painter.font()).height),
                 Qt::AlignLeft, block.size);
    }
    painter.restore();
}

void TreemapView::setHovered(std::optional<std::size_t> tile)
{
    if (tile == hovered_) {
        return;
    }
    // Only the two blocks whose shade changes are painted again.
    for (std::size_t i = 0; i < layout_.size(); ++i) {
        if (layout_[i].index == hovered_ || layout_[i].index == tile) {
            update(blocks_[i].frame.toAlignedRect());
        }
    }
    hovered_ = tile;
}

void TreemapView::mouseMoveEvent(QMouseEvent* event)
{
    setHovered(ExplorerRules::tileAt(layout_, event->position()));
}

void TreemapView::leaveEvent(QEvent*)
{
    setHovered(std::nullopt);
}

void TreemapView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (const auto tile = ExplorerRules::tileAt(layout_, event->position())) {
        activate(*tile);
    }
}

void TreemapView::activate(std::size_t tile)
{
    // A copy: the action may replace the tiles.
    const StorageNode node = tiles_[tile];
    hideCaption();
    activated_(node);
}

void TreemapView::keyPressEvent(QKeyEvent* event)
{
    if (layout_.empty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        setCurrent(std::min(current_ + 1, layout_.size() - 1));
        captionDue_ = true;
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        setCurrent(current_ == 0 ? 0 : current_ - 1);
        captionDue_ = true;
        return;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        open(current_);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

// The caption of the block the arrows chose comes once the key is up, so that a held arrow does
// not flash one over every block it passes.
void TreemapView::keyReleaseEvent(QKeyEvent* event)
{
    if (!captionDue_ || event->isAutoRepeat() || current_ >= blocks_.size()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    captionDue_ = false;
    showCaption(current_);
}

void TreemapView::setCurrent(std::size_t position)
{
    // The smallest blocks come last and may be too small to show: the way ends before them.
    if (position == current_ || blocks_[position].frame.isEmpty()) {
        return;
    }
    update(blocks_[current_].frame.toAlignedRect());
    current_ = position;
    update(blocks_[current_].frame.toAlignedRect());
    tellCurrent();
}

bool TreemapView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const auto tile = ExplorerRules::tileAt(layout_, help->pos());
        const auto rect = std::find_if(layout_.begin(), layout_.end(),
                                       [&](const TreemapRect& laid) { return laid.index == tile; });
        if (rect != layout_.end()) {
            showCaption(static_cast<std::size_t>(rect - layout_.begin()), help->globalPos());
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    return QWidget::event(event);
}

// The block's name and size, where the pointer rests or, from the keyboard, under the block.
void TreemapView::showCaption(std::size_t position, std::optional<QPoint> at)
{
    const QRectF frame = blocks_[position].frame;
    const QPoint place = at.value_or(mapToGlobal(frame.bottomLeft().toPoint()));
    // Names are data, shown as they are.
    caption_ = plainToolTipText(blockDescription(tiles_[layout_[position].index]));
    QToolTip::showText(place, caption_, this, frame.toAlignedRect());
}

// A block opened, or laid out again, leaves its caption speaking of what is no longer there.
// Tool tips are one for the whole application: another widget's is left alone.
void TreemapView::hideCaption()
{
    if (QToolTip::isVisible() && QToolTip::text() == caption_) {
        QToolTip::hideText();
    }
}

} // namespace tollenvane
