#include "app/deck/DeckView.h"

#include "app/deck/FileCardFacts.h"
#include "app/deck/ReviewRules.h"
#include "app/deck/SwipeFileCard.h"
#include "app/deck/SwipeMotionCard.h"
#include "app/design/ContinuousRoundedRect.h"
#include "app/design/EmptyState.h"
#include "app/design/ShownName.h"
#include "app/design/SpokenName.h"
#include "app/design/SpokenNotice.h"
#include "app/design/Theme.h"

#include <QApplication>
#include <QPainter>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace tollenvane {
namespace {

constexpr qreal silhouetteRadius = 20;
constexpr double silhouetteOpacity = 0.55;
constexpr qreal silhouetteScale = 0.97;
constexpr qreal silhouetteDrop = 8;

} // namespace

DeckView::DeckView(AppModel& model, FileRevealer& revealer,
                   std::function<void(SwipeMotionCard&, const std::string&)> wire, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , revealer_(revealer)
    , wire_(std::move(wire))
    , notice_(new SpokenNotice(this))
{
    setObjectName(QStringLiteral("deck"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // While the deck holds the focus, the review keys decide; a click on a card gives it back.
    setFocusPolicy(Qt::ClickFocus);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
}

DeckView::~DeckView()
{
    disconnect(qApp, nullptr, this, nullptr);
}

QSize DeckView::frame() const
{
    return cardFrame(area().size());
}

QRect DeckView::area() const
{
    return rect().adjusted(sideMargin, 0, -sideMargin, -shadowBand);
}

void DeckView::setStack(const std::vector<FileRecord>& stack,
                        const std::optional<std::string>& exposed)
{
    std::vector<Entry> kept;
    for (const FileRecord& record : stack) {
        const auto found = std::find_if(entries_.begin(), entries_.end(),
                                        [&](const Entry& e) { return e.path == record.path(); });
        Entry entry;
        if (found != entries_.end()) {
            entry = *found;
            entries_.erase(found);
        } else {
            auto* face = new SwipeFileCard(model_, revealer_);
            entry = {std::string(record.path()), new SwipeMotionCard(face, this), face};
            entry.card->setFaceSize(frame());
            entry.card->setMargins(QMargins(sideMargin, 0, sideMargin, shadowBand));
            entry.card->setGeometry(rect());
            // Heard once the screen exposes it, not while it arrives behind or under a flight.
            entry.card->setExposed(false);
            wire_(*entry.card, entry.path);
            // The cards a moving one uncovers are drawn from pictures: fresh ones, taken before
            // the first frame.
            connect(entry.card, &SwipeMotionCard::motionStarting, this, [this, card = entry.card] {
                for (const Entry& other : entries_) {
                    if (other.card != card) {
                        other.card->refreshSnapshot();
                    }
                }
            });
            entry.card->show();
        }
        entry.face->setFile(record);
        kept.push_back(entry);
    }
    const std::vector<Entry> gone = std::exchange(entries_, std::move(kept));
    for (const Entry& entry : entries_) {
        entry.card->raise();
    }
    expose(exposed);
    passFocus();
    // A card may be in the middle of its own event handler: it goes once the event loop is back.
    for (const Entry& entry : gone) {
        const bool held = entry.card->isAncestorOf(window()->focusWidget());
        entry.card->hide();
        if (held) {
            leaving_ = entry.card;
        } else {
            entry.card->deleteLater();
        }
    }
    if (entries_.empty() != (empty_ != nullptr)) {
        delete empty_;
        empty_ = nullptr;
        if (entries_.empty()) {
            setEmptyTexts(emptyTitle_, emptyMessage_);
        }
    }
    followName();
}

// Heard as the placeholder when it holds the focus itself, and as nothing around a card.
void DeckView::followName()
{
    setSpokenName(*this, entries_.empty() ? QStringList{emptyTitle_, emptyMessage_}.join(u' ')
                                          : QString());
}

// Named before it shows, as a change of name is never heard; the folder tells two copies of one
// name apart.
void DeckView::expose(const std::optional<std::string>& exposed)
{
    SwipeMotionCard* shown = nullptr;
    for (const Entry& entry : entries_) {
        const bool current = exposed == entry.path;
        if (current && entry.face->file()) {
            const FileCardFacts facts = fileCardFacts(*entry.face->file(), entry.face->missing());
            setSpokenName(*entry.card, spokenFacts(facts));
            setSpokenDescription(*entry.card, facts.folder);
            shown = entry.card;
        }
        entry.card->setExposed(current);
    }
    if (shown != focusProxy()) {
        unheard_ = shown;
    }
    setFocusProxy(shown);
}

// The focus on the deck, or on a card that is no longer the one read out, goes to the card that
// is.
void DeckView::passFocus()
{
    const QWidget* focus = window()->focusWidget();
    SwipeMotionCard* shown = qobject_cast<SwipeMotionCard*>(focusProxy());
    if (shown != nullptr && isAncestorOf(focus) && !shown->isAncestorOf(focus)) {
        shown->setFocus(Qt::OtherFocusReason);
    }
    dropLeaving();
}

void DeckView::focusChanged(QWidget* now)
{
    if (now != nullptr && now == unheard_) {
        unheard_ = nullptr;
    }
    dropLeaving();
}

void DeckView::tellUnheard()
{
    const QPointer<SwipeMotionCard> card = std::exchange(unheard_, nullptr);
    const QWidget* focus = window()->focusWidget();
    if (card == nullptr || card != focusProxy() || focus == nullptr || focus == this ||
        isAncestorOf(focus) || !parentWidget()->isAncestorOf(focus)) {
        return;
    }
    notice_->say(QStringList{card->accessibleName(), card->accessibleDescription()}.join(
        QStringLiteral(", ")));
}

void DeckView::dropLeaving()
{
    if (leaving_ && !leaving_->isAncestorOf(window()->focusWidget())) {
        leaving_->hide();
        leaving_->deleteLater();
        leaving_ = nullptr;
    }
}

void DeckView::takeKeys()
{
    if (focusProxy() == nullptr && !entries_.empty()) {
        entries_.back().card->setFocus(Qt::OtherFocusReason);
    } else {
        setFocus(Qt::OtherFocusReason);
    }
}

bool DeckView::holdsKeys(const QWidget* focus) const
{
    return focus == this || (focus != nullptr && focus->parentWidget() == this &&
                             qobject_cast<const SwipeMotionCard*>(focus) != nullptr);
}

void DeckView::setEmptyTexts(const QString& title, const QString& message)
{
    const bool changed = title != emptyTitle_ || message != emptyMessage_;
    emptyTitle_ = title;
    emptyMessage_ = message;
    followName();
    if (!entries_.empty() || (empty_ != nullptr && !changed)) {
        return;
    }
    delete empty_;
    empty_ = new EmptyState(QStringLiteral("rectangle.stack"), title, message, this);
    empty_->setObjectName(QStringLiteral("emptyDeck"));
    empty_->setGeometry(area());
    empty_->show();
}

SwipeMotionCard* DeckView::card(std::string_view path) const
{
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& entry) { return entry.path == path; });
    return found == entries_.end() ? nullptr : found->card;
}

std::vector<std::string> DeckView::paths() const
{
    std::vector<std::string> paths;
    for (const Entry& entry : entries_) {
        paths.push_back(entry.path);
    }
    return paths;
}

void DeckView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    for (const Entry& entry : entries_) {
        entry.card->setFaceSize(frame());
        entry.card->setGeometry(rect());
    }
    if (empty_ != nullptr) {
        empty_->setGeometry(area());
    }
}

void DeckView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor fill = Theme::color(Theme::panel);
    fill.setAlphaF(silhouetteOpacity);
    QRectF silhouette(QPointF(), QSizeF(frame()) * silhouetteScale);
    silhouette.moveCenter(QRectF(area()).center() + QPointF(0, silhouetteDrop));
    painter.fillPath(continuousRoundedRect(silhouette, silhouetteRadius), fill);
}

} // namespace tollenvane
