#include "app/preview/FilePreview.h"

#include "app/design/ApplicationIcon.h"
#include "app/design/DesignFont.h"
#include "app/design/ElidedLabel.h"
#include "app/design/LocalizedText.h"
#include "app/design/Spinner.h"
#include "app/design/SymbolView.h"
#include "app/design/Theme.h"
#include "app/preview/AudioPreview.h"
#include "app/preview/PlayButton.h"
#include "app/preview/ThumbnailCache.h"
#include "app/preview/ThumbnailView.h"
#include "core/localisation/Localization.h"
#include "model/AppModel.h"

#include <QPainter>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace tollenvane {

namespace {

ElidedLabel* mutedLabel(const QString& shown, int pixelSize)
{
    auto* label = new ElidedLabel(shown);
    label->setFont(DesignFont::system(pixelSize));
    label->setColor(Theme::muted);
    return label;
}

QVBoxLayout* centredColumn(QWidget* owner, int spacing)
{
    auto* column = new QVBoxLayout(owner);
    column->setSpacing(spacing);
    column->addStretch();
    return column;
}

QWidget* makeCloudNotice()
{
    auto* notice = new QWidget;
    QVBoxLayout* column = centredColumn(notice, 14);
    column->addWidget(new SymbolView(QStringLiteral("icloud.and.arrow.down"), 58, Theme::muted), 0,
                      Qt::AlignHCenter);
    column->addWidget(mutedLabel(localized("Disponible dans le nuage"), 14), 0, Qt::AlignHCenter);
    column->addWidget(
        mutedLabel(
            localized("Téléchargez ce fichier dans le gestionnaire de fichiers pour le trier."),
            11),
        0, Qt::AlignHCenter);
    column->addStretch();
    return notice;
}

QWidget* makeSpinnerLayer()
{
    auto* layer = new QWidget;
    auto* column = new QVBoxLayout(layer);
    column->addWidget(new Spinner(Spinner::Size::regular, Theme::orange), 0, Qt::AlignCenter);
    return layer;
}

} // namespace

FilePreview::FilePreview(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , layers_(new QStackedLayout(this))
    , cloudNotice_(makeCloudNotice())
    , audio_(new AudioPreview(model))
    , thumbnail_(new ThumbnailView)
    , spinner_(makeSpinnerLayer())
    , fallback_(new QWidget)
    , icon_(new ApplicationIcon)
    , kindLabel_(mutedLabel({}, 13))
    , play_(new PlayButton(this))
{
    icon_->setFixedSize(100, 100);
    QVBoxLayout* column = centredColumn(fallback_, 15);
    column->addWidget(icon_, 0, Qt::AlignHCenter);
    column->addWidget(kindLabel_, 0, Qt::AlignHCenter);
    column->addWidget(mutedLabel(localized("Aperçu complet avec Espace"), 11), 0, Qt::AlignHCenter);
    column->addStretch();

    for (QWidget* layer : {cloudNotice_, static_cast<QWidget*>(audio_),
                           static_cast<QWidget*>(thumbnail_), spinner_, fallback_}) {
        layers_->addWidget(layer);
    }
    play_->setObjectName(QStringLiteral("playButton"));
    play_->setToolTip(localized("Lire la vidéo"));
    connect(play_, &QAbstractButton::clicked, this, [this] { model_.openPreview(); });
    refresh();
}

void FilePreview::setFile(const FileRecord& record)
{
    if (file_ && *file_ == record) {
        return;
    }
    file_ = record;
    const std::string key = ThumbnailCache::key(record);
    if (key != key_) {
        key_ = key;
        load(record);
    }
    refresh();
}

PreviewLayer FilePreview::layer() const
{
    return file_ ? previewLayer(*file_, !image_.isNull(), loading_) : PreviewLayer::spinner;
}

void FilePreview::load(const FileRecord& record)
{
    // Dropping the ticket drops the late answer for the previous file.
    ticket_ = ThumbnailTicket();
    image_ = QImage();
    loading_ = true;
    if (record.kind() == FileKind::audio) {
        loading_ = false;
        return;
    }
    ticket_ = ThumbnailCache::shared().thumbnail(
        record, [this](const QImage& image) { showThumbnail(image); });
}

void FilePreview::showThumbnail(const QImage& image)
{
    image_ = image;
    loading_ = false;
    refresh();
}

void FilePreview::refresh()
{
    const PreviewLayer shown = layer();
    if (file_) {
        if (shown == PreviewLayer::audio) {
            audio_->setPath(std::string(file_->path()));
        }
        thumbnail_->setImage(image_, file_->kind());
        icon_->setPath(QString::fromStdString(std::string(file_->path())));
        kindLabel_->setText(QString::fromStdString(label(file_->kind())));
    }
    switch (shown) {
    case PreviewLayer::cloudNotice:
        layers_->setCurrentWidget(cloudNotice_);
        break;
    case PreviewLayer::audio:
        layers_->setCurrentWidget(audio_);
        break;
    case PreviewLayer::thumbnail:
        layers_->setCurrentWidget(thumbnail_);
        break;
    case PreviewLayer::spinner:
        layers_->setCurrentWidget(spinner_);
        break;
    case PreviewLayer::fallback:
        layers_->setCurrentWidget(fallback_);
        break;
    }
    play_->setVisible(file_ && showsPlayButton(*file_, !image_.isNull()));
    play_->raise();
}

void FilePreview::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Theme::color(Theme::soft));
}

void FilePreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    QRect centred(QPoint(), play_->size());
    centred.moveCenter(rect().center());
    play_->move(centred.topLeft());
}

} // namespace tollenvane
