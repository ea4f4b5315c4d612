#include "app/screens/dashboard/DashboardPage.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/design/PlainButton.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SecondaryButton.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/FocusHandOff.h"
#include "app/kit/PageText.h"
#include "app/screens/dashboard/CategorySection.h"
#include "app/screens/dashboard/DashboardRules.h"
#include "app/screens/dashboard/StorageOverview.h"
#include "app/screens/dashboard/SuggestionsSection.h"
#include "app/screens/tiles/CardSurface.h"
#include "app/screens/tiles/MetricCard.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int spacing = 26;
constexpr int padding = 32;

// A symbol before a text that wraps, both in one colour.
QWidget* labelWithSymbol(const QString& symbol, const QString& text, int pixelSize,
                         ElidedLabel** label = nullptr)
{
    auto* line = new QWidget;
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(new SymbolView(symbol, Symbol::sideBeside(pixelSize), Theme::muted), 0,
                      Qt::AlignTop);
    const TextStyle style{pixelSize, QFont::Normal, Theme::muted};
    if (label != nullptr) {
        *label = lineText(text, style);
        layout->addWidget(*label, 1);
    } else {
        layout->addWidget(wrappedText(text, style), 1);
    }
    return line;
}

} // namespace

DashboardPage::DashboardPage(AppModel& model, QWidget* parent)
    : ModelPage(model, Page::dashboard, spacing, padding, parent)
    , overview_(new StorageOverview(model))
    , suggestions_(new SuggestionsSection(model))
    , categories_(new CategorySection(model))
{
    addBlock(headingRow());
    addBlock(resumeCard());
    addBlock(overview_);
    addBlock(metricGrid());
    addBlock(suggestions_);
    addBlock(categories_);
    addBlock(sourcesRow());
    addBlock(footnotes());
    follow({&AppModel::stateChanged, &AppModel::statusesChanged, &AppModel::insightsChanged,
            &AppModel::volumesChanged, &AppModel::selectedVolumeIDChanged,
            &AppModel::diskTotalChanged, &AppModel::diskFreeChanged,
            &AppModel::sessionActiveChanged, &AppModel::busyChanged, &AppModel::scanningChanged,
            &AppModel::indexedCountChanged});
}

QWidget* DashboardPage::headingRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* heading = new PageHeading(
        coreText(L("Votre espace, en un regard")),
        coreText(L("Un ordinateur plus léger commence ici.")),
        coreText(L("Repérez ce qui prend de la place, puis choisissez ce qui mérite de rester.")));
    // As wide as its text, so that the button follows it.
    heading->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    layout->addWidget(heading, 0, Qt::AlignTop);
    refreshButton_ = new SecondaryButton(coreText(L("Actualiser")), "arrow.clockwise",
                                         [this] { model().scan(); });
    refreshButton_->setObjectName("refresh-index");
    layout->addWidget(refreshButton_, 0, Qt::AlignTop);
    layout->addStretch(1);
    return row;
}

QWidget* DashboardPage::resumeCard()
{
    resumeCard_ = new CardSurface({.fill = {Theme::orange, 0.07},
                                   .gradientEnd = std::nullopt,
                                   .stroke = TintedColor{Theme::orange, 0.22},
                                   .cornerRadius = 16});
    resumeCard_->setObjectName("resume-card");
    auto* row = new QHBoxLayout(resumeCard_);
    row->setContentsMargins(20, 20, 20, 20);
    row->setSpacing(16);
    row->addWidget(
        new SymbolView("arrow.clockwise.circle.fill", Symbol::sideBeside(30), Theme::orange));
    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    texts->addWidget(
        lineText(coreText(L("Reprenez là où vous en étiez.")), {15, QFont::DemiBold, {}}));
    texts->addWidget(wrappedText(
        coreText(
            L("Vos décisions sont conservées. Les fichiers modifiés sont vérifiés à nouveau.")),
        {11, QFont::Normal, Theme::muted}));
    row->addLayout(texts, 1);
    resumeButton_ = new PrimaryButton(coreText(L("Reprendre le tri")), "arrow.right",
                                      [this] { model().resumeSession(); });
    resumeButton_->setObjectName("resume-session");
    row->addWidget(resumeButton_, 0, Qt::AlignVCenter);
    return resumeCard_;
}

QWidget* DashboardPage::metricGrid()
{
    metrics_ = {
        new MetricCard(coreText(L("Fichiers analysés")), {}, "doc.text.magnifyingglass", {}),
        new MetricCard(coreText(L("Taille sur disque")), {}, "internaldrive",
                       coreText(L("allocation estimée, liens dédupliqués"))),
        new MetricCard(coreText(L("Potentiellement récupérable")), {}, "sparkles",
                       coreText(L("allocation estimée, gain non garanti"))),
    };
    auto* grid = new QWidget;
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    for (int column = 0; column < static_cast<int>(metrics_.size()); ++column) {
        metrics_[column]->setObjectName(QStringLiteral("metric-%1").arg(column));
        layout->setColumnStretch(column, 1);
        layout->addWidget(metrics_[column], 0, column);
    }
    return grid;
}

