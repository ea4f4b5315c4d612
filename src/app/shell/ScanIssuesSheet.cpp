#include "app/shell/ScanIssuesSheet.h"

#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LineBox.h"
#include "app/design/LocalizedText.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SelectableText.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/shell/RootRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>
#include <memory>

namespace tollenvane {

namespace {

QLabel* issueLabel(const std::string& issue)
{
    auto* label = new SelectableText;
    label->showText(ShownText::problem(issue));
    // Read with the mouse; thirty of them would be as many stops for Tab.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setColor(Theme::text);
    label->setFont(DesignFont::system(12));
    label->setContentsMargins(inkMargins(label->font()));
    return label;
}

} // namespace

ScanIssuesSheet::ScanIssuesSheet(AppModel& model, QWidget* parent)
    : QDialog(parent)
    , model_(model)
    , refresh_(*this, [this] { refresh(); })
{
    setObjectName(QStringLiteral("scanIssuesSheet"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(620, 450);
    setAutoFillBackground(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(30, 30, 30, 30);
    column->setSpacing(18);

    auto* title = new ElidedLabel(localized("Fichiers non analysés"));
    setAccessibleName(title->text());
    title->setFont(DesignFont::system(17, QFont::DemiBold));
    column->addWidget(title);
    auto* explanation =
        new TextBlock(localized("L’analyse a continué sur les dossiers accessibles. "
                                "Réautorisez une source ou reconnectez le disque si "
                                "nécessaire."));
    explanation->setFont(DesignFont::system(13));
    explanation->setColor(Theme::muted);
    column->addWidget(explanation);

    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    list_ = new QWidget;
    list_->setObjectName(QStringLiteral("issueList"));
    auto* rows = new QVBoxLayout(list_);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(14);
    scroll->setWidget(list_);
    column->addWidget(scroll, 1);

    auto* caption = new ElidedLabel(localized("Les 30 premiers problèmes sont affichés."));
    caption->setFont(DesignFont::system(10));
    caption->setColor(Theme::muted);
    truncated_ = caption;
    truncated_->setObjectName(QStringLiteral("truncatedCaption"));
    column->addWidget(truncated_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* close =
        new PrimaryButton(localized("Fermer"), QStringLiteral("checkmark"), [this] { accept(); });
    close->setObjectName(QStringLiteral("closeIssues"));
    buttons->addWidget(close);
    column->addLayout(buttons);

    refresh_.follow(model, {&AppModel::scanIssuesChanged, &AppModel::issueCountChanged});
    refresh();
}

void ScanIssuesSheet::refresh()
{
    auto* rows = static_cast<QVBoxLayout*>(list_->layout());
    for (std::unique_ptr<QLayoutItem> item(rows->takeAt(0)); item; item.reset(rows->takeAt(0))) {
        if (QWidget* old = item->widget()) {
            old->deleteLater();
        }
    }
    for (const std::string& issue : model_.scanIssues()) {
        rows->addWidget(issueLabel(issue));
    }
    rows->addStretch(1);
    truncated_->setVisible(issueListTruncated(model_.issueCount()));
}

} // namespace tollenvane
