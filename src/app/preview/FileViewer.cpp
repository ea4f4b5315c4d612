#include "app/preview/FileViewer.h"

#include "app/decoding/BackgroundJob.h"
#include "app/design/Spinner.h"
#include "app/design/SpokenName.h"
#include "app/design/Theme.h"
#include "app/preview/MediaPlayerView.h"
#include "app/preview/MetadataCard.h"
#include "app/preview/PdfPane.h"
#include "app/preview/TextPane.h"
#include "app/preview/ThumbnailView.h"

#include <QMediaPlayer>
#include <QVBoxLayout>
#include <utility>

namespace tollenvane {

namespace {

QWidget* imagePane(const QImage& image)
{
    auto* view = new ThumbnailView;
    view->setImage(image, FileKind::image);
    return view;
}

} // namespace

FileViewer::FileViewer(QWidget* parent)
    : QWidget(parent)
    , layout_(new QVBoxLayout(this))
{
    layout_->setContentsMargins(0, 0, 0, 0);
}

FileViewer::~FileViewer()
{
    abandonReading();
}

void FileViewer::setPath(const QString& path)
{
    path_ = path;
    const std::uint64_t generation = ++generation_;
    shown_.reset();
    auto* waiting = new QWidget;
    // Holds the focus for the content to come.
    waiting->setFocusPolicy(Qt::StrongFocus);
    auto* centre = new QVBoxLayout(waiting);
    centre->addWidget(new Spinner(Spinner::Size::regular, Theme::orange), 0, Qt::AlignCenter);
    replacePane(waiting);

    abandonReading();
    auto abandoned = std::make_shared<std::atomic<bool>>(false);
    abandoned_ = abandoned;
    const ViewerKind kind = viewerKindFor(path);
    runInBackground<ViewerContent>(
        this,
        [file = path.toStdString(), kind, abandoned] {
            return loadViewerContent(file, kind, *abandoned);
        },
        [this, generation, kind](ViewerContent content) {
            if (generation == generation_) {
                showContent(kind, std::move(content));
            }
        });
}

void FileViewer::setContentName(const QString& name)
{
    contentName_ = name;
    if (pane_ != nullptr && pane_->focusPolicy() != Qt::NoFocus) {
        setSpokenName(*pane_, contentName_);
    }
}

void FileViewer::stop()
{
    abandonReading();
    if (auto* player = qobject_cast<MediaPlayerView*>(pane_)) {
        player->stop();
    }
    if (auto* pages = qobject_cast<PdfPane*>(pane_)) {
        pages->stopDrawing();
    }
}

void FileViewer::abandonReading()
{
    if (abandoned_) {
        abandoned_->store(true);
    }
}

bool FileViewer::isPlaying() const
{
    const auto* player = qobject_cast<const MediaPlayerView*>(pane_);
    return player != nullptr && player->player().playbackState() == QMediaPlayer::PlayingState;
}

void FileViewer::showContent(ViewerKind kind, ViewerContent content)
{
    size_ = content.size;
    switch (content.form) {
    case ViewerContent::Form::card:
        showCard();
        return;
    case ViewerContent::Form::image:
        replacePane(imagePane(content.image));
        break;
    case ViewerContent::Form::text:
        replacePane(new TextPane(content.text));
        break;
    case ViewerContent::Form::pdf:
        replacePane(new PdfPane(content.checked, content.pages));
        break;
    case ViewerContent::Form::media: {
        auto* player =
            new MediaPlayerView(kind == ViewerKind::video ? MediaPlayerView::Picture::video
                                                          : MediaPlayerView::Picture::sound);
        // Queued: the player that reports the failure is the pane being replaced. Only the
        // pane still shown may give way to the card.
        connect(
            player, &MediaPlayerView::failed, player,
            [this, player] {
                if (pane_ == player) {
                    showCard();
                }
            },
            Qt::QueuedConnection);
        replacePane(player);
        player->open(content.checked);
        break;
    }
    }
    shown_ = content.form;
    emit contentShown();
}

void FileViewer::showCard()
{
    replacePane(new MetadataCard(path_, size_));
    shown_ = ViewerContent::Form::card;
    emit contentShown();
}

void FileViewer::replacePane(QWidget* pane)
{
    const QWidget* focused = window()->focusWidget();
    const bool holdsFocus = focused == this || isAncestorOf(focused);
    QWidget* previous = std::exchange(pane_, pane);
    // Content that scrolls takes the keys; the viewer gives the focus on to it, before the pane
    // that held it goes and would pass it on to the next control.
    const bool takesKeys = pane_->focusPolicy() != Qt::NoFocus;
    if (takesKeys) {
        setSpokenName(*pane_, contentName_);
    }
    layout_->addWidget(pane_);
    pane_->show();
    setFocusProxy(takesKeys ? pane_ : nullptr);
    setFocusPolicy(takesKeys ? Qt::StrongFocus : Qt::NoFocus);
    if (holdsFocus) {
        if (takesKeys) {
            pane_->setFocus();
        } else {
            focusNextControl();
        }
    }
    if (previous != nullptr) {
        layout_->removeWidget(previous);
        // Later: the pane may be the sender of the signal that brought us here.
        previous->hide();
        previous->deleteLater();
    }
}

// Content that takes no keys hands the focus to the next control that shows it, so that it never
// rests where no ring can be drawn.
void FileViewer::focusNextControl()
{
    setFocus();
    for (QWidget* next = nextInFocusChain(); next != nullptr && next != this;
         next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) != 0 && next->isVisibleTo(window()) &&
            next->isEnabled() && !isAncestorOf(next)) {
            window()->setAttribute(Qt::WA_KeyboardFocusChange);
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

} // namespace tollenvane
