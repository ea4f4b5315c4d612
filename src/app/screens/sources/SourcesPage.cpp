#include "app/screens/sources/SourcesPage.h"

#include "app/design/EmptyState.h"
#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/design/PrimaryButton.h"
#include "app/design/ResultNotice.h"
#include "app/design/SecondaryButton.h"
#include "app/design/ShownName.h"
#include "app/design/SuggestedFolders.h"
#include "app/kit/LinkOpener.h"
#include "app/kit/PageText.h"
#include "app/kit/VirtualList.h"
#include "app/screens/sources/SourceRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QTimer>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr int pageSpacing = 26;
constexpr int pagePadding = 36;
constexpr std::size_t sourcesPerTurn = 2'000;

std::optional<SourceStatus> statusOf(const AppModel& model, const std::string& grantID)
{
    const auto found = model.statuses().find(grantID);
    return found == model.statuses().end() ? std::nullopt : std::optional(found->second);
}

} // namespace

SourcesPage::SourcesPage(AppModel& model, LinkOpener& links, QWidget* parent)
    : ModelPage(model, Page::sources, pageSpacing, pagePadding, parent)
    , links_(links)
{
    auto* heading =
        new PageHeading(localized("Votre terrain de jeu"), localized("Choisissez vos sources."),
                        localized("Plusieurs dossiers, une seule expérience. Les sous-dossiers "
                                  "sont inclus ; les applications et dossiers sensibles sont "
                                  "exclus."));
    addBlock(heading);
    addBlock(makeButtonRow());

    sessionNotice_ =
        wrappedText(localized("Terminez la session en cours pour modifier les sources."),
                    {.pixelSize = 12, .color = Theme::orange});
    sessionNotice_->setObjectName(QStringLiteral("sessionNotice"));
    sessionNotice_->hide();
    addBlock(sessionNotice_);
    notice_ = new ResultNotice(*this, QStringLiteral("addedNotice"));

    const SourceActions actions{
        .renew = [this](const std::string& id) { this->model().chooseFolders(false, id); },
        .open = [this](const std::string& id) { openSource(id); },
        .remove = [this](const std::string& id) { removeSource(id); },
    };
    // A window of its own, never shown, that no search of the page's widgets finds.
    probe_ = std::make_unique<SourcePanel>(actions);
    heights_ = std::make_unique<SourceHeights>(*probe_);
    // The panels stand in the page's column, spaced as the other blocks.
    panels_ = new VirtualList(
        {.make = [actions] { return new SourcePanel(actions); },
         .present = [this](QWidget& panel,
                           std::size_t index) { present(static_cast<SourcePanel&>(panel), index); },
         .key = [this](std::size_t index) { return shown_[index].id; },
         .name = [this](std::size_t index) { return shownName(shown_[index].name); }});
    panels_->setObjectName(QStringLiteral("sourcePanels"));
    panels_->setSpacing(pageSpacing);
    panels_->setRowHeights(
        [this](std::size_t index, int width) { return heights_->heightOf(shown_[index], width); });
    addBlock(panels_);

    empty_ = new EmptyState(QStringLiteral("folder.badge.plus"), localized("Un premier dossier ?"),
                            localized("Commencez par vos téléchargements, vos images ou un dossier "
                                      "qui déborde."));
    empty_->setObjectName(QStringLiteral("emptySources"));
    empty_->hide();
    addBlock(empty_);

    suggestions_ = new SuggestedFolders(sourceChooser(model));
    suggestions_->setObjectName(QStringLiteral("suggestedFolders"));
    addBlock(suggestions_);

    auto* footer = wrappedText(localized("Les dossiers imbriqués sont analysés une seule fois. Le "
                                         "scan ignore les liens symboliques et ne télécharge aucun "
                                         "fichier stocké en ligne."),
                               {.pixelSize = 11, .color = Theme::muted});
    footer->setObjectName(QStringLiteral("footer"));
    addBlock(footer);

    follow({&AppModel::stateChanged, &AppModel::statusesChanged, &AppModel::insightsChanged,
            &AppModel::sessionActiveChanged, &AppModel::busyChanged, &AppModel::scanningChanged});
}

QWidget* SourcesPage::makeButtonRow()
{
    auto* buttons = new QWidget;
    auto* layout = new QHBoxLayout(buttons);
    layout->setContentsMargins(0, 0, 0, 0);
    add_ = new PrimaryButton(localized("Ajouter des dossiers"), QStringLiteral("folder.badge.plus"),
                             [this] { model().chooseFolders(false); });
    add_->setObjectName(QStringLiteral("addButton"));
    rescan_ = new SecondaryButton(localized("Actualiser"), QStringLiteral("arrow.clockwise"),
                                  [this] { model().scan(); });
    rescan_->setObjectName(QStringLiteral("rescanButton"));
    layout->addWidget(add_);
    layout->addWidget(rescan_);
    layout->addStretch(1);
    return buttons;
}

