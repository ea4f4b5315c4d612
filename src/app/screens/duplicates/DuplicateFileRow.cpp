#include "app/screens/duplicates/DuplicateFileRow.h"

#include "app/design/DesignFont.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/ShownName.h"
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

DuplicateFileRow::DuplicateFileRow(Actions actions, QWidget* parent)
    : QWidget(parent)
    , actions_(std::move(actions))
{
    setObjectName(QStringLiteral("fileRow"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);

    const int side = Symbol::sideBeside(symbolTextSize);
    kind_ = new SymbolView({}, side, Theme::muted, this);

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
    // Painted buttons stay out of the Tab chain unless asked: this one is the row's own way in.
    preview_->setFocusPolicy(Qt::TabFocus);
    preview_->setAccessibleName(localized("Aperçu"));
    setPlainToolTip(*preview_, localized("Aperçu"));
    connect(preview_, &QAbstractButton::clicked, this, [this] { actions_.preview(path_); });

    size_ = lineText({}, {.pixelSize = 11, .color = Theme::muted}, ElisionSide::end, this);
    size_->setObjectName(QStringLiteral("sizeText"));
    size_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    keep_ = new QPushButton(localized("Garder celle-ci et trier les copies"), this);
    keep_->setObjectName(QStringLiteral("keepButton"));
    keep_->setAccessibleName(keep_->text());
    keep_->setFont(DesignFont::system(11));
    keep_->setAutoDefault(false);
    connect(keep_, &QPushButton::clicked, this, [this] { actions_.keep(path_); });

    layout->addWidget(kind_);
    layout->addLayout(place, 1);
    layout->addWidget(preview_);
    layout->addWidget(size_);
    layout->addWidget(keep_);
}

void DuplicateFileRow::setFile(const FileRecord& file, bool keepEnabled)
{
    path_ = file.path();
    showKind(file.kind());
    // A change of text lays the row out again: rows are handed from group to group as the list
    // scrolls.
    const auto show = [](ElidedLabel& label, const QString& value) {
        if (label.text() != value) {
            label.setText(value);
        }
    };
    const QString name = shownName(
        QString::fromUtf8(file.name().data(), static_cast<qsizetype>(file.name().size())));
    show(*name_, name);
    show(*folder_, shownName(folderOf(file.path())));
    const QString size = QString::fromStdString(formattedBytes(file.size()));
    if (size_->text() != size) {
        size_->setText(size);
        size_->setFixedWidth(size_->sizeHint().width());
    }
    keep_->setEnabled(keepEnabled);
}

void DuplicateFileRow::showKind(FileKind kind)
{
    const QString wanted = QString::fromUtf8(symbol(kind));
    if (kind_->symbol() == wanted) {
        return;
    }
    auto* shown = new SymbolView(wanted, kind_->sizeHint().width(), Theme::muted, this);
    shown->setObjectName(QStringLiteral("kindSymbol"));
    delete layout()->replaceWidget(kind_, shown);
    delete kind_;
    kind_ = shown;
}

} // namespace tollenvane
