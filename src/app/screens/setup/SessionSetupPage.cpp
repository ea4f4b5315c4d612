#include "app/screens/setup/SessionSetupPage.h"

#include "app/design/AccessiblePicker.h"
#include "app/design/ChoiceGroup.h"
#include "app/design/DesignFont.h"
#include "app/design/Divider.h"
#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/design/Panel.h"
#include "app/design/Picker.h"
#include "app/design/PlainButton.h"
#include "app/design/PrimaryButton.h"
#include "app/design/ResultNotice.h"
#include "app/design/ShownName.h"
#include "app/design/Spinner.h"
#include "app/design/SpokenName.h"
#include "app/design/Switch.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/PageText.h"
#include "app/screens/setup/SetupRules.h"
#include "app/screens/setup/TypeGrid.h"
#include "app/screens/setup/TypeTile.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int pageSpacing = 26;
constexpr int pagePadding = 36;
constexpr int panelSpacing = 24;
constexpr int limitsSpacing = 24;
constexpr int limitsColumnSpacing = 10;
constexpr int startRowSpacing = 24;
constexpr int countsSpacing = 8;
constexpr int progressSpot = 18;
constexpr int legendSpacing = 22;

QComboBox* limitsPicker(std::span<const PickerEntry> entries, const char* name,
                        std::string_view accessibleKey)
{
    auto* picker = newPicker(localized(accessibleKey));
    picker->setObjectName(QString::fromLatin1(name));
    for (const PickerEntry& entry : entries) {
        picker->addItem(localized(entry.key), QVariant::fromValue<qlonglong>(entry.value));
    }
    return picker;
}

QHBoxLayout* row(QWidget* owner, int spacing)
{
    auto* layout = new QHBoxLayout(owner);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

QWidget* legendItem(const char* symbol, std::string_view key)
{
    auto* item = new QWidget;
    auto* layout = row(item, 5);
    const TextStyle style{.pixelSize = 11, .color = Theme::muted};
    layout->addWidget(
        new SymbolView(QString::fromLatin1(symbol), Symbol::sideBeside(11), Theme::muted));
    layout->addWidget(lineText(localized(key), style));
    return item;
}

void setChecked(Switch& control, bool checked)
{
    const QSignalBlocker quiet(&control);
    control.setChecked(checked);
}

void selectEntry(QComboBox& picker, std::optional<int> index)
{
    const QSignalBlocker quiet(&picker);
    picker.setCurrentIndex(index.value_or(-1));
}

} // namespace

SessionSetupPage::SessionSetupPage(AppModel& model, QWidget* parent)
    : ModelPage(model, Page::setup, pageSpacing, pagePadding, parent)
{
    auto* heading = new PageHeading(
        localized("Quelques minutes suffisent"), localized("Votre prochaine session."),
        localized("Choisissez ce que vous voulez examiner. Le tri se fait fichier "
                  "par fichier."));
    addBlock(heading);
    addBlock(makeFilterPanel());
    addBlock(makeStartRow());
    sessionNote_ = wrappedText(localized("Le bilan de la session précédente est enregistré. Ses "
                                         "annulations restent disponibles jusqu’au démarrage de la "
                                         "nouvelle session."),
                               {.pixelSize = 12, .color = Theme::muted});
    sessionNote_->setObjectName(QStringLiteral("sessionNote"));
    sessionNote_->hide();
    addBlock(sessionNote_);
    addBlock(makeLegend());
    estimateNotice_ = new ResultNotice(*this, QStringLiteral("estimateNotice"));

    follow({&AppModel::filterChanged, &AppModel::volumesChanged, &AppModel::matchingChanged,
            &AppModel::preparingSelectionChanged, &AppModel::scanningChanged,
            &AppModel::busyChanged, &AppModel::sessionActiveChanged});
}

template <class Edit>
void SessionSetupPage::editFilter(Edit&& edit, bool told)
{
    SessionFilter filter = model().filter();
    edit(filter);
    model().setFilter(std::move(filter));
    estimateAsked_ = estimateAsked_ || told;
}