void SourcesPage::openSource(const std::string& grantID)
{
    // Read again at the click: the folder may have gone since the panel was drawn.
    const std::optional<SourceStatus> status = statusOf(model(), grantID);
    if (status && status->location) {
        links_.openFolder(*status->location);
    }
}

void SourcesPage::removeSource(const std::string& grantID)
{
    const std::vector<FolderGrant>& sources = model().state().sources;
    const auto found = std::find_if(sources.begin(), sources.end(),
                                    [&](const FolderGrant& grant) { return grant.id == grantID; });
    if (found != sources.end()) {
        model().removeSource(FolderGrant(*found));
    }
}

void SourcesPage::present(SourcePanel& panel, std::size_t index) const
{
    const ShownSource& source = shown_[index];
    SourceRow row = source.row;
    if (row.resolved) {
        row.fileCount = sourceFileCount(row.statusLine, model().insights());
    }
    panel.present(source.id, source.name, row, controls_);
}

void SourcesPage::syncSources(bool checkShown)
{
    const AppModel& shown = model();
    const std::vector<FolderGrant>& sources = shown.state().sources;
    // The status line alone decides a panel's height; the count is read as the panel shows.
    const auto lineOf = [&](const FolderGrant& grant) {
        const auto status = shown.statuses().find(grant.id);
        return sourceLine(status == shown.statuses().end() ? nullptr : &status->second);
    };
    const bool keeps = sources.size() >= shown_.size() &&
                       std::equal(shown_.begin(), shown_.end(), sources.begin(),
                                  [](const ShownSource& source, const FolderGrant& grant) {
                                      return grant.id == source.id;
                                  });
    // Grants come a batch per turn of the event loop, as they would from a scan: the first
    // panels show at once, whatever the number of sources. A list that changed otherwise than at
    // its end is shown again as long as it was, so that the page keeps its place.
    std::size_t batch = sourcesPerTurn;
    if (!keeps) {
        batch = std::max(batch, shown_.size());
        shown_.clear();
    }
    std::vector<std::size_t> changed;
    for (std::size_t index = 0; checkShown && index < shown_.size(); ++index) {
        ShownSource& source = shown_[index];
        SourceRow row = lineOf(sources[index]);
        if (row == source.row && sources[index].name == source.name) {
            continue;
        }
        source.row = std::move(row);
        source.name = sources[index].name;
        source.lineWidth = -1;
        changed.push_back(index);
    }
    const std::size_t before = shown_.size();
    const std::size_t end = std::min(sources.size(), before + batch);
    shown_.reserve(sources.size());
    for (std::size_t index = before; index < end; ++index) {
        const FolderGrant& grant = sources[index];
        shown_.push_back({.id = grant.id, .name = grant.name, .row = lineOf(grant)});
    }
    // Many changes at once, after the grants' resolution, are measured again in one pass.
    if (!keeps || changed.size() > 16) {
        panels_->reset(shown_.size());
    } else {
        for (const std::size_t index : changed) {
            panels_->itemChanged(index);
        }
        panels_->append(shown_.size() - before);
    }
    if (shown_.size() < sources.size() && !continuing_) {
        continuing_ = true;
        QTimer::singleShot(0, this, [this] {
            continuing_ = false;
            syncSources(false);
        });
    }
}

void SourcesPage::refresh()
{
    const AppModel& shown = model();
    const bool session = shown.sessionActive();
    const bool busy = shown.busy();
    add_->setEnabled(canChangeSources(session, busy));
    rescan_->setEnabled(canRescan(shown.scanning(), session, busy));
    sessionNotice_->setVisible(session);
    suggestions_->setEnabled(canChangeSources(session, busy));

    const SourcePanel::Controls controls{.renew = canRenewSource(session),
                                         .remove = canChangeSources(session, busy)};
    controls_ = controls;
    syncSources(true);
    if (const auto added = added_.since(shown.state().sources); !added.empty()) {
        notice_->tell(foldersAddedNotice(added));
    }
    // The counts and the controls' states: only what changed is drawn again.
    panels_->presentAgain();
    const std::vector<FolderGrant>& sources = shown.state().sources;
    panels_->setVisible(!sources.empty());
    empty_->setVisible(sources.empty());
}

} // namespace tollenvane
