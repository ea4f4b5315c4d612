#include "app/screens/duplicates/DuplicatesPage.h"

#include "app/design/EmptyState.h"
#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/design/Panel.h"
#include "app/design/SecondaryButton.h"
#include "app/design/Spinner.h"
#include "app/kit/PageText.h"
#include "app/kit/TabOrder.h"
#include "app/kit/VirtualList.h"
#include "app/screens/duplicates/DuplicateGroupPanel.h"
#include "app/screens/duplicates/DuplicatesRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace tollenvane {
namespace {

constexpr int spacing = 24;
constexpr int padding = 36;

template <class Widget>
Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

DuplicatesPage::DuplicatesPage(AppModel& model, QWidget* parent)
    : ModelPage(model, Page::duplicates, spacing, padding, parent)
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
    keepEnabled_ = canKeepCopy(model.sessionActive());
    const DuplicateGroupPanel::Actions actions{
        .preview = [this](const std::string& path) { previewFile(path); },
        .keep = [this](const std::string& digest,
                       const std::string& path) { keepCopy(digest, path); }};
    {
        const DuplicateGroupPanel measure(actions);
        panelHeight_ = measure.heightFor(0);
        copyHeight_ = measure.heightFor(1) - panelHeight_;
    }
    groupList_ =
        named(new VirtualList({.make = [actions] { return new DuplicateGroupPanel(actions); },
                               .present =
                                   [this](QWidget& panel, std::size_t index) {
                                       static_cast<DuplicateGroupPanel&>(panel).setGroup(
                                           this->model().duplicateGroups()[index], keepEnabled_);
                                   },
                               .key =
                                   [this](std::size_t index) {
                                       return this->model().duplicateGroups()[index].digest;
                                   }}),
              "groupList");
    groupList_->setSpacing(spacing);
    groupList_->setRowHeights([this](std::size_t index, int) {
        return panelHeight_ +
               static_cast<int>(this->model().duplicateGroups()[index].files.size()) * copyHeight_;
    });
    addBlock(groupList_);

    addBlock(
        named(wrappedText(localized("Aucune suppression automatique. Un fichier changé depuis la "
                                    "vérification sera bloqué avant toute opération."),
                          {.pixelSize = 11, .color = Theme::muted}),
              "footer"));

    // The list reads the model's groups: it follows them before anything can ask it for a row.
    connect(&model, &AppModel::duplicateGroupsChanged, this,
            [this] { groupList_->reset(this->model().duplicateGroups().size()); });
    groupList_->reset(model.duplicateGroups().size());
    follow({&AppModel::findingDuplicatesChanged, &AppModel::duplicateProgressChanged,
            &AppModel::duplicateGroupsChanged, &AppModel::scanningChanged,
            &AppModel::sessionActiveChanged});
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
    if (keepEnabled != keepEnabled_) {
        keepEnabled_ = keepEnabled;
        groupList_->presentAgain();
    }
    groupList_->setVisible(!model.duplicateGroups().empty());
    if (holdsKeyboard_ && status != DuplicatesStatus::searching) {
        holdsKeyboard_ = false;
        // Once the list has placed its rows.
        QTimer::singleShot(0, this, [this] {
            const QWidget* focus = QApplication::focusWidget();
            if (focus == nullptr || isAncestorOf(focus)) {
                takeKeyboard();
            }
        });
    }
}

bool DuplicatesPage::takeKeyboard()
{
    holdsKeyboard_ = model().findingDuplicates();
    if (holdsKeyboard_) {
        return true;
    }
    QWidget* first = start();
    if (first != nullptr && !first->hasFocus()) {
        first->setFocus(Qt::OtherFocusReason);
    }
    return first != nullptr;
}

QWidget* DuplicatesPage::start() const
{
    if (groupList_->isVisibleTo(this)) {
        return firstTabStop(*groupList_);
    }
    return search_->isVisibleTo(this) && search_->isEnabled() ? search_ : nullptr;
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
