#include "app/deck/DeckView.h"

#include "app/deck/FileCardFacts.h"
#include "app/deck/ReviewRules.h"
#include "app/deck/SwipeFileCard.h"
#include "app/deck/SwipeMotionCard.h"
#include "app/design/ContinuousRoundedRect.h"
#include "app/design/EmptyState.h"
#include "app/design/ShownName.h"
#include "app/design/Theme.h"

#include <QAccessibleWidget>
#include <QPainter>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <mutex>

namespace tollenvane {
namespace {

constexpr qreal silhouetteRadius = 20;
constexpr double silhouetteOpacity = 0.55;
constexpr qreal silhouetteScale = 0.97;
constexpr qreal silhouetteDrop = 8;

// A group named after the card it holds: read out with its name when it takes the focus and each
// time the name changes, where a bare widget would be an empty filler.
QAccessibleInterface* deckAccessible(const QString& /*key*/, QObject* object)
{
    if (auto* deck = qobject_cast<DeckView*>(object)) {
        return new QAccessibleWidget(deck, QAccessible::Grouping);
    }
    return nullptr;
}

} // namespace

DeckView::DeckView(AppModel& model, FileRevealer& revealer,
                   std::function<void(SwipeMotionCard&, const std::string&)> wire, QWidget* parent)
    : QWidget(parent)
    , model_(model)
    , revealer_(revealer)
    , wire_(std::move(wire))
{
    setObjectName(QStringLiteral("deck"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // While the deck holds the focus, the review keys decide; a click on a card gives it back.
    setFocusPolicy(Qt::ClickFocus);
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&deckAccessible); });
}

QSize DeckView::frame() const
{
    return cardFrame(area().size());
}

QRect DeckView::area() const
{
    return rect().adjusted(sideMargin, 0, -sideMargin, -shadowBand);
}

void DeckView::setStack(const std::vector<FileRecord>& stack)
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
            connect(entry.card, &SwipeMotionCard::exposedChanged, this,
                    &DeckView::followSpokenName);
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
    // A card may be in the middle of its own event handler: it goes once the event loop is back.
    // The focus on a control of a card that goes comes back to the deck, not to the next control.
    for (const Entry& gone : entries_) {
        if (gone.card->isAncestorOf(window()->focusWidget())) {
            setFocus(Qt::OtherFocusReason);
        }
        gone.card->hide();
        gone.card->deleteLater();
    }
    entries_ = std::move(kept);
    for (const Entry& entry : entries_) {
        entry.card->raise();
    }
    if (entries_.empty() != (empty_ != nullptr)) {
        delete empty_;
        empty_ = nullptr;
        if (entries_.empty()) {
            setEmptyTexts(emptyTitle_, emptyMessage_);
        }
    }
    followSpokenName();
}

void DeckView::setEmptyTexts(const QString& title, const QString& message)
{
    const bool changed = title != emptyTitle_ || message != emptyMessage_;
    emptyTitle_ = title;
    emptyMessage_ = message;
    followSpokenName();
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

// While a card flies none is exposed: the deck goes on reading the card it read, and tells of
// the next one once the decision has landed.
QString DeckView::spokenName() const
{
    for (const Entry& entry : entries_) {
        if (entry.card->isExposed() && entry.face->file()) {
            return spokenFacts(fileCardFacts(*entry.face->file(), entry.face->missing()));
        }
    }
    if (entries_.empty()) {
        return spokenText(QStringList{emptyTitle_, emptyMessage_}.join(u' '));
    }
    return accessibleName();
}

// Setting the name tells assistive technology of it: only a new one is set.
void DeckView::followSpokenName()
{
    const QString name = spokenName();
    if (name != accessibleName()) {
        setAccessibleName(name);
    }
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