QWidget* SessionSetupPage::makeFilterPanel()
{
    auto* panel = new tollenvane::Panel;
    panel->setObjectName(QStringLiteral("filterPanel"));
    QVBoxLayout& layout = *panel->contentLayout();
    layout.setSpacing(panelSpacing);

    layout.addWidget(makeVolumeRow());

    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("searchField"));
    search_->setPlaceholderText(localized("Rechercher un nom ou un emplacement"));
    search_->setAccessibleName(search_->placeholderText());
    connect(search_, &QLineEdit::textEdited, this, [this](const QString& text) {
        // Typing is not cut short at each key by the count it brings.
        editFilter([&](SessionFilter& filter) { filter.search = text.toStdString(); }, false);
    });
    layout.addWidget(search_);

    layout.addWidget(makeFolderRow());
    const QString typeTitle = localized("Type de fichiers");
    layout.addWidget(
        lineText(typeTitle, {.pixelSize = 14, .weight = QFont::DemiBold, .color = {}}));

    // The tiles are heard under the title drawn above them.
    auto* typeGroup = new ChoiceGroup;
    setSpokenName(*typeGroup, typeTitle);
    auto* typeLayout = new QVBoxLayout(typeGroup);
    typeLayout->setContentsMargins(0, 0, 0, 0);
    types_ = new TypeGrid;
    types_->setObjectName(QStringLiteral("typeGrid"));
    for (const FileFilter type : setupTileTypes()) {
        auto* tile = new TypeTile(type);
        tile->setObjectName(QStringLiteral("typeTile-") + QString::fromUtf8(rawValue(type)));
        connect(tile, &QAbstractButton::clicked, this, [this, type] {
            editFilter([type](SessionFilter& filter) { filter.type = type; });
        });
        types_->addTile(tile);
    }
    typeLayout->addWidget(types_);
    layout.addWidget(typeGroup);
    layout.addWidget(new Divider);
    layout.addWidget(makeLimitsRow());
    layout.addWidget(makeSwitches());
    return panel;
}

QWidget* SessionSetupPage::makeVolumeRow()
{
    auto* volumes = new QWidget;
    auto* layout = row(volumes, 8);
    auto* caption =
        lineText(localized("Disque"), {.pixelSize = 13, .weight = QFont::Normal, .color = {}});
    layout->addWidget(caption);
    volumePicker_ = newPicker(localized("Disque"));
    volumePicker_->setObjectName(QStringLiteral("volumePicker"));
    volumePicker_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    volumePicker_->addItem(localized("Toutes les sources"));
    connect(volumePicker_, &QComboBox::activated, this, [this](int index) {
        const QVariant device = volumePicker_->itemData(index);
        editFilter([&](SessionFilter& filter) {
            filter.volumeDevice =
                device.isValid() ? std::optional(device.value<qulonglong>()) : std::nullopt;
        });
    });
    layout->addWidget(volumePicker_);
    layout->addStretch(1);
    return volumes;
}

QWidget* SessionSetupPage::makeFolderRow()
{
    folderRow_ = new QWidget;
    folderRow_->setObjectName(QStringLiteral("folderRow"));
    auto* layout = row(folderRow_, 8);
    layout->addWidget(
        new SymbolView(QStringLiteral("folder"), Symbol::sideBeside(12), Theme::orange));
    folderName_ = lineText({}, {.pixelSize = 12, .color = Theme::orange}, ElisionSide::middle);
    folderName_->setObjectName(QStringLiteral("folderName"));
    layout->addWidget(folderName_, 1);
    auto* clear = new PlainButton(localized("Toutes les sources"), Theme::orange);
    clear->setObjectName(QStringLiteral("allFoldersButton"));
    clear->setFont(DesignFont::system(12));
    connect(clear, &QAbstractButton::clicked, this,
            [this] { editFilter([](SessionFilter& filter) { filter.folderPath.reset(); }); });
    layout->addWidget(clear);
    folderRow_->hide();
    return folderRow_;
}

