#include "app/screens/summary/SummaryPage.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/PrimaryButton.h"
#include "app/design/ResultNotice.h"
#include "app/design/SecondaryButton.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/PageText.h"
#include "app/screens/summary/SummaryBadge.h"
#include "app/screens/summary/SummaryRules.h"
#include "app/screens/tiles/CardSurface.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int spacing = 25;
constexpr int padding = 36;

} // namespace

SummaryPage::SummaryPage(AppModel& model, QWidget* parent)
    : ModelPage(model, Page::summary, spacing, padding, parent)
    , total_(lineText({}, {15, QFont::Normal, Theme::muted}))
    , trashed_(lineText({}, {27, QFont::DemiBold, Theme::orange}))
    , notice_(new ResultNotice(*this, QStringLiteral("summaryNotice")))
{
    total_->setObjectName("sorted-total");
    trashed_->setObjectName("trashed-bytes");
    // The column's slack goes above and below, so the content sits in the middle.
    column().insertStretch(0, 1);

    addCentred(new SummaryBadge);
    auto* title = lineText(localized(summaryTitleKey), {45, QFont::DemiBold, {}});
    title->setFont(DesignFont::tracked(title->font(), -1.3));
    addCentred(title);
    addCentred(total_);
    addCentred(counterStrip());
    addCentred(trashed_);
    addCentred(lineText(localized(summaryNoteKey), {11, QFont::Normal, Theme::muted}));
    addCentred(buttonRow());
    follow({&AppModel::summaryChanged, &AppModel::undoCountChanged, &AppModel::busyChanged});
}

void SummaryPage::addCentred(QWidget* block)
{
    addBlock(block);
    column().setAlignment(block, Qt::AlignHCenter);
}

QWidget* SummaryPage::counterStrip()
{
    auto* strip = new CardSurface({.fill = {Theme::panel},
                                   .gradientEnd = std::nullopt,
                                   .stroke = std::nullopt,
                                   .cornerRadius = 16});
    strip->setObjectName("summary-counters");
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(28, 28, 28, 28);
    row->setSpacing(32);
    const auto counters = summaryCounters({});
    for (std::size_t index = 0; index < counters.size(); ++index) {
        auto* tile = new QVBoxLayout;
        tile->setSpacing(10);
        tile->addWidget(
            new SymbolView(counters[index].symbol, Symbol::sideBeside(17), Theme::muted), 0,
            Qt::AlignHCenter);
        counters_[index] = lineText({}, {26, QFont::DemiBold, {}});
        counters_[index]->setObjectName(QStringLiteral("counter-%1").arg(index));
        tile->addWidget(counters_[index], 0, Qt::AlignHCenter);
        tile->addWidget(
            lineText(coreText(L(counters[index].labelKey)), {11, QFont::Normal, Theme::muted}), 0,
            Qt::AlignHCenter);
        row->addLayout(tile);
    }
    return strip;
}

QWidget* SummaryPage::buttonRow()
{
    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(14);
    undo_ = new SecondaryButton(coreText(L("Annuler la dernière décision")), "arrow.uturn.backward",
                                [this] { model().undo(); });
    undo_->setObjectName("undo-last");
    finish_ = new PrimaryButton(coreText(L("Terminer")), "checkmark",
                                [this] { model().setPage(Page::dashboard); });
    finish_->setObjectName("finish");
    row->addWidget(undo_, 0, Qt::AlignVCenter);
    row->addWidget(finish_, 0, Qt::AlignVCenter);
    return buttons;
}

bool SummaryPage::takeKeyboard()
{
    // Not a focus proxy, which would let Tab pass over undo on its way in.
    if (!finish_->hasFocus()) {
        finish_->setFocus(Qt::OtherFocusReason);
    }
    return true;
}

void SummaryPage::refresh()
{
    const SessionSummary& summary = model().summary();
    total_->setText(sortedTotalText(summary));
    const auto counters = summaryCounters(summary);
    for (std::size_t index = 0; index < counters.size(); ++index) {
        counters_[index]->setText(QString::number(counters[index].value));
    }
    trashed_->setText(trashedBytesText(summary));
    undo_->setEnabled(undoEnabled(model().undoCount(), model().busy()));
    // The keyboard arrives on the way out: the page is told after it, as it shows.
    notice_->tellChange(summaryNotice(summary));
}

} // namespace tollenvane
