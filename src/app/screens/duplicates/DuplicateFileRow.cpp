#include "app/screens/duplicates/DuplicateFileRow.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/Symbol.h"
#include "app/design/SymbolView.h"
#include "app/kit/PageText.h"
#include "app/screens/duplicates/DuplicatesRules.h"
#include "core/localisation/Formatting.h"
#include "core/localisation/Localization.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

constexpr int symbolTextSize = 13;

} // namespace

DuplicateFileRow::DuplicateFileRow(const FileRecord& file, bool keepEnabled, Actions actions,
                                   QWidget* parent)
    : QWidget(parent)
    , path_(file.path())
    , actions_(std::move(actions))
{
    setObjectName(QStringLiteral("fileRow"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);

    const int side = Symbol::sideBeside(symbolTextSize);
    auto* kind = new SymbolView(QString::fromUtf8(symbol(file.kind())), side, Theme::muted, this);
    kind->setObjectName(QStringLiteral("kindSymbol"));

    auto* place = new QVBoxLayout;
    place->setSpacing(5);
    name_ = lineText({}, {.pixelSize = 12, .weight = QFont::Medium, .color = {}}, ElisionSide::end,
                     this);
    name_->setObjectName(QStringLiteral("nameText"));
    folder_ = lineText({}, {.pixelSize = 10, .color = Theme::muted}, ElisionSide::middle, this);
    folder_->setObjectName(QStringLiteral("folderText"));
    place->addWidget(name_);
    place->addWidget(folder_);

    preview_ = new PlainButton(QStringLiteral("eye"), side, Theme::muted, this);
    preview_->setObjectName(QStringLiteral("previewButton"));
    preview_->setAccessibleName(localized("Aperçu"));
    setPlainToolTip(*preview_, localized("Aperçu"));
    connect(preview_, &QAbstractButton::clicked, this, [this] { actions_.preview(path_); });

    size_ = lineText({}, {.pixelSize = 11, .color = Theme::muted}, ElisionSide::end, this);
    size_->setObjectName(QStringLiteral("sizeText"));
    size_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    keep_ = new QPushButton(localized("Garder celle-ci et trier les copies"), this);
    keep_->setObjectName(QStringLiteral("keepButton"));
    keep_->setFont(DesignFont::system(11));
    keep_->setAutoDefault(false);
    connect(keep_, &QPushButton::clicked, this, [this] { actions_.keep(path_); });

    layout->addWidget(kind);
    layout->addLayout(place, 1);
    layout->addWidget(preview_);
    layout->addWidget(size_);
    layout->addWidget(keep_);
    setFile(file, keepEnabled);
}

void DuplicateFileRow::setFile(const FileRecord& file, bool keepEnabled)
{
    // A change of text lays the row out again: thousands of rows follow each refresh.
    const auto show = [](ElidedLabel& label, const QString& value) {
        if (label.text() != value) {
            label.setText(value);
        }
    };
    show(*name_, QString::fromUtf8(file.name().data(), static_cast<qsizetype>(file.name().size())));
    show(*folder_, folderOf(file.path()));
    const QString size = QString::fromStdString(formattedBytes(file.size()));
    if (size_->text() != size) {
        size_->setText(size);
        size_->setFixedWidth(size_->sizeHint().width());
    }
    keep_->setEnabled(keepEnabled);
}

} // namespace tollenvane
