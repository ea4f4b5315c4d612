#include "app/screens/sources/SourcesPage.h"

#include "app/design/EmptyState.h"
#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SecondaryButton.h"
#include "app/design/SuggestedFolders.h"
#include "app/kit/LinkOpener.h"
#include "app/kit/PageText.h"
#include "app/screens/sources/SourcePanel.h"
#include "app/screens/sources/SourceRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace tollenvane {

namespace {

constexpr int pageSpacing = 26;
constexpr int pagePadding = 36;

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

    // The panels share the page's spacing through a block of their own, so that an empty list
    // adds no gap.
    auto* panels = new QWidget;
    panels->setObjectName(QStringLiteral("sourcePanels"));
    panels_ = new QVBoxLayout(panels);
    panels_->setContentsMargins(0, 0, 0, 0);
    panels_->setSpacing(pageSpacing);
    rows_ = std::make_unique<KeyedRows<std::string, SourcePanel>>(*panels_);
    addBlock(panels);

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

void SourcesPage::refresh()
{
    const AppModel& shown = model();
    const bool session = shown.sessionActive();
    const bool busy = shown.busy();
    add_->setEnabled(canChangeSources(session, busy));
    rescan_->setEnabled(canRescan(shown.scanning(), session, busy));
    sessionNotice_->setVisible(session);
    suggestions_->setEnabled(canChangeSources(session, busy));

    const SourceActions actions{
        .renew = [this](const std::string& id) { model().chooseFolders(false, id); },
        .open = [this](const std::string& id) { openSource(id); },
        .remove = [this](const std::string& id) { removeSource(id); },
    };
    const SourcePanel::Controls controls{.renew = canRenewSource(session),
                                         .remove = canChangeSources(session, busy)};
    const std::vector<FolderGrant>& sources = shown.state().sources;
    rows_->sync(
        sources, [](const FolderGrant& grant) { return grant.id; },
        [&](const FolderGrant& grant) {
            auto* panel = new SourcePanel(grant.id, actions);
            return panel;
        },
        [&](SourcePanel& panel, const FolderGrant& grant) {
            panel.present(grant.name, sourceRow(statusOf(shown, grant.id), shown.insights()),
                          controls);
        });
    panels_->parentWidget()->setVisible(!sources.empty());
    empty_->setVisible(sources.empty());
}

} // namespace tollenvane
