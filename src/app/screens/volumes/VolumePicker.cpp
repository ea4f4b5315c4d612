#include "app/screens/volumes/VolumePicker.h"

#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/Spinner.h"
#include "app/design/Symbol.h"
#include "app/design/TextBlock.h"
#include "app/kit/PageText.h"
#include "app/kit/SymbolButtonText.h"
#include "app/screens/volumes/VolumeRow.h"
#include "app/screens/volumes/VolumeRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

VolumePicker::VolumePicker(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , refresh_(*this, [this] { refresh(); })
{
    setObjectName("volumePicker");
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(20);

    auto* header = new QHBoxLayout;
    header->addWidget(lineText(localized("Vos disques"), {15, QFont::DemiBold, std::nullopt}));
    header->addStretch();
    // The listing runs off the main thread; the spinner says the rows may still change.
    refreshing_ = new Spinner(Spinner::Size::small, Theme::muted, this);
    refreshing_->setObjectName("refreshingVolumes");
    header->addWidget(refreshing_);
    refreshButton_ = new PlainButton(QStringLiteral("arrow.clockwise"), Symbol::sideBeside(15),
                                     Theme::text, this);
    refreshButton_->setObjectName("refreshVolumes");
    setSymbolButtonText(*refreshButton_, localized("Actualiser les disques"));
    connect(refreshButton_, &QAbstractButton::clicked, this, [this] { model_.updateDisk(true); });
    header->addWidget(refreshButton_);
    column->addLayout(header);

    rows_ = std::make_unique<KeyedRows<std::uint64_t, VolumeRow>>(*column, 1);

    hint_ =
        wrappedText(localized("Branchez un SSD ou un disque externe, puis actualisez cette liste."),
                    {11, QFont::Normal, Theme::muted}, this);
    hint_->setObjectName("externalHint");
    column->addWidget(hint_);

    refresh_.follow(model_, {&AppModel::volumesChanged, &AppModel::selectedVolumeIDChanged,
                             &AppModel::sessionActiveChanged, &AppModel::busyChanged,
                             &AppModel::refreshingVolumesChanged});
    refresh_.request();
}

VolumePicker::~VolumePicker() = default;

void VolumePicker::refresh()
{
    const std::optional<std::uint64_t> selected = model_.selectedVolumeID();
    const bool sessionActive = model_.sessionActive();
    const bool busy = model_.busy();
    rows_->sync(
        model_.volumes(), [](const StorageVolume& volume) { return volume.device; },
        [this](const StorageVolume&) {
            return new VolumeRow(
                {[this](const StorageVolume& volume) {
                     model_.setSelectedVolumeID(volume.device);
                     model_.applySelectedVolume();
                 },
                 [this](const StorageVolume& volume) { model_.chooseVolume(volume); }},
                this);
        },
        [&](VolumeRow& row, const StorageVolume& volume) {
            row.setVolume(volume, VolumeRules::isSelected(volume, selected),
                          VolumeRules::canChooseFolders(volume, sessionActive, busy));
        });
    refreshing_->setVisible(model_.refreshingVolumes());
    hint_->setVisible(VolumeRules::showsExternalHint(model_.volumes()));
}

} // namespace tollenvane
