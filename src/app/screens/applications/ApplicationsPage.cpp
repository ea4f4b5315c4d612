#include "app/screens/applications/ApplicationsPage.h"

#include "app/design/DesignFont.h"
#include "app/design/EmptyState.h"
#include "app/design/PageHeading.h"
#include "app/design/Panel.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SecondaryButton.h"
#include "app/design/ShownName.h"
#include "app/design/Spinner.h"
#include "app/kit/PageText.h"
#include "app/screens/appdata/LeftoverDataView.h"
#include "app/screens/applications/ApplicationControls.h"
#include "app/screens/applications/ApplicationRow.h"
#include "core/applications/ApplicationInventory.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

QString looked(std::string_view key)
{
    return QString::fromStdString(L(key));
}

QComboBox* picker(const std::vector<std::pair<int, const char*>>& options, int current)
{
    auto* box = new QComboBox;
    for (const auto& [tag, key] : options) {
        box->addItem(looked(key), tag);
    }
    box->setCurrentIndex(box->findData(current));
    return box;
}

// A picker with its title before it.
QWidget* titled(const QString& title, QComboBox* box)
{
    auto* holder = new QWidget;
    auto* line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(lineText(title, {.pixelSize = 13, .color = Theme::text}));
    line->addWidget(box);
    return holder;
}

} // namespace

ApplicationsPage::ApplicationsPage(const PageServices& services, QWidget* parent)
    : ModelPage(services.model, Page::applications, 24, 32, parent)
    , revealer_(services.revealer)
{
    addBlock(new PageHeading(looked("Un ordinateur plus léger"),
                             looked("Vos applications, au clair."),
                             looked("Versions, taille, emplacement et dernière utilisation connue. "
                                    "Les applications ouvertes et celles du système restent "
                                    "protégées.")));
    auto* panel = new tollenvane::Panel;
    panel->setObjectName(QStringLiteral("filters"));
    panel->contentLayout()->setSpacing(16);
    panel->contentLayout()->addWidget(makeFilters());
    panel->contentLayout()->addWidget(makeActions());
    panel->contentLayout()->addWidget(
        wrappedText(looked("Une date inconnue ne signifie pas qu’une application n’est jamais "
                           "utilisée."),
                    {.pixelSize = 11, .color = Theme::muted}));
    addBlock(panel);

    addBlock(new LeftoverDataView(services.model, services.revealer));

    empty_ = new EmptyState(QStringLiteral("app.dashed"), looked("Aucune application à afficher."),
                            looked("Actualisez la liste ou choisissez un autre filtre."));
    empty_->setObjectName(QStringLiteral("emptyState"));
    empty_->setVisible(false);
    addBlock(empty_);

    list_ = new QWidget;
    list_->setObjectName(QStringLiteral("applicationList"));
    listLayout_ = new QVBoxLayout(list_);
    listLayout_->setSpacing(10);
    listLayout_->setContentsMargins(0, 0, 0, 0);
    rows_ = std::make_unique<KeyedRows<std::string, ApplicationRow>>(*listLayout_);
    addBlock(list_);

    issueCount_ = wrappedText({}, {.pixelSize = 11, .color = Theme::muted});
    issueCount_->setObjectName(QStringLiteral("issueCount"));
    addBlock(issueCount_);
    // Each issue is a block of the page of its own, right after the count line.
    issues_ = std::make_unique<KeyedRows<std::string, TextBlock>>(
        column(), column().indexOf(issueCount_) + 1);
    addBlock(wrappedText(looked("La mise à la Corbeille retire uniquement l’application. Ses "
                                "données personnelles et ses réglages restent sur l’ordinateur."),
                         {.pixelSize = 11, .color = Theme::muted}));

    follow({&AppModel::applicationsChanged, &AppModel::applicationIssuesChanged,
            &AppModel::runningApplicationPathsChanged, &AppModel::scanningApplicationsChanged,
            &AppModel::sessionActiveChanged, &AppModel::busyChanged});
    QTimer::singleShot(0, this, &ApplicationsPage::onShown);
}

QWidget* ApplicationsPage::makeFilters()
{
    auto* holder = new QWidget;
    auto* column = new QVBoxLayout(holder);
    column->setSpacing(16);
    column->setContentsMargins(0, 0, 0, 0);

    search_ = new QLineEdit;
    search_->setObjectName(QStringLiteral("search"));
    search_->setPlaceholderText(looked("Rechercher une application ou un emplacement"));
    search_->setAccessibleName(search_->placeholderText());
    connect(search_, &QLineEdit::textEdited, this, [this](const QString& text) {
        query_.search = text;
        refresh();
    });
    column->addWidget(search_);

    age_ = picker({{0, "Toutes les applications"},
                   {30, "Non ouvertes depuis 30 jours"},
                   {180, "Non ouvertes depuis 6 mois"}},
                  query_.age);
    age_->setObjectName(QStringLiteral("age"));
    connect(age_, &QComboBox::activated, this, [this](int index) {
        query_.age = age_->itemData(index).toInt();
        refresh();
    });
    order_ = picker({{0, "Ouvertes le moins récemment"}, {1, "Les plus volumineuses"}, {2, "Nom"}},
                    static_cast<int>(query_.order));
    order_->setObjectName(QStringLiteral("order"));
    connect(order_, &QComboBox::activated, this, [this](int index) {
        query_.order = static_cast<ApplicationOrder>(order_->itemData(index).toInt());
        refresh();
    });
    auto* pickers = new QHBoxLayout;
    pickers->setContentsMargins(0, 0, 0, 0);
    pickers->addWidget(titled(looked("Afficher"), age_));
    pickers->addWidget(titled(looked("Ordre"), order_));
    pickers->addStretch(1);
    column->addLayout(pickers);
    return holder;
}

