#include "app/screens/dashboard/StorageOverview.h"

#include "app/design/ChoiceGroup.h"
#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/PrimaryButton.h"
#include "app/design/ShownName.h"
#include "app/design/SpokenFigures.h"
#include "app/design/SpokenName.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/PageText.h"
#include "app/kit/SymbolButtonText.h"
#include "app/screens/dashboard/DashboardRules.h"
#include "app/screens/tiles/StorageRing.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int padding = 26;
constexpr int ringSide = 144;

} // namespace

StorageOverview::StorageOverview(AppModel& model, QWidget* parent)
    : CardSurface({.fill = {Theme::panel},
                   .gradientEnd = TintedColor{Theme::orange, 0.07},
                   .stroke = TintedColor{Theme::line},
                   .cornerRadius = 22},
                  parent)
    , model_(model)
    , ring_(new StorageRing(0, 0))
    , volumeName_(lineText({}, {13, QFont::Medium, Theme::muted}))
    , free_(lineText({}, {27, QFont::DemiBold, {}}))
    , used_(lineText({}, {13, QFont::Normal, Theme::muted}))
    , purgeable_(wrappedText({}, {11, QFont::Normal, Theme::muted}))
    , facts_(new ChoiceGroup)
{
    setObjectName("storage-overview");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
    ring_->setFixedSize(ringSide, ringSide);
    free_->setFont(DesignFont::tracked(free_->font(), -0.6));
    volumeName_->setObjectName("volume-name");
    free_->setObjectName("free-space");
    used_->setObjectName("used-space");
    purgeable_->setObjectName("purgeable-space");

    // Its actions are heard under what the card shows of the volume.
    auto* facts = new QVBoxLayout(facts_);
    facts->setContentsMargins(0, 0, 0, 0);
    facts->setSpacing(12);
    facts->addWidget(volumeRow());
    facts->addWidget(free_);
    facts->addWidget(used_);
    facts->addWidget(purgeable_);
    facts->addWidget(actionRow());

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(padding, padding, padding, padding);
    row->setSpacing(26);
    row->addWidget(ring_, 0, Qt::AlignVCenter);
    row->addWidget(facts_, 1);
}

QWidget* StorageOverview::volumeRow()
{
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    // Both pictures stay in place; the refresh shows the one that applies.
    const int side = Symbol::sideBeside(13);
    volumeSymbols_[0] = new SymbolView("externaldrive.fill", side, Theme::muted);
    volumeSymbols_[1] = new SymbolView("laptopcomputer", side, Theme::muted);
    for (SymbolView* symbol : volumeSymbols_) {
        symbol->setObjectName("volume-symbol");
        layout->addWidget(symbol);
    }
    layout->addWidget(volumeName_, 1);
    return line;
}

QWidget* StorageOverview::actionRow()
{
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 3, 0, 0);
    layout->setSpacing(14);
    resume_ = new PrimaryButton(coreText(L("Reprendre le tri")), "arrow.right",
                                [this] { model_.setPage(Page::swipe); });
    resume_->setObjectName("resume-sorting");
    start_ = new PrimaryButton(coreText(L("Commencer à trier")), "arrow.right",
                               [this] { model_.setup(SessionFilter()); });
    start_->setObjectName("start-sorting");
    choose_ = new PrimaryButton(coreText(L("Choisir mes dossiers")), "folder.badge.plus",
                                [this] { model_.chooseFolders(false); });
    choose_->setObjectName("choose-folders");
    auto* disks =
        new PlainButton("externaldrive.badge.plus", Symbol::sideBeside(19), Theme::orange);
    disks->setObjectName("open-disks");
    setSymbolButtonText(*disks, coreText(L("Vos disques")));
    connect(disks, &QAbstractButton::clicked, this, [this] { model_.navigate(Page::space); });
    for (QWidget* button : {static_cast<QWidget*>(resume_), static_cast<QWidget*>(start_),
                            static_cast<QWidget*>(choose_), static_cast<QWidget*>(disks)}) {
        layout->addWidget(button, 0, Qt::AlignVCenter);
    }
    layout->addStretch(1);
    return line;
}

PrimaryAction StorageOverview::currentAction() const
{
    return primaryAction(model_.sessionActive(), !model_.state().sources.empty());
}

QWidget* StorageOverview::primaryButton() const
{
    switch (currentAction()) {
    case PrimaryAction::resumeSorting:
        return resume_;
    case PrimaryAction::startSorting:
        return start_;
    case PrimaryAction::chooseFolders:
        return choose_;
    }
    return start_;
}

void StorageOverview::refresh(bool startEnabled)
{
    const std::int64_t total = model_.diskTotal();
    const std::int64_t free = model_.diskFree();
    ring_->setFigures(total, free);

    const std::optional<StorageVolume> volume = model_.selectedVolume();
    const VolumeLine line = volumeLine(volume);
    volumeSymbols_[0]->setVisible(line.symbol == volumeSymbols_[0]->symbol());
    volumeSymbols_[1]->setVisible(line.symbol == volumeSymbols_[1]->symbol());
    volumeName_->setText(line.name ? shownName(*line.name) : coreText(L("Votre ordinateur")));

    free_->setText(coreText(L("{0} libres maintenant", formattedBytes(free))));
    used_->setText(coreText(
        L("{0} utilisés sur {1}", formattedBytes(usedSpace(total, free)), formattedBytes(total))));
    const std::optional<std::int64_t> purgeable = purgeableSpace(volume);
    purgeable_->setVisible(purgeable.has_value());
    if (purgeable) {
        purgeable_->setText(coreText(L("Le système peut rendre {0} supplémentaires disponibles.",
                                       formattedBytes(*purgeable))));
    }

    setSpokenName(*facts_, spokenWithFigures(volumeName_->text(),
                                             {free_->text(), used_->text(),
                                              purgeable ? purgeable_->text() : QString()}));

    const PrimaryAction action = currentAction();
    resume_->setVisible(action == PrimaryAction::resumeSorting);
    start_->setVisible(action == PrimaryAction::startSorting);
    start_->setEnabled(startEnabled);
    choose_->setVisible(action == PrimaryAction::chooseFolders);
}

} // namespace tollenvane
