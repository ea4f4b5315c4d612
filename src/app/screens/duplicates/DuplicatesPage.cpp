#include "app/screens/duplicates/DuplicatesPage.h"

#include "app/design/EmptyState.h"
#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/design/Panel.h"
#include "app/design/SecondaryButton.h"
#include "app/design/Spinner.h"
#include "app/kit/PageText.h"
#include "app/screens/duplicates/DuplicateGroupBatch.h"
#include "app/screens/duplicates/DuplicatesRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <span>

namespace tollenvane {
namespace {

constexpr int spacing = 24;
constexpr int padding = 36;
// Enough panels to fill a window at once; the rest follow in slices.
constexpr std::size_t firstSlice = 4;
constexpr std::size_t largestSlice = 512;
// One slice and what it brings about (showing, laying out, painting) fit in this, well inside a
// frame.
constexpr qint64 sliceBudgetNs = 6'000'000;

template <class Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

DuplicatesPage::DuplicatesPage(AppModel& model, QWidget* parent)
    : ModelPage(model, Page::duplicates, spacing, padding, parent)
    , groupList_(named(new QWidget, "groupList"))
    , sliceSize_(firstSlice)
{
    addBlock(new PageHeading(
        localized("Même contenu, plusieurs copies"), localized("Les doublons, vérifiés."),
        localized(
            "Taille et SHA-256 identiques. Choisissez la copie de référence, puis examinez les "
            "autres une par une.")));

    progress_ = named(new tollenvane::Panel, "progressPanel");
    auto* progressRow = new QHBoxLayout;
    progressRow->setSpacing(16);
    auto* progressLines = new QVBoxLayout;
    progressLines->setSpacing(5);
    progressLines->addWidget(lineText(localized("Vérification du contenu…"), {}));
    progressText_ = named(lineText({}, {.pixelSize = 10, .color = Theme::muted}), "progressText");
    progressLines->addWidget(progressText_);
    progressRow->addWidget(new Spinner);
    progressRow->addLayout(progressLines, 1);
    progressRow->addWidget(
        named(new SecondaryButton(localized("Annuler l’action"), QStringLiteral("xmark"),
                                  [this] { this->model().cancelDuplicates(); }),
              "cancelButton"));
    progress_->contentLayout()->addLayout(progressRow);
    addBlock(progress_);

    empty_ = named(
        new EmptyState(QStringLiteral("checkmark.seal"), localized("Aucun doublon détecté."),
                       localized("Seuls les fichiers locaux, accessibles et inchangés peuvent "
                                 "être vérifiés. Les liens physiques sont exclus.")),
        "emptyState");
    addBlock(empty_);
    search_ = named(new SecondaryButton(localized("Rechercher à nouveau"),
                                        QStringLiteral("arrow.clockwise"),
                                        [this] { this->model().findDuplicates(); }),
                    "searchButton");
    addBlock(search_);
    column().setAlignment(search_, Qt::AlignLeft);

    // The panels stand in the page's column, spaced as the other blocks.
    groupList_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* list = new QVBoxLayout(groupList_);
    list->setContentsMargins(0, 0, 0, 0);
    list->setSpacing(spacing);
    list->setSizeConstraint(QLayout::SetMinimumSize);
    addBlock(groupList_);

    addBlock(
        named(wrappedText(localized("Aucune suppression automatique. Un fichier changé depuis la "
                                    "vérification sera bloqué avant toute opération."),
                          {.pixelSize = 11, .color = Theme::muted}),
              "footer"));

    // A timer rather than a posted call: the event loop goes round between slices, so input and
    // painting are served in between.
    slices_.setSingleShot(true);
    slices_.setInterval(0);
    connect(&slices_, &QTimer::timeout, this, [this] { buildSlice(); });
    connect(&model, &AppModel::duplicateGroupsChanged, this, [this] { groupsChanged_ = true; });
    follow({&AppModel::findingDuplicatesChanged, &AppModel::duplicateProgressChanged,
            &AppModel::duplicateGroupsChanged, &AppModel::scanningChanged,
            &AppModel::sessionActiveChanged});
}

bool DuplicatesPage::complete() const
{
    return shown_ == model().duplicateGroups().size();
}

void DuplicatesPage::refresh()
{
    const AppModel& model = this->model();
    const DuplicatesStatus status =
        duplicatesStatus(model.findingDuplicates(), model.duplicateGroups().empty());
    progress_->setVisible(status == DuplicatesStatus::searching);
    empty_->setVisible(status == DuplicatesStatus::empty);
    search_->setVisible(status == DuplicatesStatus::empty);
    search_->setEnabled(canSearchAgain(model.scanning(), model.sessionActive()));
    const QString progress = QString::fromStdString(model.duplicateProgress());
    if (progressText_->text() != progress) {
        progressText_->setText(progress);
    }

    const bool keepEnabled = canKeepCopy(model.sessionActive());
    const bool updateShown = groupsChanged_ || keepEnabled != keepEnabled_;
    groupsChanged_ = false;
    keepEnabled_ = keepEnabled;
    if (updateShown) {
        build(firstSlice, true);
    }
    groupList_->setVisible(!model.duplicateGroups().empty());
    scheduleSlice();
}

bool DuplicatesPage::hasPanel(std::size_t index, const DuplicateGroup& group) const
{
    const std::size_t batch = index / DuplicateGroupBatch::capacity;
    return batch < batches_.size() && batches_[batch]->holds(group.digest);
}

void DuplicatesPage::build(std::size_t allowance, bool updateShown)
{
    constexpr std::size_t capacity = DuplicateGroupBatch::capacity;
    const std::vector<DuplicateGroup>& groups = model().duplicateGroups();
    // Between two refreshes the groups before shown_ all have their panel.
    std::size_t length = updateShown ? 0 : std::min(shown_, groups.size());
    for (std::size_t fresh = 0; length < groups.size(); ++length) {
        if (!hasPanel(length, groups[length])) {
            if (fresh == allowance) {
                break;
            }
            ++fresh;
        }
    }
    const std::size_t needed = (length + capacity - 1) / capacity;
    while (batches_.size() > needed) {
        delete batches_.back();
        batches_.pop_back();
    }
    const DuplicateGroupPanel::Actions actions{
        .preview = [this](const std::string& path) { previewFile(path); },
        .keep = [this](const std::string& digest,
                       const std::string& path) { keepCopy(digest, path); }};
    auto& list = static_cast<QVBoxLayout&>(*groupList_->layout());
    // Only the batches that gain panels change, unless every panel is to be brought up to date.
    const std::size_t first = updateShown ? 0 : std::min(shown_, length) / capacity;
    for (std::size_t batch = first; batch < needed; ++batch) {
        if (batch == batches_.size()) {
            batches_.push_back(new DuplicateGroupBatch(spacing, actions, groupList_));
            list.addWidget(batches_.back());
        }
        const std::size_t begin = batch * capacity;
        batches_[batch]->setGroups(
            std::span(groups).subspan(begin, std::min(capacity, length - begin)), keepEnabled_,
            updateShown);
    }
    shown_ = length;
}

void DuplicatesPage::scheduleSlice()
{
    if (slices_.isActive()) {
        return;
    }
    if (complete()) {
        cycle_.invalidate();
        return;
    }
    slices_.start();
}

void DuplicatesPage::buildSlice()
{
    // The time since the last slice began holds what the event loop did for it; the next slice
    // grows or shrinks to fit the budget, at most doubling.
    if (cycle_.isValid()) {
        const qint64 took = std::max<qint64>(cycle_.nsecsElapsed(), 1);
        const double ratio = std::min(2.0, static_cast<double>(sliceBudgetNs) / took);
        sliceSize_ =
            std::clamp<std::size_t>(static_cast<std::size_t>(sliceSize_ * ratio), 1, largestSlice);
    }
    cycle_.start();
    // New groups wait for the refresh that is on its way.
    if (!groupsChanged_) {
        build(sliceSize_, false);
    }
    scheduleSlice();
}

void DuplicatesPage::previewFile(const std::string& path)
{
    model().inspectFile(path);
}

void DuplicatesPage::keepCopy(const std::string& digest, const std::string& path)
{
    // The model's group as it stands now, not the one the panel was built from.
    const std::vector<DuplicateGroup>& groups = model().duplicateGroups();
    const auto group = std::find_if(groups.begin(), groups.end(), [&](const DuplicateGroup& each) {
        return each.digest == digest;
    });
    if (group == groups.end()) {
        return;
    }
    const auto file = std::find_if(group->files.begin(), group->files.end(),
                                   [&](const FileRecord& each) { return each.path() == path; });
    if (file != group->files.end()) {
        model().sortCopies(*group, *file);
    }
}

} // namespace tollenvane