QWidget* ApplicationsPage::makeActions()
{
    auto* holder = new QWidget;
    auto* line = new QHBoxLayout(holder);
    line->setContentsMargins(0, 0, 0, 0);

    refreshButton_ = new SecondaryButton(looked("Actualiser"), QStringLiteral("arrow.clockwise"),
                                         [this] { model().scanApplications(); });
    refreshButton_->setObjectName(QStringLiteral("refresh"));
    line->addWidget(refreshButton_);

    progress_ = new QWidget;
    progress_->setObjectName(QStringLiteral("progress"));
    auto* progressLine = new QHBoxLayout(progress_);
    progressLine->setContentsMargins(0, 0, 0, 0);
    progressLine->addWidget(new Spinner(Spinner::Size::small));
    progressLine->addWidget(
        lineText(looked("Analyse des applications…"), {.pixelSize = 12, .color = Theme::text}));
    auto* stop = new QPushButton(looked("Arrêter"));
    stop->setObjectName(QStringLiteral("stop"));
    stop->setAutoDefault(false);
    connect(stop, &QPushButton::clicked, this, [this] { model().stopApplicationScan(); });
    progressLine->addWidget(stop);
    progress_->setVisible(false);
    line->addWidget(progress_);

    line->addStretch(1);
    count_ = lineText(QStringLiteral("0"), {.pixelSize = 13, .color = Theme::muted});
    count_->setObjectName(QStringLiteral("count"));
    line->addWidget(count_);
    sort_ = new PrimaryButton(looked("Trier ces applications"), QStringLiteral("rectangle.stack"),
                              [this] { sortSelection(); });
    sort_->setObjectName(QStringLiteral("sortApplications"));
    line->addWidget(sort_);
    return holder;
}

void ApplicationsPage::onShown()
{
    model().refreshRunningApplications();
    if (model().applications().empty() && !model().scanningApplications()) {
        model().scanApplications();
    }
}

ApplicationStanding ApplicationsPage::standing(const FileRecord& application)
{
    const std::string_view path = application.path();
    auto facts = facts_.find(path);
    if (facts == facts_.end()) {
        facts = facts_.emplace(std::string(path), bundleFacts(std::string(path))).first;
    }
    return standingOf(application, facts->second, model().runningApplicationPaths(),
                      ApplicationInventory::ownBundle());
}

void ApplicationsPage::sortSelection()
{
    std::vector<FileRecord> sortable;
    for (const FileRecord& application : selection_) {
        if (standing(application) == ApplicationStanding::sortable) {
            sortable.push_back(application);
        }
    }
    if (!sortable.empty()) {
        model().sortApplications(sortable);
    }
}

void ApplicationsPage::refresh()
{
    selection_ = selectApplications(model().applications(), query_, currentDate());
    std::size_t sortable = 0;
    for (const FileRecord& application : selection_) {
        sortable += standing(application) == ApplicationStanding::sortable ? 1 : 0;
    }
    const ApplicationControls controls =
        applicationControls({.scanningApplications = model().scanningApplications(),
                             .sessionActive = model().sessionActive(),
                             .busy = model().busy()},
                            selection_.size(), sortable);

    refreshButton_->setVisible(controls.refreshShown);
    refreshButton_->setEnabled(controls.refreshEnabled);
    progress_->setVisible(!controls.refreshShown);
    count_->setText(QString::number(selection_.size()));
    sort_->setEnabled(controls.sortEnabled);
    empty_->setVisible(controls.emptyShown);

    rows_->sync(
        selection_, [](const FileRecord& application) { return std::string(application.id()); },
        [this](const FileRecord&) {
            return new ApplicationRow(revealer_, [this](const FileRecord& application) {
                model().sortApplications({application});
            });
        },
        [this, &controls](ApplicationRow& row, const FileRecord& application) {
            row.update(application, standing(application), controls.examineEnabled);
        });
    list_->setVisible(!selection_.empty());
    syncIssues();
}

void ApplicationsPage::syncIssues()
{
    const std::vector<std::string>& issues = model().applicationIssues();
    issueCount_->setVisible(!issues.empty());
    const auto unreadable = static_cast<std::int64_t>(issues.size());
    issueCount_->setText(QString::fromStdString(
        L(plural(unreadable, "{0} application inaccessible.", "{0} applications inaccessibles."),
          localizedCount(unreadable))));
    issues_->sync(
        issues, [](const std::string& issue) { return issue; },
        [](const std::string& issue) {
            auto* text = wrappedText(shownProblem(issue), {.pixelSize = 10, .color = Theme::muted});
            text->setObjectName(QStringLiteral("applicationIssue"));
            return text;
        },
        [](TextBlock&, const std::string&) {});
}

} // namespace tollenvane
