#include "app/deck/FlightStage.h"

#include "app/deck/DeckView.h"
#include "app/deck/SwipeMotionCard.h"

#include <QEvent>
#include <QPainter>

namespace tollenvane {

FlightStage::FlightStage(const DeckView& deck, QWidget& screen)
    : QWidget(&screen)
    , deck_(&deck)
    , screen_(&screen)
{
    setObjectName(QStringLiteral("flightStage"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    screen.installEventFilter(this);
    // Once the screen has shown, the stage lives in the window: it must not outlive the deck it
    // draws from.
    connect(&deck, &QObject::destroyed, this, [this] {
        hide();
        deleteLater();
    });
}

bool FlightStage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == screen_) {
        if (event->type() == QEvent::Show) {
            coverWindow();
        } else if (event->type() == QEvent::Hide) {
            hide();
        }
    }
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        setGeometry(parentWidget()->rect());
    }
    return QWidget::eventFilter(watched, event);
}

// Done each time the screen shows: the screen may have moved to another window in between, and
// the window may have raised other layers.
void FlightStage::coverWindow()
{
    QWidget* window = screen_->window();
    if (parentWidget() != window) {
        if (parentWidget() != screen_) {
            parentWidget()->removeEventFilter(this);
        }
        setParent(window);
        window->installEventFilter(this);
    }
    setGeometry(window->rect());
    raise();
    show();
}

// Back to front, as the deck stacks its cards.
void FlightStage::paintEvent(QPaintEvent*)
{
    if (!deck_) {
        return;
    }
    QPainter painter(this);
    for (SwipeMotionCard* card :
         deck_->findChildren<SwipeMotionCard*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (card->isVisible() && card->awayFromMiddle()) {
            painter.save();
            painter.translate(mapFrom(parentWidget(), card->mapTo(parentWidget(), QPoint())));
            card->paintCard(painter);
            painter.restore();
        }
    }
}

} // namespace tollenvane
