#include "app/deck/FlightStage.h"

#include "app/deck/DeckView.h"
#include "app/deck/SwipeMotionCard.h"

#include <QPainter>

namespace tollenvane {

FlightStage::FlightStage(const DeckView& deck, QWidget* parent)
    : QWidget(parent)
    , deck_(deck)
{
    setObjectName(QStringLiteral("flightStage"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

// Back to front, as the deck stacks its cards; the deck and the stage share the screen.
void FlightStage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (SwipeMotionCard* card :
         deck_.findChildren<SwipeMotionCard*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (card->isVisible() && card->awayFromMiddle()) {
            painter.save();
            painter.translate(mapFrom(parentWidget(), card->mapTo(parentWidget(), QPoint())));
            card->paintCard(painter);
            painter.restore();
        }
    }
}

} // namespace tollenvane
