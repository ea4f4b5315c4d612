#include "app/screens/sources/SourcePanel.h"

#include "app/design/DesignFont.h"
#include "app/design/LineBox.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/SecondaryButton.h"
#include "app/design/SelectableText.h"
#include "app/design/ShownName.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/PageText.h"
#include "app/kit/SymbolButtonText.h"
#include "app/screens/sources/SourceRules.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

constexpr int rowSpacing = 18;
constexpr int lineSpacing = 6;
constexpr int folderSymbolPixelSize = 28;
constexpr int controlSide = 20;

} // namespace

SourcePanel::SourcePanel(const SourceActions& actions, QWidget* parent)
    : Panel(parent)
{
    setObjectName(QStringLiteral("sourcePanel"));
    auto* row = new QHBoxLayout;
    row->setSpacing(rowSpacing);
    contentLayout()->addLayout(row);

    row->addWidget(new SymbolView(QStringLiteral("folder.fill"),
                                  Symbol::sideBeside(folderSymbolPixelSize), Theme::orange),
                   0, Qt::AlignVCenter);

    auto* lines = new QVBoxLayout;
    lines->setSpacing(lineSpacing);
    name_ = lineText({}, {.pixelSize = 15, .weight = QFont::DemiBold, .color = {}});
    name_->setObjectName(QStringLiteral("sourceName"));
    status_ = new SelectableText;
    status_->setObjectName(QStringLiteral("sourceStatus"));
    count_ = lineText({}, {.pixelSize = 11, .color = Theme::muted});
    count_->setObjectName(QStringLiteral("sourceCount"));
    lines->addWidget(name_);
    lines->addWidget(status_);
    lines->addWidget(count_);
    row->addLayout(lines, 1);

    renew_ = new SecondaryButton(localized("Réautoriser"), QStringLiteral("lock.open"));
    renew_->setObjectName(QStringLiteral("renewButton"));
    open_ = new PlainButton(QStringLiteral("arrow.up.right.square"), controlSide, Theme::text);
    open_->setObjectName(QStringLiteral("openButton"));
    setSymbolButtonText(*open_, localized("Afficher dans le gestionnaire de fichiers"));
    remove_ = new PlainButton(QStringLiteral("minus.circle"), controlSide, Theme::muted);
    remove_->setObjectName(QStringLiteral("removeButton"));
    setSymbolButtonText(*remove_, localized("Retirer la source sans toucher aux fichiers"));
    for (QWidget* control : {static_cast<QWidget*>(renew_), static_cast<QWidget*>(open_),
                             static_cast<QWidget*>(remove_)}) {
        row->addWidget(control, 0, Qt::AlignVCenter);
    }

    connect(renew_, &QAbstractButton::clicked, this,
            [this, act = actions.renew] { act(grantID_); });
    connect(open_, &QAbstractButton::clicked, this, [this, act = actions.open] { act(grantID_); });
    connect(remove_, &QAbstractButton::clicked, this,
            [this, act = actions.remove] { act(grantID_); });
}

void SourcePanel::present(const std::string& grantID, const std::string& name, const SourceRow& row,
                          Controls enabled)
{
    grantID_ = grantID;
    const QString shown = shownName(name);
    if (name_->text() != shown) {
        name_->setText(shown);
    }
    status_->showText(statusText(row));
    count_->setVisible(row.fileCount.has_value());
    if (row.fileCount) {
        const QString count = QString::fromStdString(
            L(plural(*row.fileCount, "{0} fichier détecté", "{0} fichiers détectés"),
              localizedCount(*row.fileCount)));
        if (count_->text() != count) {
            count_->setText(count);
        }
    }
    renew_->setVisible(!row.resolved);
    open_->setVisible(row.resolved);
    renew_->setEnabled(enabled.renew);
    remove_->setEnabled(enabled.remove);
}

ShownText SourcePanel::statusText(const SourceRow& row)
{
    const QString line = QString::fromStdString(row.statusLine);
    return row.resolved ? ShownText::name(line) : ShownText(line);
}

int SourcePanel::statusWidth() const
{
    return status_->width();
}

} // namespace tollenvane
