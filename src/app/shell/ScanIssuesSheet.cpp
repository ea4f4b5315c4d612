#include "app/shell/ScanIssuesSheet.h"

#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LineBox.h"
#include "app/design/LocalizedText.h"
#include "app/design/PrimaryButton.h"
#include "app/design/SelectableText.h"
#include "app/design/SpokenName.h"
#include "app/design/TextBlock.h"
#include "app/design/Theme.h"
#include "app/shell/IssueList.h"
#include "app/shell/RootRules.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QShowEvent>
#include <QVBoxLayout>
#include <memory>

namespace tollenvane {

namespace {

QLabel* issueLabel(const std::string& issue)
{
    auto* label = new SelectableText;
    label->showText(ShownText::problem(issue));
    // Each problem is a stop for Tab, heard as it is reached and copied from the keyboard too.
    label->setFocusPolicy(Qt::StrongFocus);
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
    setSpokenName(*this, title->text());
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
    // The keyboard goes from problem to problem; the area scrolls to the one it reaches.
    scroll->setFocusPolicy(Qt::NoFocus);
    list_ = new IssueList;
    list_->layout()->setSpacing(14);
    scroll->setWidget(list_);
    column->addWidget(scroll, 1);

    auto* caption = new ElidedLabel(localized("Les 30 premiers problèmes sont affichés."));
    caption->setFont(DesignFont::system(10));
    caption->setColor(Theme::muted);
    truncated_ = caption;
    truncated_->setObjectName(QStringLiteral("truncatedCaption"));
    column->addWidget(truncated_);

    // Made before the problems, Close comes after the last of them for Tab.
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

// The sheet opens on the first problem, heard with the sheet's title.
void ScanIssuesSheet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QWidget* first = list_->findChild<QLabel*>(); first != nullptr && !event->spontaneous()) {
        first->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace tollenvane