QWidget* SessionSetupPage::makeLimitsRow()
{
    auto* limits = new QWidget;
    auto* layout = row(limits, limitsSpacing);
    const auto column = [&](std::string_view caption, QComboBox* picker) {
        auto* box = new QWidget;
        auto* stack = new QVBoxLayout(box);
        stack->setContentsMargins(0, 0, 0, 0);
        stack->setSpacing(limitsColumnSpacing);
        stack->addWidget(lineText(localized(caption), {.pixelSize = 12, .color = Theme::muted}));
        stack->addWidget(picker);
        layout->addWidget(box);
    };
    sizePicker_ = limitsPicker(minimumSizeEntries(), "sizePicker", "Taille");
    agePicker_ = limitsPicker(ageEntries(), "agePicker", "Ancienneté");
    connect(sizePicker_, &QComboBox::activated, this, [this](int index) {
        const qlonglong bytes = sizePicker_->itemData(index).toLongLong();
        editFilter([bytes](SessionFilter& filter) { filter.minimumSize = bytes; });
    });
    connect(agePicker_, &QComboBox::activated, this, [this](int index) {
        const qlonglong days = agePicker_->itemData(index).toLongLong();
        editFilter([days](SessionFilter& filter) { filter.olderThanDays = days; });
    });
    column("Taille minimale", sizePicker_);
    column("Dernière modification", agePicker_);
    layout->addStretch(1);
    return limits;
}

QWidget* SessionSetupPage::makeSwitches()
{
    auto* switches = new QWidget;
    auto* layout = new QVBoxLayout(switches);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(panelSpacing);
    const auto add = [&](std::string_view key, const char* name, bool SessionFilter::*field) {
        auto* control = new Switch(localized(key));
        control->setObjectName(QString::fromLatin1(name));
        control->setFont(DesignFont::system(12));
        connect(control, &QAbstractButton::clicked, this, [this, field](bool checked) {
            editFilter([&](SessionFilter& filter) { filter.*field = checked; });
        });
        layout->addWidget(control);
        return control;
    };
    includeReviewed_ = add("Inclure les fichiers déjà gardés", "includeReviewedSwitch",
                           &SessionFilter::includeReviewed);
    largestFirst_ =
        add("Les plus gros fichiers d’abord", "largestFirstSwitch", &SessionFilter::largestFirst);
    downloadsOnly_ = add("Limiter aux dossiers nommés Downloads", "downloadsOnlySwitch",
                         &SessionFilter::downloadsOnly);
    return switches;
}

QWidget* SessionSetupPage::makeStartRow()
{
    auto* start = new QWidget;
    start->setObjectName(QStringLiteral("startRow"));
    auto* layout = row(start, startRowSpacing);

    auto* spot = new QWidget;
    spot->setFixedSize(progressSpot, progressSpot);
    auto* spotLayout = new QVBoxLayout(spot);
    spotLayout->setContentsMargins(0, 0, 0, 0);
    progress_ = new Spinner(Spinner::Size::small);
    progress_->setObjectName(QStringLiteral("estimateProgress"));
    progress_->hide();
    spotLayout->addWidget(progress_, 0, Qt::AlignCenter);
    layout->addWidget(spot);

    auto* counts = new QWidget;
    auto* countsLayout = new QVBoxLayout(counts);
    countsLayout->setContentsMargins(0, 0, 0, 0);
    countsLayout->setSpacing(countsSpacing);
    count_ = lineText({}, {.pixelSize = 28, .weight = QFont::DemiBold, .color = {}});
    count_->setObjectName(QStringLiteral("matchingCount"));
    bytes_ = lineText({}, {.pixelSize = 13, .color = Theme::muted});
    bytes_->setObjectName(QStringLiteral("matchingBytes"));
    countsLayout->addWidget(count_);
    countsLayout->addWidget(bytes_);
    layout->addWidget(counts, 1);

    start_ = new PrimaryButton(localized("Commencer à trier"), QStringLiteral("rectangle.stack"),
                               [this] { model().startSession(); });
    start_->setObjectName(QStringLiteral("startButton"));
    layout->addWidget(start_);
    return start;
}

