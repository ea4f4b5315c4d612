#include "app/screens/appdata/AppDataRow.h"

#include "app/design/DesignFont.h"
#include "app/design/ShownName.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/FileRevealer.h"
#include "app/kit/PageText.h"
#include "app/screens/appdata/AppDataControls.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tollenvane {

AppDataRow::AppDataRow(FileRevealer& revealer, QWidget* parent)
    : QWidget(parent)
    , title_(lineText({}, {.pixelSize = 12, .weight = QFont::Medium, .color = std::nullopt}))
    , location_(lineText({}, {.pixelSize = 10, .color = Theme::muted}, ElisionSide::middle))
    , size_(lineText({}, {.pixelSize = 11, .color = Theme::muted}))
{
    setObjectName(QStringLiteral("appDataRow"));
    title_->setObjectName(QStringLiteral("title"));
    location_->setObjectName(QStringLiteral("path"));
    size_->setObjectName(QStringLiteral("size"));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->setContentsMargins(0, 0, 0, 0);
    texts->addWidget(title_);
    texts->addWidget(location_);

    auto* reveal =
        new QPushButton(QString::fromStdString(L("Vérifier dans le gestionnaire de fichiers")));
    reveal->setObjectName(QStringLiteral("reveal"));
    reveal->setFont(DesignFont::system(10));
    reveal->setAutoDefault(false);
    connect(reveal, &QPushButton::clicked, this, [this, &revealer] {
        if (entry_) {
            revealer.reveal(entry_->path);
        }
    });

    auto* row = new QHBoxLayout(this);
    row->setSpacing(12);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new SymbolView(QStringLiteral("folder.badge.questionmark"),
                                  Symbol::sideBeside(12), Theme::orange));
    row->addLayout(texts, 1);
    row->addWidget(size_);
    row->addWidget(reveal);
}

void AppDataRow::setEntry(const AppDataEntry& entry)
{
    if (entry_ == entry) {
        return;
    }
    entry_ = entry;
    title_->setText(appDataTitle(entry));
    location_->setText(shownName(entry.path));
    size_->setText(QString::fromStdString(formattedBytes(entry.size)));
}

} // namespace tollenvane
