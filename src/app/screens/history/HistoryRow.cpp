#include "app/screens/history/HistoryRow.h"

#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/PageText.h"
#include "app/screens/history/HistoryRules.h"
#include "core/localisation/Formatting.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

// The size of a second-level title.
constexpr int symbolTextSize = 17;

void showText(ElidedLabel& label, const QString& text)
{
    if (label.text() != text) {
        label.setText(text);
    }
}

} // namespace

HistoryRow::HistoryRow(QWidget* parent)
    : Panel(parent)
{
    setObjectName(QStringLiteral("sessionRow"));
    auto* row = new QHBoxLayout;
    row->setSpacing(20);
    row->addWidget(new SymbolView(QStringLiteral("rectangle.stack"),
                                  Symbol::sideBeside(symbolTextSize), Theme::orange, this));

    auto* left = new QVBoxLayout;
    left->setSpacing(8);
    date_ = lineText({}, {.pixelSize = 14, .weight = QFont::DemiBold, .color = {}},
                     ElisionSide::end, this);
    date_->setObjectName(QStringLiteral("dateText"));
    counts_ = lineText({}, {.pixelSize = 11, .color = Theme::muted}, ElisionSide::end, this);
    counts_->setObjectName(QStringLiteral("countsText"));
    left->addWidget(date_);
    left->addWidget(counts_);
    row->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    right->setSpacing(8);
    files_ = lineText({}, {.pixelSize = 15, .weight = QFont::Medium, .color = {}}, ElisionSide::end,
                      this);
    files_->setObjectName(QStringLiteral("filesText"));
    trashBytes_ = lineText({}, {.pixelSize = 12, .color = Theme::orange}, ElisionSide::end, this);
    trashBytes_->setObjectName(QStringLiteral("trashBytesText"));
    right->addWidget(files_, 0, Qt::AlignRight);
    right->addWidget(trashBytes_, 0, Qt::AlignRight);
    row->addLayout(right);
    contentLayout()->addLayout(row);
}

void HistoryRow::setSummary(const SessionSummary& summary)
{
    showText(*date_, QString::fromStdString(localizedDate(summary.date, true)));
    showText(*counts_, sessionCountsText(summary));
    showText(*files_, sessionFilesText(summary));
    showText(*trashBytes_, QString::fromStdString(formattedBytes(summary.trashBytes)));
    // Assistive technology reads the row that holds the focus as it shows.
    const QString name =
        QStringList{date_->text(), counts_->text(), files_->text(), trashBytes_->text()}.join(
            QStringLiteral(", "));
    if (accessibleName() != name) {
        setAccessibleName(name);
    }
}

} // namespace tollenvane
