#include "app/deck/CardAccessible.h"

#include "app/deck/DeckView.h"
#include "app/deck/SwipeMotionCard.h"

namespace tollenvane {

CardAccessible::CardAccessible(QWidget* widget, SwipeMotionCard* card, QAccessible::Role role)
    : QAccessibleWidget(widget, role)
    , card_(card)
{}

QAccessibleInterface* CardAccessible::factory(const QString& /*key*/, QObject* object)
{
    if (object == nullptr || !object->isWidgetType()) {
        return nullptr;
    }
    auto* widget = static_cast<QWidget*>(object);
    if (auto* deck = qobject_cast<DeckView*>(widget)) {
        return new QAccessibleWidget(deck, QAccessible::Grouping);
    }
    if (auto* card = qobject_cast<SwipeMotionCard*>(widget)) {
        return new CardAccessible(widget, card, QAccessible::Grouping);
    }
    if (auto* card = qobject_cast<SwipeMotionCard*>(widget->parentWidget());
        card != nullptr && card->content() == widget) {
        return new CardAccessible(widget, card);
    }
    return nullptr;
}

bool CardAccessible::hidden() const
{
    return !card_ || !card_->isExposed();
}

QAccessible::State CardAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (hidden()) {
        state.invisible = true;
        state.offscreen = true;
        state.focusable = false;
    }
    return state;
}

QString CardAccessible::text(QAccessible::Text kind) const
{
    return hidden() ? QString() : QAccessibleWidget::text(kind);
}

int CardAccessible::childCount() const
{
    return hidden() ? 0 : QAccessibleWidget::childCount();
}

QAccessibleInterface* CardAccessible::child(int index) const
{
    return hidden() ? nullptr : QAccessibleWidget::child(index);
}

int CardAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    return hidden() ? -1 : QAccessibleWidget::indexOfChild(child);
}

} // namespace tollenvane
