#include "app/screens/appdata/LeftoverDataView.h"

#include "app/design/DesignFont.h"
#include "app/design/DisclosureButton.h"
#include "app/design/ResultNotice.h"
#include "app/design/SecondaryButton.h"
#include "app/design/ShownName.h"
#include "app/design/Spinner.h"
#include "app/kit/FocusHandOff.h"
#include "app/kit/PageText.h"
#include "app/kit/VirtualList.h"
#include "app/screens/appdata/AppDataControls.h"
#include "app/screens/appdata/AppDataRow.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

QString looked(std::string_view key)
{
    return QString::fromStdString(L(key));
}

QVBoxLayout* stack(QWidget* owner, int spacing)
{
    auto* layout = new QVBoxLayout(owner);
    layout->setSpacing(spacing);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

constexpr int contentSpacing = 14;

} // namespace

LeftoverDataView::LeftoverDataView(AppModel& model, FileRevealer& revealer, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , revealer_(revealer)
    , disclosure_(new DisclosureButton(looked("Données des applications retirées"),
                                       QStringLiteral("tray.full")))
    , content_(new QWidget)
    , noRemoved_(wrappedText(looked("Aucune application retirée par Tollenvane à vérifier pour le "
                                    "moment."),
                             {.pixelSize = 11, .color = Theme::muted}))
    , searchLine_(new QWidget)
    , search_(new SecondaryButton(looked("Rechercher les données associées"),
                                  QStringLiteral("magnifyingglass"),
                                  [this] { model_.inspectAppData(); }))
    , spinner_(new Spinner(Spinner::Size::small))
    , stop_(new QPushButton(looked("Arrêter")))
    , entries_(makeEntries())
    , issues_(new QWidget)
    , issueLayout_(stack(issues_, contentSpacing))
    , issueRows_(*issueLayout_)
    , notice_(new ResultNotice(*this, QStringLiteral("inspectorNotice")))
    , refresh_(*this, [this] { refresh(); })
{
    setObjectName(QStringLiteral("appDataInspector"));
    disclosure_->setObjectName(QStringLiteral("disclosure"));
    content_->setObjectName(QStringLiteral("inspectorContent"));
    noRemoved_->setObjectName(QStringLiteral("noRemovedApplications"));
    search_->setObjectName(QStringLiteral("searchAppData"));
    spinner_->setObjectName(QStringLiteral("appDataSpinner"));
    stop_->setObjectName(QStringLiteral("stopAppData"));
    entries_->setObjectName(QStringLiteral("appDataEntries"));
    issues_->setObjectName(QStringLiteral("appDataIssues"));

    stop_->setFont(DesignFont::system(11));
    stop_->setAutoDefault(false);
    connect(stop_, &QPushButton::clicked, this, [this] {
        stopped_ = true;
        model_.stopAppDataInspection();
    });

    auto* line = new QHBoxLayout(searchLine_);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(search_);
    line->addWidget(spinner_);
    line->addWidget(stop_);
    line->addStretch(1);

    QVBoxLayout* column = stack(content_, contentSpacing);
    column->setContentsMargins(0, 15, 0, 0);
    column->addWidget(wrappedText(
        looked("Après le retrait d’une application par Tollenvane, retrouvez les caches, "
               "préférences, journaux et données portant exactement son identifiant. Aucune "
               "association n’est déduite du seul nom."),
        {.pixelSize = 11, .color = Theme::muted}));
    column->addWidget(noRemoved_);
    column->addWidget(searchLine_);
    column->addWidget(entries_);
    column->addWidget(issues_);
    column->addWidget(wrappedText(
        looked("Inspection uniquement. Les données de support et les préférences peuvent être "
               "personnelles : aucun nettoyage n’est effectué ici. Vous décidez dans le "
               "gestionnaire de fichiers."),
        {.pixelSize = 10, .color = Theme::muted}));

    QVBoxLayout* outer = stack(this, 0);
    outer->addWidget(disclosure_, 0, Qt::AlignLeft);
    outer->addWidget(content_);
    outer->addStretch(1);
    content_->setVisible(false);
    connect(disclosure_, &QAbstractButton::toggled, content_, &QWidget::setVisible);
    // Screen readers hear no change of a button's expanded state.
    connect(disclosure_, &QAbstractButton::toggled, this,
            [this](bool open) { notice_->tell(disclosureNotice(open)); });
    connect(&model_, &AppModel::scanningAppDataChanged, this, [this] {
        // A search that failed is told by the model's alert, and found nothing new.
        if (!model_.scanningAppData() && !stopped_ && !model_.alert()) {
            notice_->tell(inspectionEndNotice(model_.appData()));
        }
        stopped_ = false;
    });

    // The list reads the model's report: it follows it before anything can ask it for a row.
    // A report is replaced whole; the rows on the same item stay as they are.
    connect(&model_, &AppModel::appDataChanged, this,
            [this] { entries_->reset(model_.appData().entries.size()); });
    entries_->reset(model_.appData().entries.size());
    refresh_.follow(model_,
                    {&AppModel::stateChanged, &AppModel::appDataChanged,
                     &AppModel::scanningAppDataChanged, &AppModel::scanningApplicationsChanged,
                     &AppModel::sessionActiveChanged, &AppModel::busyChanged});
    refresh();
}

VirtualList* LeftoverDataView::makeEntries()
{
    const auto entryAt = [this](std::size_t index) -> const AppDataEntry* {
        const std::vector<AppDataEntry>& entries = model_.appData().entries;
        return index < entries.size() ? &entries[index] : nullptr;
    };
    auto* list = new VirtualList({
        .make = [this] { return new AppDataRow(revealer_); },
        .present =
            [entryAt](QWidget& row, std::size_t index) {
                if (const AppDataEntry* entry = entryAt(index)) {
                    static_cast<AppDataRow&>(row).setEntry(*entry);
                }
            },
        .key =
            [entryAt](std::size_t index) {
                const AppDataEntry* entry = entryAt(index);
                return entry != nullptr ? entry->path : std::string();
            },
        .name =
            [entryAt](std::size_t index) {
                const AppDataEntry* entry = entryAt(index);
                return entry != nullptr ? appDataTitle(*entry) : QString();
            },
    });
    list->setSpacing(contentSpacing);
    return list;
}

void LeftoverDataView::refresh()
{
    const AppDataControls controls =
        appDataControls({.removedApplications = model_.state().removedApplications.size(),
                         .scanningAppData = model_.scanningAppData(),
                         .scanningApplications = model_.scanningApplications(),
                         .sessionActive = model_.sessionActive(),
                         .busy = model_.busy()});
    noRemoved_->setVisible(!controls.searchShown);
    searchLine_->setVisible(controls.searchShown);
    // The search and "Arrêter" take each other's place, and the focus with it.
    replaceShown({{*stop_, controls.stopShown}, {*search_, true, controls.searchEnabled}});
    spinner_->setVisible(controls.stopShown);

    const AppDataReport& report = model_.appData();
    entries_->setVisible(!report.entries.empty());
    issueRows_.sync(
        report.issues, [](const std::string& issue) { return issue; },
        [](const std::string& issue) {
            auto* text = wrappedText(shownProblem(issue), {.pixelSize = 10, .color = Theme::muted});
            text->setObjectName(QStringLiteral("issue"));
            return text;
        },
        [](TextBlock&, const std::string&) {});
    issues_->setVisible(!report.issues.empty());
}

} // namespace tollenvane
