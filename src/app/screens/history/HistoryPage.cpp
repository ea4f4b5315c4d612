#include "app/screens/history/HistoryPage.h"

#include "app/design/EmptyState.h"
#include "app/design/LocalizedText.h"
#include "app/design/PageHeading.h"
#include "app/kit/VirtualList.h"
#include "app/screens/history/HistoryRow.h"
#include "app/screens/history/HistoryRules.h"
#include "app/screens/tiles/MetricCard.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>

namespace tollenvane {
namespace {

constexpr int spacing = 24;
constexpr int padding = 36;

MetricCard* card(const char* name, std::string_view label, std::string_view symbol,
                 std::string_view detail)
{
    auto* made = new MetricCard(localized(label), {},
                                QString::fromUtf8(symbol.data(), symbol.size()), localized(detail));
    made->setObjectName(QString::fromLatin1(name));
    return made;
}

} // namespace

HistoryPage::HistoryPage(AppModel& model, QWidget* parent)
    : ModelPage(model, Page::history, spacing, padding, parent)
{
    addBlock(new PageHeading(
        localized("Les petits gestes s’additionnent"), localized("Votre historique."),
        localized("Uniquement des bilans : aucun nom de fichier ni chemin n’est "
                  "conservé dans l’historique.")));

    auto* metrics = new QWidget;
    auto* metricRow = new QHBoxLayout(metrics);
    metricRow->setContentsMargins(0, 0, 0, 0);
    metricRow->setSpacing(16);
    sessions_ = card("sessionsCard", "Sessions", "rectangle.stack", "depuis l’installation");
    files_ = card("filesCard", "Fichiers triés", "checkmark", "toutes vos sessions");
    trashed_ = card("trashCard", "À la Corbeille", "trash", "volume logique, pas un gain mesuré");
    for (MetricCard* each : {sessions_, files_, trashed_}) {
        metricRow->addWidget(each, 1, Qt::AlignVCenter);
    }
    addBlock(metrics);

    empty_ =
        new EmptyState(QStringLiteral("clock.arrow.circlepath"), localized("Une page blanche."),
                       localized("Vos bilans apparaîtront ici dès votre première décision."));
    empty_->setObjectName(QStringLiteral("emptyState"));
    addBlock(empty_);

    // The rows stand in the page's column, spaced as the other blocks.
    sessionList_ = new VirtualList(
        {.make = [] { return new HistoryRow; },
         .present =
             [this](QWidget& row, std::size_t index) {
                 static_cast<HistoryRow&>(row).setSummary(this->model().state().history[index]);
             },
         .key = [this](std::size_t index) { return this->model().state().history[index].id; }});
    sessionList_->setObjectName(QStringLiteral("sessionList"));
    sessionList_->setSpacing(spacing);
    addBlock(sessionList_);

    // The list reads the model's history: it follows it before anything can ask it for a row.
    connect(&model, &AppModel::stateChanged, this, [this] { syncSessions(); });
    syncSessions();
    follow({&AppModel::stateChanged});
}

void HistoryPage::syncSessions()
{
    // Rows keep their sessions by id, wherever a new session puts them.
    sessionList_->reset(model().state().history.size());
}

void HistoryPage::refresh()
{
    const std::vector<SessionSummary>& history = model().state().history;
    const HistoryTotals totals = historyTotals(history);
    sessions_->setValue(QString::number(totals.sessions));
    files_->setValue(QString::number(totals.files));
    trashed_->setValue(QString::fromStdString(formattedBytes(model().trashedTotal())));
    empty_->setVisible(history.empty());
    sessionList_->setVisible(!history.empty());
}

} // namespace tollenvane
