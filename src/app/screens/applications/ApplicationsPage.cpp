#include "app/screens/applications/ApplicationsPage.h"

#include "app/design/DesignFont.h"
#include "app/design/EmptyState.h"
#include "app/design/PageHeading.h"
#include "app/design/Panel.h"
#include "app/design/Picker.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SecondaryButton.h"
#include "app/design/ShownName.h"
#include "app/design/Spinner.h"
#include "app/kit/FocusHandOff.h"
#include "app/kit/PageText.h"
#include "app/kit/VirtualList.h"
#include "app/screens/appdata/LeftoverDataView.h"
#include "app/screens/applications/ApplicationControls.h"
#include "app/screens/applications/ApplicationRow.h"
#include "app/screens/applications/ApplicationTexts.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>

namespace tollenvane {
namespace {

QString looked(std::string_view key)
{
    return QString::fromStdString(L(key));
}

QComboBox* picker(const QString& title, const std::vector<std::pair<int, const char*>>& options,
                  int current)
{
    auto* box = newPicker(title);
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

constexpr int issueSpacing = 24;
// While an inventory lists bundle after bundle, the page takes them in at most this often: one
// layout and one paint then serve all the applications that came meanwhile.
constexpr std::chrono::milliseconds appendInterval{25};
// More applications than this taken in at once are placed by laying the list out again.
constexpr std::size_t separateInserts = 32;
// A page coming back to a list this long orders it and builds its rows once the page has been
// painted without it: the page shows within a frame, the list in the next.
constexpr std::size_t longList = 1'000;

TextBlock* issueText()
{
    auto* text = wrappedText({}, {.pixelSize = 10, .color = Theme::muted});
    text->setObjectName(QStringLiteral("applicationIssue"));
    return text;
}

} // namespace

ApplicationsPage::ApplicationsPage(const PageServices& services, QWidget* parent)
    : ModelPage(services.model, Page::applications, 24, 32, parent)
    , revealer_(services.revealer)
    , issueMeasure_(issueText())
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

    list_ = makeList();
    addBlock(list_);

    issueCount_ = wrappedText({}, {.pixelSize = 11, .color = Theme::muted});
    issueCount_->setObjectName(QStringLiteral("issueCount"));
    addBlock(issueCount_);
    issues_ = makeIssues();
    addBlock(issues_);
    addBlock(wrappedText(looked("La mise à la Corbeille retire uniquement l’application. Ses "
                                "données personnelles et ses réglages restent sur l’ordinateur."),
                         {.pixelSize = 11, .color = Theme::muted}));