QWidget* DashboardPage::sourcesRow()
{
    auto* card = new CardSurface({.fill = {Theme::panel},
                                  .gradientEnd = std::nullopt,
                                  .stroke = std::nullopt,
                                  .cornerRadius = 14});
    card->setObjectName("sources-row");
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(18, 18, 18, 18);
    row->setSpacing(16);
    row->addWidget(labelWithSymbol("folder.badge.checkmark", {}, 12, &readySources_), 1);
    readySources_->setObjectName("ready-sources");
    auto* manage = new PlainButton(coreText(L("Gérer les sources")), Theme::orange);
    manage->setObjectName("manage-sources");
    manage->setFont(DesignFont::system(12));
    connect(manage, &QAbstractButton::clicked, this, [this] { model().navigate(Page::sources); });
    row->addWidget(manage, 0, Qt::AlignVCenter);
    return card;
}

QWidget* DashboardPage::footnotes()
{
    auto* notes = new QWidget;
    auto* column = new QVBoxLayout(notes);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(labelWithSymbol(
        "lock.shield",
        coreText(
            L("Les suggestions concernent uniquement vos dossiers autorisés. Aucun fichier n’est "
              "supprimé automatiquement.")),
        11));
    column->addWidget(labelWithSymbol(
        "info.circle",
        coreText(L("Les fichiers à la Corbeille occupent encore le disque. Videz-la depuis le "
                   "gestionnaire de fichiers quand vous êtes prêt.")),
        11));
    return notes;
}

QWidget* DashboardPage::callToAction() const
{
    return resumeCard_->isHidden() ? overview_->primaryButton() : resumeButton_;
}

bool DashboardPage::takeKeyboard()
{
    QWidget* action = callToAction();
    if (!action->isVisibleTo(this)) {
        return false;
    }
    holdsForStart_ = !action->isEnabled();
    if (holdsForStart_) {
        setFocus(Qt::OtherFocusReason);
    } else if (!action->hasFocus()) {
        // The keyboard starts here without a key pressed: the ring shows where, as after Tab.
        window()->setAttribute(Qt::WA_KeyboardFocusChange);
        action->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

void DashboardPage::refresh()
{
    const AppModel& shownModel = model();
    const SavedState& state = shownModel.state();
    const DashboardControls controls = dashboardControls({
        .hasSources = !state.sources.empty(),
        .scanning = shownModel.scanning(),
        .sessionActive = shownModel.sessionActive(),
        .busy = shownModel.busy(),
        .resumeReady = shownModel.resumeReady(),
        .indexedCount = shownModel.indexedCount(),
    });

    refreshButton_->setVisible(!state.sources.empty());
    // Disabled while focused, the button would pass the focus to the next control down the page,
    // and the page would scroll to it.
    if (!controls.refresh && holdsWindowFocus(*refreshButton_)) {
        setFocus();
    }
    refreshButton_->setEnabled(controls.refresh);
    // The call to action changes (choose folders, then start, or the saved session's resume and
    // back) or opens: the keyboard on it or held for it by the page stays with it, rather than
    // passing to the next control.
    const bool startHeld = (holdsForStart_ && holdsWindowFocus(*this)) ||
                           (shownStart_ && holdsWindowFocus(*shownStart_));
    const bool resumes = shownModel.canResume();
    if ((!resumes || !controls.resume) && holdsWindowFocus(*resumeButton_)) {
        setFocus();
    }
    resumeCard_->setVisible(resumes);
    resumeButton_->setEnabled(controls.resume);
    overview_->refresh(controls.startSorting);
    shownStart_ = callToAction();
    holdsForStart_ = false;
    if (startHeld) {
        takeKeyboard();
    }

    metrics_[0]->setValue(QString::number(shownModel.indexedCount()));
    metrics_[0]->setDetail(coreText(shownModel.scanning() ? L("analyse progressive en cours")
                                                          : L("dans vos sources autorisées")));
    const FileInsights& insights = shownModel.insights();
    metrics_[1]->setValue(coreText(formattedBytes(insights.allocatedBytes)));
    metrics_[2]->setValue(coreText(formattedBytes(insights.candidates.bytes)));

    suggestions_->refresh(controls.suggestions);
    categories_->refresh(controls.categories);
    readySources_->setText(
        coreText(localizedFolderCount(readySourceCount(state.sources, shownModel.statuses()))));
}

} // namespace tollenvane
