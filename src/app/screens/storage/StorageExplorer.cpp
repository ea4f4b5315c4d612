#include "app/screens/storage/StorageExplorer.h"

#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/EmptyState.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/ShownName.h"
#include "app/design/Spinner.h"
#include "app/design/SpokenName.h"
#include "app/design/SpokenNotice.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/design/TextBlock.h"
#include "app/kit/FileRevealer.h"
#include "app/kit/FocusHandOff.h"
#include "app/kit/PageText.h"
#include "app/kit/SymbolButtonText.h"
#include "app/kit/VirtualList.h"
#include "app/screens/storage/ExplorerRules.h"
#include "app/screens/storage/StorageRow.h"
#include "app/screens/storage/TreemapView.h"
#include "core/base/Path.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace tollenvane {
namespace {

constexpr int breadcrumbPixelSize = 11;

} // namespace

StorageExplorer::StorageExplorer(AppModel& model, FileRevealer& revealer, int visibleLimit,
                                 QWidget* parent)
    : Panel(parent)
    , model_(model)
    , revealer_(revealer)
    , visibleLimit_(visibleLimit)
    , refresh_(*this, [this] { refresh(); })
    , heardFolder_(model.storagePath())
{
    setObjectName("storageExplorer");
    QVBoxLayout& column = *contentLayout();
    column.setSpacing(18);

    // Header.
    auto* header = new QHBoxLayout;
    auto* titles = new QVBoxLayout;
    titles->setSpacing(6);
    titles->addWidget(
        wrappedText(localized("Carte de vos dossiers"), {18, QFont::DemiBold, std::nullopt}, this));
    titles->addWidget(wrappedText(
        localized("Cliquez sur un dossier pour l’explorer, ou sur un fichier pour l’aperçu."),
        {11, QFont::Normal, Theme::muted}, this));
    header->addLayout(titles, 1);
    spinner_ = new Spinner(Spinner::Size::small, Theme::muted, this);
    spinner_->setObjectName("scanSpinner");
    header->addWidget(spinner_, 0, Qt::AlignVCenter);
    column.addLayout(header);

    // Breadcrumb.
    auto* breadcrumb = new QHBoxLayout;
    breadcrumb->setSpacing(8);
    auto* top = new PlainButton(localized("Toutes les sources"), Theme::orange, this);
    top->setObjectName("allSourcesButton");
    top->setFont(DesignFont::system(breadcrumbPixelSize));
    connect(top, &QAbstractButton::clicked, this, [this] { showTop(); });
    chevron_ = new SymbolView(QStringLiteral("chevron.right"), 8, Theme::muted, this);
    folderName_ =
        lineText({}, {breadcrumbPixelSize, QFont::Normal, Theme::muted}, ElisionSide::middle, this);
    folderName_->setObjectName("folderName");
    const int side = Symbol::sideBeside(breadcrumbPixelSize);
    up_ = new PlainButton(QStringLiteral("arrow.up"), side, Theme::muted, this);
    up_->setObjectName("parentButton");
    setSymbolButtonText(*up_, localized("Dossier parent"));
    connect(up_, &QAbstractButton::clicked, this, [this] { goBack(); });
    revealFolder_ = new PlainButton(QStringLiteral("folder"), side, Theme::muted, this);
    revealFolder_->setObjectName("revealFolderButton");
    setSymbolButtonText(*revealFolder_, localized("Afficher dans le gestionnaire de fichiers"));
    connect(revealFolder_, &QAbstractButton::clicked, this, [this] {
        if (model_.storagePath()) {
            revealer_.reveal(*model_.storagePath());
        }
    });
    breadcrumb->addWidget(top);
    breadcrumb->addWidget(chevron_);
    breadcrumb->addWidget(folderName_, 1);
    breadcrumb->addStretch();
    breadcrumb->addWidget(up_);
    breadcrumb->addWidget(revealFolder_);
    column.addLayout(breadcrumb);

    // Content.
    empty_ = new EmptyState(QStringLiteral("square.grid.3x3"), {},
                            localized("Seuls les fichiers détectés dans vos sources autorisées "
                                      "apparaissent ici."),
                            this);
    empty_->setObjectName("emptyMap");
    column.addWidget(empty_);
    map_ = new TreemapView([this](const StorageNode& node) { activate(node); }, this);
    map_->setObjectName("treemap");
    setSpokenName(*map_, localized("Carte de vos dossiers"));
    column.addWidget(map_);
    busy_ = model_.busy();
    list_ = new VirtualList(
        {.make =
             [this] {
                 return new StorageRow(
                     {[this](const StorageNode& node) { activate(node); },
                      [this](const StorageNode& node) { sortFolder(node); },
                      [this](const StorageNode& node) { revealer_.reveal(node.id); }});
             },
         .present =
             [this](QWidget& row, std::size_t index) {
                 static_cast<StorageRow&>(row).setNode(model_.storageNodes()[index], busy_);
             },
         .key = [this](std::size_t index) { return model_.storageNodes()[index].id; },
         .name =
             [this](std::size_t index) {
                 return ExplorerRules::spokenNode(model_.storageNodes()[index]);
             }},
        this);
    list_->setObjectName("storageList");
    column.addWidget(list_);
    footer_ = new QWidget(this);
    auto* footerLayout = new QHBoxLayout(footer_);
    footerLayout->setContentsMargins(0, 0, 0, 0);
    more_ = new PlainButton(localized("Afficher plus d’éléments"), Theme::orange, footer_);
    more_->setObjectName("moreButton");
    less_ = new PlainButton(localized("Réduire la liste"), Theme::orange, footer_);
    less_->setObjectName("lessButton");
    for (PlainButton* button : {more_, less_}) {
        button->setFont(DesignFont::system(11));
        footerLayout->addWidget(button);
    }
    footerLayout->addStretch();
    connect(more_, &QAbstractButton::clicked, this, [this] {
        setVisibleLimit(ExplorerRules::moreLimit(visibleLimit_, model_.storageNodes().size()));
    });
    connect(less_, &QAbstractButton::clicked, this,
            [this] { setVisibleLimit(ExplorerRules::initialLimit); });
    column.addWidget(footer_);

    column.addWidget(wrappedText(
        localized(
            "Surfaces proportionnelles aux tailles logiques. Le système de fichiers peut partager "
            "des blocs entre clones et instantanés : ces tailles ne garantissent pas l’espace "
            "libérable."),
        {10, QFont::Normal, Theme::muted}, this));

    notice_ = new SpokenNotice(this);

    // The list reads the model's nodes: it follows them before anything can ask it for a row.
    connect(&model_, &AppModel::storageNodesChanged, this, [this] {
        list_->reset(shownCount());
        tellFolderShown();
    });
    list_->reset(shownCount());
    refresh_.follow(model_, {&AppModel::storageNodesChanged, &AppModel::storagePathChanged,
                             &AppModel::scanningChanged, &AppModel::busyChanged});
    refresh_.request();
    // The folder open last is read again, as it may have changed while another page showed.
    QTimer::singleShot(0, this, [this] { model_.openStorageFolder(model_.storagePath()); });
}

