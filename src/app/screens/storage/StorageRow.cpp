#include "app/screens/storage/StorageRow.h"

#include "app/design/DesignFont.h"
#include "app/design/FocusRing.h"
#include "app/design/LineBox.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/ShownName.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"
#include "app/design/Theme.h"
#include "app/kit/PageText.h"
#include "app/kit/SymbolButtonText.h"
#include "app/screens/storage/ExplorerRules.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "core/records/FileKind.h"

#include <QHBoxLayout>
#include <QPainter>
#include <algorithm>

namespace tollenvane {
namespace {

constexpr int rowPixelSize = 11;
constexpr int iconWidth = 20;
constexpr int spacing = 11;
constexpr int verticalPadding = 10;

QString nodeSymbol(const StorageNode& node)
{
    if (node.directory) {
        return QStringLiteral("folder.fill");
    }
    return QString::fromUtf8(symbol(classify(node.id)));
}

} // namespace

StorageRowButton::StorageRowButton(QWidget* parent)
    : QAbstractButton(parent)
{
    setFont(DesignFont::system(rowPixelSize));
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void StorageRowButton::setNode(const StorageNode& node)
{
    if (node == node_ && !symbol_.isEmpty()) {
        return;
    }
    // The kind is looked up only when the row stands for another item.
    if (symbol_.isEmpty() || node.id != node_.id || node.directory != node_.directory) {
        symbol_ = nodeSymbol(node);
    }
    node_ = node;
    setSpokenName(*this, ExplorerRules::spokenNode(node_));
    update();
}

QSize StorageRowButton::sizeHint() const
{
    return {200, lineBox(font()).height + 2 * verticalPadding};
}

void StorageRowButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (isDown()) {
        painter.setOpacity(0.78);
    }
    const QRectF area = QRectF(rect()).adjusted(focusRingMargin, 0, -focusRingMargin, 0);
    const int side = Symbol::sideBeside(rowPixelSize);
    Symbol::paint(
        painter,
        QRectF(area.left() + (iconWidth - side) / 2.0, area.center().y() - side / 2.0, side, side),
        symbol_.toStdString(), Theme::color(Theme::orange));

    const QFontMetricsF metrics(font());
    const QString size = QString::fromStdString(formattedBytes(node_.bytes));
    const qreal sizeWidth = metrics.horizontalAdvance(size);
    painter.setPen(Theme::color(Theme::muted));
    drawLine(painter, QRectF(area.right() - sizeWidth, area.top(), sizeWidth, area.height()),
             Qt::AlignRight, size);

    const qreal nameLeft = area.left() + iconWidth + spacing;
    const qreal nameWidth = std::max(0.0, area.right() - nameLeft - sizeWidth - spacing);
    painter.setPen(Theme::color(Theme::text));
    drawLine(painter, QRectF(nameLeft, area.top(), nameWidth, area.height()), Qt::AlignLeft,
             metrics.elidedText(shownName(node_.name), Qt::ElideMiddle, nameWidth));
    paintFocusRing(painter, QRectF(rect()), 6, *this);
}

StorageRow::StorageRow(Actions actions, QWidget* parent)
    : QWidget(parent)
    , actions_(std::move(actions))
    , main_(new StorageRowButton(this))
    , sort_(new PlainButton(localized("Trier"), Theme::orange, this))
    , reveal_(new PlainButton(QStringLiteral("arrow.up.right.square"),
                              Symbol::sideBeside(rowPixelSize), Theme::muted, this))
{
    main_->setObjectName("rowButton");
    sort_->setObjectName("sortButton");
    reveal_->setObjectName("revealButton");
    sort_->setFont(DesignFont::system(rowPixelSize));
    setSymbolButtonText(*reveal_, QString::fromStdString(Localization::text(
                                      "Afficher dans le gestionnaire de fichiers")));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 1);
    layout->setSpacing(spacing);
    layout->addWidget(main_, 1);
    layout->addWidget(sort_);
    layout->addWidget(reveal_);
    connect(main_, &QAbstractButton::clicked, this, [this] { actions_.activate(node()); });
    connect(sort_, &QAbstractButton::clicked, this, [this] { actions_.sort(node()); });
    connect(reveal_, &QAbstractButton::clicked, this, [this] { actions_.reveal(node()); });
}

void StorageRow::setNode(const StorageNode& node, bool busy)
{
    main_->setNode(node);
    sort_->setVisible(node.directory);
    sort_->setEnabled(!busy);
}

void StorageRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(QRectF(0, height() - 1, width(), 1), Theme::color(Theme::line));
}

} // namespace tollenvane
