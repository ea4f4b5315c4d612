#include "app/deck/SwipeFileCard.h"

#include "app/deck/CardOutline.h"
#include "app/deck/KeyedControlText.h"
#include "app/decoding/BackgroundJob.h"
#include "app/design/ContinuousRoundedRect.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainButton.h"
#include "app/design/Symbol.h"
#include "app/kit/FileRevealer.h"
#include "app/kit/SymbolButtonText.h"
#include "app/preview/FilePreview.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace tollenvane {
namespace {

constexpr qreal cornerRadius = 18;
constexpr int nameSize = 15;
constexpr int detailSize = 10;
constexpr int skipSize = 11;

QString qtext(std::string_view key)
{
    return localized(key);
}

ElidedLabel* detail(const char* objectName, ThemeColor color, ElisionSide side = ElisionSide::end)
{
    auto* label = new ElidedLabel({}, side);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setFont(DesignFont::system(detailSize));
    label->setColor(color);
    return label;
}

ElidedLabel* dot()
{
    auto* label = detail("", Theme::muted);
    label->setText(QStringLiteral("·"));
    return label;
}

} // namespace

SwipeFileCard::SwipeFileCard(AppModel& model, FileRevealer& revealer, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , revealer_(revealer)
    , queued_(*this, [this] { refresh(); })
    , preview_(new FilePreview(model))
    , name_(new ElidedLabel({}, ElisionSide::middle))
    , fullPreview_(new PlainButton(QStringLiteral("arrow.up.left.and.arrow.down.right"),
                                   Symbol::sideBeside(nameSize), Theme::text))
    , kind_(detail("kindLabel", Theme::orange))
    , size_(detail("sizeLabel", Theme::muted))
    , modified_(detail("modifiedLabel", Theme::muted))
    , created_(detail("createdLabel", Theme::muted))
    , folder_(detail("folderLabel", Theme::muted, ElisionSide::middle))
    , reveal_(
          new PlainButton(QStringLiteral("folder"), Symbol::sideBeside(detailSize), Theme::muted))
    , skip_(new PlainButton(QString(), Theme::orange))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(preview_, 1);
    column->addWidget(buildInformation());
    outline_ = new CardOutline(cornerRadius, this);

    connect(fullPreview_, &QAbstractButton::clicked, &model_, &AppModel::openPreview);
    connect(reveal_, &QAbstractButton::clicked, this, [this] {
        if (file_) {
            revealer_.reveal(std::string(file_->path()));
        }
    });
    connect(skip_, &QAbstractButton::clicked, &model_, &AppModel::skipUnavailable);
    // The language lives in the saved state; busy gates the skip.
    queued_.follow(model_, {&AppModel::stateChanged, &AppModel::busyChanged});
    refresh();
}

QWidget* SwipeFileCard::buildInformation()
{
    auto* information = new QWidget;
    auto* rows = new QVBoxLayout(information);
    rows->setContentsMargins(20, 20, 20, 20);
    rows->setSpacing(10);

    name_->setObjectName(QStringLiteral("nameLabel"));
    name_->setFont(DesignFont::system(nameSize, QFont::DemiBold));
    name_->setColor(Theme::text);
    fullPreview_->setObjectName(QStringLiteral("fullPreviewButton"));
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name_, 1);
    nameRow->addWidget(fullPreview_);
    rows->addLayout(nameRow);

    auto* metadata = new QHBoxLayout;
    metadata->setSpacing(9);
    metadata->addWidget(kind_);
    metadata->addWidget(dot());
    metadata->addWidget(size_);
    metadata->addWidget(dot());
    metadata->addWidget(modified_);
    metadata->addStretch(1);
    metadata->addWidget(created_);
    rows->addLayout(metadata);

    reveal_->setObjectName(QStringLiteral("revealButton"));
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(reveal_);
    rows->addLayout(folderRow);

    skip_->setObjectName(QStringLiteral("skipButton"));
    skip_->setFont(DesignFont::system(skipSize));
    skip_->hide();
    rows->addWidget(skip_, 0, Qt::AlignLeft);
    return information;
}

void SwipeFileCard::setFile(const FileRecord& record)
{
    if (file_ == record) {
        return;
    }
    const bool newPath = !file_ || file_->path() != record.path();
    file_ = record;
    preview_->setFile(record);
    if (newPath) {
        missing_ = false;
        checkReachability();
    }
    refresh();
}

void SwipeFileCard::checkReachability()
{
    const std::string path(file_->path());
    runInBackground<bool>(
        this, [path] { return !QFileInfo::exists(QString::fromStdString(path)); },
        [this, path](bool missing) {
            // The card has moved on to another file: this answer is about nothing shown.
            if (!file_ || file_->path() != path) {
                return;
            }
            missing_ = missing;
            refresh();
        });
}

void SwipeFileCard::refresh()
{
    setKeyedControlText(*fullPreview_, qtext("Aperçu complet"), qtext("Espace"),
                        qtext("Aperçu complet · Espace"));
    setSymbolButtonText(*reveal_, qtext("Afficher dans le gestionnaire de fichiers"));
    skip_->setText(qtext("Passer ce fichier inaccessible"));
    skip_->setEnabled(!model_.busy());
    if (!file_) {
        return;
    }
    const FileCardFacts facts = fileCardFacts(*file_, missing_);
    name_->setText(facts.name);
    kind_->setText(facts.kind);
    size_->setText(facts.size);
    modified_->setText(facts.modified);
    created_->setText(facts.created);
    folder_->setText(facts.folder);
    fullPreview_->setEnabled(facts.previewEnabled);
    skip_->setVisible(facts.skipShown);
    skip_->updateGeometry();
}

void SwipeFileCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::color(Theme::panel));
    painter.drawPath(continuousRoundedRect(QRectF(rect()), cornerRadius));
}

void SwipeFileCard::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // Children are clipped to the rounded shape; the outline smooths its stepped edge.
    setMask(
        QRegion(continuousRoundedRect(QRectF(rect()), cornerRadius).toFillPolygon().toPolygon()));
    outline_->setGeometry(rect());
    outline_->raise();
}

} // namespace tollenvane