    appendTimer_.setSingleShot(true);
    connect(&appendTimer_, &QTimer::timeout, this, &ApplicationsPage::refresh);
    follow({&AppModel::applicationsChanged, &AppModel::applicationIssuesChanged,
            &AppModel::runningApplicationPathsChanged, &AppModel::scanningApplicationsChanged,
            &AppModel::sessionActiveChanged, &AppModel::busyChanged});
    QTimer::singleShot(0, this, &ApplicationsPage::onShown);
}

ApplicationsPage::~ApplicationsPage() = default;

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
        requery();
    });
    column->addWidget(search_);

    age_ = picker(looked("Afficher"),
                  {{0, "Toutes les applications"},
                   {30, "Non ouvertes depuis 30 jours"},
                   {180, "Non ouvertes depuis 6 mois"}},
                  query_.age);
    age_->setObjectName(QStringLiteral("age"));
    connect(age_, &QComboBox::activated, this, [this](int index) {
        query_.age = age_->itemData(index).toInt();
        requery();
    });
    order_ = picker(looked("Ordre"),
                    {{0, "Ouvertes le moins récemment"}, {1, "Les plus volumineuses"}, {2, "Nom"}},
                    static_cast<int>(query_.order));
    order_->setObjectName(QStringLiteral("order"));
    connect(order_, &QComboBox::activated, this, [this](int index) {
        query_.order = static_cast<ApplicationOrder>(order_->itemData(index).toInt());
        requery();
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
    count_ = lineText(QString(), {.pixelSize = 13, .color = Theme::muted});
    count_->setObjectName(QStringLiteral("count"));
    line->addWidget(count_);
    sort_ = new PrimaryButton(looked("Trier ces applications"), QStringLiteral("rectangle.stack"),
                              [this] { sortSelection(); });
    sort_->setObjectName(QStringLiteral("sortApplications"));
    sort_->setEnabled(false); // until the list is known
    line->addWidget(sort_);
    return holder;
}

VirtualList* ApplicationsPage::makeList()
{
    auto* list = new VirtualList({
        .make =
            [this] {
                return new ApplicationRow(revealer_, [this](const FileRecord& application) {
                    model().sortApplications({application});
                });
            },
        .present = [this](QWidget& row, std::size_t index) { presentRow(row, index); },
        .key =
            [this](std::size_t index) {
                const FileRecord* application = shownAt(index);
                return application != nullptr ? std::string(application->id()) : std::string();
            },
        .name =
            [this](std::size_t index) {
                const FileRecord* application = shownAt(index);
                // Its folder tells two bundles of one name apart.
                return application != nullptr
                           ? spokenApplication(*application, standings_[selection_->at(index)])
                           : QString();
            },
    });
    list->setObjectName(QStringLiteral("applicationList"));
    list->setSpacing(10);
    list->setVisible(false);
    return list;
}

VirtualList* ApplicationsPage::makeIssues()
{
    const auto issueAt = [this](std::size_t index) -> const std::string* {
        const std::vector<std::string>& issues = model().applicationIssues();
        return index < issues.size() ? &issues[index] : nullptr;
    };
    auto* list = new VirtualList({
        .make = [] { return issueText(); },
        .present =
            [issueAt](QWidget& row, std::size_t index) {
                if (const std::string* issue = issueAt(index)) {
                    static_cast<TextBlock&>(row).setText(shownProblem(*issue));
                }
            },
        // Each text is its own identity.
        .key =
            [issueAt](std::size_t index) {
                const std::string* issue = issueAt(index);
                return issue != nullptr ? *issue : std::string();
            },
    });
    list->setObjectName(QStringLiteral("applicationIssues"));
    list->setSpacing(issueSpacing);
    list->setRowHeights([this, issueAt](std::size_t index, int width) {
        const std::string* issue = issueAt(index);
        issueMeasure_->setText(issue != nullptr ? shownProblem(*issue) : QString());
        return issueMeasure_->heightForWidth(width);
    });
    list->setVisible(false);
    return list;
}

void ApplicationsPage::onShown()
{
    model().refreshRunningApplications();
    if (model().applications().empty() && !model().scanningApplications()) {
        model().scanApplications();
    }
}

const FileRecord* ApplicationsPage::shownAt(std::size_t index) const
{
    // Between a change of the list and the refresh that follows it, rows wait for that refresh.
    if (!selection_ || generation_ != model().applicationsGeneration() ||
        index >= selection_->size()) {
        return nullptr;
    }
    return &model().applications()[selection_->at(index)];
}

void ApplicationsPage::presentRow(QWidget& row, std::size_t index)
{
    if (const FileRecord* application = shownAt(index)) {
        static_cast<ApplicationRow&>(row).setApplication(
            *application, standings_[selection_->at(index)], examineEnabled_);
    }
}

void ApplicationsPage::requery()
{
    selection_.reset();
    refresh();
}

bool ApplicationsPage::syncSelection()
{
    if (!selection_ || generation_ != model().applicationsGeneration()) {
        rebuildSelection();
        return true;
    }
    if (model().applications().size() > selection_->taken()) {
        takeAppended();
    }
    return false;
}

void ApplicationsPage::rebuildSelection()
{
    // A new search or order keeps the standings: they follow the list, not the query.
    if (generation_ != model().applicationsGeneration()) {
        standings_.clear();
    }
    generation_ = model().applicationsGeneration();
    selection_.emplace(query_, currentDate());
    selection_->take(model().applications());
    judgeFrom(standings_.size());
    countSortable();
    list_->reset(selection_->size());
}

void ApplicationsPage::takeAppended()
{
    const std::size_t first = selection_->taken();
    const std::vector<std::size_t> rows = selection_->take(model().applications());
    judgeFrom(first);
    for (const std::size_t row : rows) {
        sortable_ += standings_[selection_->at(row)] == ApplicationStanding::sortable ? 1 : 0;
    }
    if (rows.size() > separateInserts) {
        list_->reset(selection_->size());
        return;
    }
    for (const std::size_t row : rows) {
        list_->insert(row, 1);
    }
}

void ApplicationsPage::judgeFrom(std::size_t first)
{
    const std::vector<FileRecord>& applications = model().applications();
    const std::vector<BundleStanding>& judged = model().applicationStandings();
    // What was never judged is judged too.
    first = std::min(first, standings_.size());
    standings_.resize(selection_->taken());
    for (std::size_t position = first; position < standings_.size(); ++position) {
        standings_[position] =
            standingOf(judged[position], applications[position].path(), running_);
    }
}

void ApplicationsPage::countSortable()
{
    sortable_ = static_cast<std::size_t>(
        std::count_if(selection_->positions().begin(), selection_->positions().end(),
                      [this](std::size_t position) {
                          return standings_[position] == ApplicationStanding::sortable;
                      }));
}

void ApplicationsPage::sortSelection()
{
    syncSelection(); // what the user sees, should the list have changed since it was drawn
    std::vector<FileRecord> sortable;
    for (const std::size_t position : selection_->positions()) {
        if (standings_[position] == ApplicationStanding::sortable) {
            sortable.push_back(model().applications()[position]);
        }
    }
    if (!sortable.empty()) {
        model().sortApplications(sortable);
    }
}

ApplicationsPage::Followed ApplicationsPage::followed() const
{
    return {.generation = model().applicationsGeneration(),
            .scanningApplications = model().scanningApplications(),
            .sessionActive = model().sessionActive(),
            .busy = model().busy(),
            .issues = model().applicationIssues().size()};
}

bool ApplicationsPage::deferAppend()
{
    const auto waited =
        std::chrono::milliseconds(sinceTaken_.isValid() ? sinceTaken_.elapsed() : 0);
    // Until the list fills the page, each application shows at once, its row built then.
    const bool filling = list_->count() <= list_->rows().size();
    if (!selection_ || filling || shown_ != followed() ||
        running_ != model().runningApplicationPaths() || !sinceTaken_.isValid() ||
        waited >= appendInterval) {
        return false;
    }
    if (!appendTimer_.isActive()) {
        appendTimer_.start(appendInterval - waited);
    }
    return true;
}

bool ApplicationsPage::deferLongList()
{
    if (selection_ || longListDeferred_ || model().applications().size() < longList) {
        return false;
    }
    longListDeferred_ = true;
    // A timer, not a posted call: it runs after the posted layout and paint of the page.
    QTimer::singleShot(0, this, &ApplicationsPage::refresh);
    return true;
}

void ApplicationsPage::refresh()
{
    if (deferAppend() || deferLongList()) {
        return;
    }
    appendTimer_.stop();
    sinceTaken_.start();
    shown_ = followed();
    const bool runningChanged = running_ != model().runningApplicationPaths();
    if (runningChanged) {
        running_ = model().runningApplicationPaths();
        standings_.clear();
    }
    const ApplicationFlags flags{.scanningApplications = model().scanningApplications(),
                                 .sessionActive = model().sessionActive(),
                                 .busy = model().busy()};
    const bool examineEnabled = applicationControls(flags, 0, 0).examineEnabled;
    const bool rowsStale = runningChanged || examineEnabled != examineEnabled_;
    examineEnabled_ = examineEnabled;
    if (!syncSelection() && rowsStale) {
        if (runningChanged) {
            judgeFrom(0);
            countSortable();
        }
        list_->presentAgain();
    }

    const ApplicationControls controls = applicationControls(flags, selection_->size(), sortable_);
    // "Actualiser" takes the place, and the focus, of the "Arrêter" that ended the inventory.
    replaceShown({{*refreshButton_, controls.refreshShown, controls.refreshEnabled},
                  {*progress_, !controls.refreshShown}});
    count_->setText(QString::number(selection_->size()));
    sort_->setEnabled(controls.sortEnabled);
    empty_->setVisible(controls.emptyShown);
    list_->setVisible(selection_->size() > 0);
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
    // Problems only add up during one inventory, and a new inventory empties the list of
    // applications too.
    if (issuesGeneration_ == generation_ && issues.size() >= issues_->count()) {
        issues_->append(issues.size() - issues_->count());
    } else {
        issues_->reset(issues.size());
    }
    issuesGeneration_ = generation_;
    issues_->setVisible(!issues.empty());
}

} // namespace tollenvane