StorageExplorer::~StorageExplorer() = default;

void StorageExplorer::refresh()
{
    spinner_->setVisible(model_.scanning());
    refreshBreadcrumb();
    std::vector<StorageNode> tiles = ExplorerRules::tiles(model_.storageNodes());
    const bool empty = tiles.empty();
    empty_->findChild<TextBlock*>("title")->setText(
        model_.scanning() ? localized("La carte se dessine…")
                          : localized("Aucun fichier dans cette vue."));
    empty_->setVisible(empty);
    map_->setVisible(!empty);
    list_->setVisible(!empty);
    footer_->setVisible(!empty);
    map_->setTiles(std::move(tiles));
    refreshList();
}

void StorageExplorer::refreshBreadcrumb()
{
    const std::optional<std::string>& current = model_.storagePath();
    for (QWidget* part :
         std::initializer_list<QWidget*>{chevron_, folderName_, up_, revealFolder_}) {
        part->setVisible(current.has_value());
    }
    folderName_->setText(current ? shownName(std::string(path::lastComponent(*current)))
                                 : QString());
}

void StorageExplorer::refreshList()
{
    if (model_.busy() != busy_) {
        busy_ = model_.busy();
        list_->presentAgain();
    }
    const std::size_t count = model_.storageNodes().size();
    const bool more = ExplorerRules::showsMore(visibleLimit_, count);
    const bool less = ExplorerRules::showsLess(visibleLimit_);
    // A footer button that goes while it holds the focus hands it to the one in its place, so
    // that the focus, and the page with it, does not jump to whatever comes next.
    replaceShown({{*more_, more}, {*less_, less}});
}

std::size_t StorageExplorer::shownCount() const
{
    return std::min(model_.storageNodes().size(),
                    static_cast<std::size_t>(std::max(visibleLimit_, 0)));
}

void StorageExplorer::syncList()
{
    const std::size_t shown = shownCount();
    if (shown > list_->count()) {
        // Showing more adds rows under the others, which stay as they are.
        list_->append(shown - list_->count());
    } else if (shown < list_->count()) {
        list_->remove(shown, list_->count() - shown);
    }
}

void StorageExplorer::setVisibleLimit(int limit)
{
    visibleLimit_ = limit;
    syncList();
    refresh_.request();
}

void StorageExplorer::activate(const StorageNode& node)
{
    const ExplorerRules::Activation action =
        ExplorerRules::activate(node, visibleLimit_, model_.storageNodes().size());
    // The row that opens the folder goes with the listing it was in: the map of the folder takes
    // the focus, before the shorter list lets the row go, rather than leaving it to start again
    // from the sidebar.
    if (action.kind == ExplorerRules::Activation::Kind::openFolder &&
        list_->isAncestorOf(window()->focusWidget())) {
        map_->setFocus(Qt::OtherFocusReason);
    }
    setVisibleLimit(action.visibleLimit);
    switch (action.kind) {
    case ExplorerRules::Activation::Kind::widenList:
        break;
    case ExplorerRules::Activation::Kind::openFolder:
        model_.openStorageFolder(action.path);
        break;
    case ExplorerRules::Activation::Kind::inspectFile:
        model_.inspectFile(action.path);
        break;
    }
}

void StorageExplorer::goBack()
{
    if (!model_.storagePath()) {
        return;
    }
    const auto roots = ExplorerRules::roots(model_.state().sources, model_.statuses());
    model_.openStorageFolder(ExplorerRules::goBack(*model_.storagePath(), roots));
    setVisibleLimit(ExplorerRules::initialLimit);
}

void StorageExplorer::showTop()
{
    setVisibleLimit(ExplorerRules::initialLimit);
    model_.openStorageFolder(std::nullopt);
}

// Going into a folder or back out changes a map and a list that the keyboard may not be on: the
// folder now shown is heard wherever the focus is.
void StorageExplorer::tellFolderShown()
{
    if (model_.storagePath() == heardFolder_) {
        return;
    }
    heardFolder_ = model_.storagePath();
    notice_->say(folderDescription(model_.storagePath(), model_.storageNodes()));
}

void StorageExplorer::sortFolder(const StorageNode& node)
{
    SessionFilter filter;
    filter.largestFirst = true;
    filter.folderPath = node.id;
    model_.setup(filter);
}

} // namespace tollenvane
