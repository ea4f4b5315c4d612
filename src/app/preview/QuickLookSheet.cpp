#include "app/preview/QuickLookSheet.h"

#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LocalizedText.h"
#include "app/design/PlainToolTip.h"
#include "app/design/ShownName.h"
#include "app/design/SpokenName.h"
#include "app/design/SymbolView.h"
#include "app/design/Theme.h"
#include "app/preview/FileViewer.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

// The symbol sits on the 13-pixel text line of the header.
constexpr int symbolSide = 15;

} // namespace

QuickLookSheet::QuickLookSheet(AppModel& model, const FileRecord& file, QWidget* parent)
    : QDialog(parent)
    , model_(model)
    , header_(new QHBoxLayout)
    , name_(new ElidedLabel({}, ElisionSide::end))
    , viewer_(new FileViewer)
{
    setObjectName(QStringLiteral("quickLookSheet"));
    setWindowModality(Qt::WindowModal);
    setFixedSize(fixedSize);
    name_->setObjectName(QStringLiteral("fileName"));
    name_->setFont(DesignFont::system(13, QFont::Medium));
    name_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* close = new QPushButton(localized("Fermer"));
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QuickLookSheet::reject);

    header_->setContentsMargins(20, 20, 20, 20);
    header_->setSpacing(8);
    header_->addWidget(name_, 1);
    header_->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addLayout(header_);
    column->addWidget(viewer_, 1);
    setFile(file);
    // The keys scroll the content from the start; Tab reaches the button.
    viewer_->setFocus();
}

void QuickLookSheet::setFile(const FileRecord& file)
{
    if (!symbol_ || !file_ || file_->kind() != file.kind()) {
        delete symbol_;
        symbol_ =
            new SymbolView(QString::fromUtf8(symbol(file.kind()).data(),
                                             static_cast<qsizetype>(symbol(file.kind()).size())),
                           symbolSide, Theme::orange);
        header_->insertWidget(0, symbol_);
    }
    const QString path = QString::fromStdString(std::string(file.path()));
    name_->setText(shownName(std::string(file.name())));
    setPlainToolTip(*name_, name_->text());
    // Opened, the preview is heard as the file it shows.
    setSpokenName(*this, name_->text());
    file_ = file;
    viewer_->setContentName(name_->text());
    viewer_->setPath(path);
}

void QuickLookSheet::reject()
{
    model_.setShowPreview(false);
    model_.clearInspectedFile();
    // A closed sheet may live on until its presenter deletes it; its work and sound must not.
    viewer_->stop();
    QDialog::reject();
}

void QuickLookSheet::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Theme::color(Theme::bg));
}

} // namespace tollenvane