QWidget* SessionSetupPage::makeLegend()
{
    auto* legend = new QWidget;
    legend->setObjectName(QStringLiteral("gestureLegend"));
    auto* layout = row(legend, legendSpacing);
    layout->addWidget(legendItem("trash", "← Corbeille"));
    layout->addWidget(legendItem("checkmark", "→ Garder"));
    layout->addWidget(legendItem("folder", "↑ Ranger"));
    layout->addWidget(legendItem("clock", "↓ Plus tard"));
    layout->addStretch(1);
    return legend;
}

void SessionSetupPage::refresh()
{
    refreshVolumes();
    refreshFilterControls(model().filter());
    refreshEstimate();
    tellEstimate();
    sessionNote_->setVisible(model().sessionActive());
}

void SessionSetupPage::tellEstimate()
{
    const AppModel& shown = model();
    const QString figures =
        QString::fromStdString(estimateNotice(shown.matchingCount(), shown.matchingBytes()));
    if (!estimateAsked_) {
        estimateNotice_->know(figures);
    } else if (!shown.preparingSelection()) {
        estimateAsked_ = false;
        estimateNotice_->tellChange(figures);
    }
}

void SessionSetupPage::refreshVolumes()
{
    const std::vector<StorageVolume>& volumes = model().volumes();
    bool same = volumePicker_->count() == static_cast<int>(volumes.size()) + 1;
    for (std::size_t i = 0; same && i < volumes.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        same = volumePicker_->itemData(index).value<qulonglong>() == volumes[i].device &&
               volumePicker_->itemText(index) == shownName(volumes[i].name);
    }
    if (same) {
        return;
    }
    const QSignalBlocker quiet(volumePicker_);
    while (volumePicker_->count() > 1) {
        volumePicker_->removeItem(1);
    }
    for (const StorageVolume& volume : volumes) {
        addNameEntry(*volumePicker_, shownName(volume.name),
                     QVariant::fromValue<qulonglong>(volume.device));
    }
}

void SessionSetupPage::refreshFilterControls(const SessionFilter& filter)
{
    selectEntry(*volumePicker_, volumeEntryIndex(model().volumes(), filter.volumeDevice));
    // Equal text is left alone, so the cursor and the undo history of the field survive.
    const QString search = QString::fromStdString(filter.search);
    if (search_->text() != search) {
        const QSignalBlocker quiet(search_);
        search_->setText(search);
    }
    folderRow_->setVisible(filter.folderPath.has_value());
    folderName_->setText(filter.folderPath ? shownName(folderRowName(*filter.folderPath))
                                           : QString());
    for (TypeTile* tile : types_->tiles()) {
        tile->setSelected(tile->type() == filter.type);
    }
    selectEntry(*sizePicker_, entryIndex(minimumSizeEntries(), filter.minimumSize));
    selectEntry(*agePicker_, entryIndex(ageEntries(), filter.olderThanDays));
    setChecked(*includeReviewed_, filter.includeReviewed);
    setChecked(*largestFirst_, filter.largestFirst);
    setChecked(*downloadsOnly_, filter.downloadsOnly);
}

// The start button keeps the focus while the model works, the session it started being prepared
// among that work, until the session's first card takes it; it goes beside it only once nothing
// matches the filter.
QWidget* SessionSetupPage::focusHome(QWidget& gone)
{
    if (&gone == start_ && (model().busy() || model().preparingSelection())) {
        return nullptr;
    }
    return ModelPage::focusHome(gone);
}

void SessionSetupPage::refreshEstimate()
{
    const AppModel& shown = model();
    progress_->setVisible(showsEstimateProgress(shown.preparingSelection(), shown.busy()));
    count_->setText(QString::fromStdString(localizedFileCount(shown.matchingCount())));
    bytes_->setText(QString::fromStdString(estimateLine(shown.matchingBytes(), shown.scanning())));
    const QString title = QString::fromStdString(startTitle(shown.sessionActive()));
    start_->setText(title);
    setSpokenName(*start_, title);
    start_->setEnabled(
        canStartSession(shown.matchingCount(), shown.busy(), shown.preparingSelection()));
}

} // namespace tollenvane
