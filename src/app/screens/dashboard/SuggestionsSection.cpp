#include "app/screens/dashboard/SuggestionsSection.h"

#include "app/design/ElidedLabel.h"
#include "app/design/FileCategoryIcon.h"
#include "app/design/LocalizedText.h"
#include "app/kit/PageText.h"
#include "app/screens/dashboard/DashboardRules.h"
#include "app/screens/tiles/CardSurface.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

SuggestionsSection::SuggestionsSection(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , tiles_(new QWidget)
    , tileRow_(new QHBoxLayout(tiles_))
{
    setObjectName("suggestions");
    tiles_->setObjectName("suggestion-tiles");
    tileRow_->setContentsMargins(0, 0, 0, 0);
    tileRow_->setSpacing(12);
    rows_ = std::make_unique<KeyedRows<SpacePreset, RecommendationTile>>(*tileRow_);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addWidget(header());
    column->addWidget(emptyCard());
    column->addWidget(tiles_);
}

QWidget* SuggestionsSection::header()
{
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(lineText(coreText(L("À regarder en priorité")), {18, QFont::DemiBold, {}}));
    layout->addStretch(1);
    scanning_ = lineText(coreText(L("Analyse en cours…")), {11, QFont::Normal, Theme::muted});
    scanning_->setObjectName("suggestions-scanning");
    layout->addWidget(scanning_);
    return line;
}

QWidget* SuggestionsSection::emptyCard()
{
    empty_ = new CardSurface({.fill = {Theme::panel},
                              .gradientEnd = std::nullopt,
                              .stroke = std::nullopt,
                              .cornerRadius = 16});
    empty_->setObjectName("suggestions-empty");
    auto* row = new QHBoxLayout(empty_);
    row->setContentsMargins(20, 20, 20, 20);
    row->setSpacing(16);
    row->addWidget(new FileCategoryIcon(FileFilter::all, 46));
    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    emptyTitle_ = lineText({}, {13, QFont::Medium, {}});
    emptyTitle_->setObjectName("suggestions-empty-title");
    texts->addWidget(emptyTitle_);
    texts->addWidget(wrappedText(
        coreText(
            L("Captures nombreuses, gros fichiers et téléchargements anciens apparaîtront ici.")),
        {11, QFont::Normal, Theme::muted}));
    row->addLayout(texts, 1);
    return empty_;
}

void SuggestionsSection::refresh(bool tilesEnabled)
{
    scanning_->setVisible(model_.scanning());

    const FileInsights& insights = model_.insights();
    std::vector<SpacePreset> presets = recommendations(insights);
    if (presets.size() > shownCount) {
        presets.resize(shownCount);
    }
    empty_->setVisible(presets.empty());
    tiles_->setVisible(!presets.empty());
    emptyTitle_->setText(coreText(model_.state().sources.empty()
                                      ? L("Ajoutez vos dossiers pour découvrir les suggestions.")
                                      : L("Choisissez une catégorie pour commencer.")));

    rows_->sync(
        presets, [](SpacePreset preset) { return preset; },
        [this, &insights](SpacePreset preset) {
            return new RecommendationTile(preset, insights.tally(preset),
                                          [this, preset] { model_.setup(filter(preset)); });
        },
        [&](RecommendationTile& tile, SpacePreset preset) {
            tile.setTally(insights.tally(preset));
            tile.setEnabled(tilesEnabled);
        });
    // Tiles of different heights line up at their tops.
    for (int index = 0; index < tileRow_->count(); ++index) {
        tileRow_->setAlignment(tileRow_->itemAt(index)->widget(), Qt::AlignTop);
    }
}

} // namespace tollenvane
