#include "app/screens/dashboard/CategorySection.h"

#include "app/design/LocalizedText.h"
#include "app/kit/PageText.h"
#include "app/screens/tiles/CategoryTile.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <array>

namespace tollenvane {

namespace {

// Applications are sorted from their own page, never from here.
constexpr std::array shownTypes{FileFilter::screenshots, FileFilter::images, FileFilter::videos,
                                FileFilter::pdf,         FileFilter::audio,  FileFilter::archives,
                                FileFilter::documents,   FileFilter::all};
constexpr int columns = 4;

} // namespace

CategorySection::CategorySection(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , detected_(lineText({}, {11, QFont::Normal, Theme::muted}))
{
    setObjectName("categories");
    detected_->setObjectName("detected-count");
    auto* header = new QHBoxLayout;
    header->addWidget(lineText(coreText(L("Que voulez-vous trier ?")), {18, QFont::DemiBold, {}}),
                      0, Qt::AlignVCenter);
    header->addStretch(1);
    header->addWidget(detected_, 0, Qt::AlignVCenter);

    auto* grid = new QGridLayout;
    grid->setSpacing(12);
    for (int column = 0; column < columns; ++column) {
        grid->setColumnStretch(column, 1);
    }
    for (std::size_t index = 0; index < shownTypes.size(); ++index) {
        const FileFilter type = shownTypes[index];
        auto* tile = new CategoryTile(type, {}, [this, type] {
            SessionFilter filter;
            filter.type = type;
            model_.setup(filter);
        });
        tiles_.push_back(tile);
        grid->addWidget(tile, static_cast<int>(index) / columns, static_cast<int>(index) % columns);
    }

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);
    column->addLayout(header);
    column->addLayout(grid);
}

void CategorySection::refresh(bool tilesEnabled)
{
    const std::int64_t detected = model_.indexedCount();
    detected_->setText(coreText(L(plural(detected, "{0} fichier détecté", "{0} fichiers détectés"),
                                  localizedCount(detected))));
    const FileInsights& insights = model_.insights();
    for (CategoryTile* tile : tiles_) {
        tile->setTally(insights.tally(tile->type()));
        tile->setEnabled(tilesEnabled);
    }
}

} // namespace tollenvane
