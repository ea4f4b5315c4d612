#include "app/screens/space/SpacePage.h"

#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/kit/PageText.h"
#include "app/screens/creator/CreatorGuidance.h"
#include "app/screens/space/DuplicatesCard.h"
#include "app/screens/space/SpaceRules.h"
#include "app/screens/storage/ExplorerRules.h"
#include "app/screens/storage/StorageExplorer.h"
#include "app/screens/tiles/RecommendationTile.h"
#include "app/screens/volumes/VolumePicker.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QGridLayout>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

constexpr int columns = 2;
constexpr int rowSpacing = 14;

} // namespace

SpacePage::SpacePage(const PageServices& services, QWidget* parent)
    : ModelPage(services.model, Page::space, 24, 32, parent)
{
    addBlock(new PageHeading(
        localized("Chaque Go compte"), localized("Faites de la place."),
        localized("Ciblez les fichiers volumineux. Vous gardez toujours le dernier mot.")));
    addBlock(new VolumePicker(model()));
    addBlock(new StorageExplorer(model(), services.revealer, ExplorerRules::initialLimit));

    auto* grid = new QWidget;
    grid->setObjectName("presetGrid");
    auto* cells = new QGridLayout(grid);
    cells->setContentsMargins(0, 0, 0, 0);
    cells->setVerticalSpacing(rowSpacing);
    for (int column = 0; column < columns; ++column) {
        cells->setColumnStretch(column, 1);
        cells->setColumnMinimumWidth(column, 10);
    }
    int cell = 0;
    for (const SpacePreset preset : allSpacePresets) {
        auto* tile = new RecommendationTile(
            preset, {},
            [this, preset] {
                model().setup(SpaceRules::presetFilter(preset, model().selectedVolumeID()));
            },
            grid);
        tile->setObjectName(
            QStringLiteral("preset-") +
            QString::fromUtf8(rawValue(preset).data(), static_cast<int>(rawValue(preset).size())));
        presets_[preset] = tile;
        cells->addWidget(tile, cell / columns, cell % columns);
        ++cell;
    }
    duplicates_ = new DuplicatesCard(grid);
    duplicates_->setObjectName("duplicatesCard");
    connect(duplicates_, &QAbstractButton::clicked, this, [this] { model().findDuplicates(); });
    cells->addWidget(duplicates_, cell / columns, cell % columns);
    addBlock(grid);

    addBlock(new CreatorGuidance(model(), services.links));
    addBlock(wrappedText(localized("Choisissez le disque à trier, puis autorisez ses dossiers. La "
                                   "Corbeille ne libère de l’espace qu’une fois vidée depuis le "
                                   "gestionnaire de fichiers."),
                         {11, QFont::Normal, Theme::muted}));

    follow({&AppModel::insightsChanged, &AppModel::selectedVolumeIDChanged, &AppModel::busyChanged,
            &AppModel::scanningChanged, &AppModel::findingDuplicatesChanged,
            &AppModel::indexedCountChanged, &AppModel::sessionActiveChanged});
}

void SpacePage::refresh()
{
    const FileInsights& insights = model().insights();
    const std::optional<std::uint64_t> volume = model().selectedVolumeID();
    for (const auto& [preset, tile] : presets_) {
        tile->setTally(insights.tally(preset, volume));
        tile->setEnabled(!model().busy());
    }
    duplicates_->setWaitingForScan(model().scanning());
    duplicates_->setEnabled(
        SpaceRules::canFindDuplicates(model().scanning(), model().findingDuplicates(),
                                      model().indexedCount(), model().sessionActive()));
}

} // namespace tollenvane
