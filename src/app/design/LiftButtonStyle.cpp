#include "app/design/LiftButtonStyle.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QPainter>

namespace tollenvane {

namespace {

constexpr double disabledOpacity = 0.42;
constexpr double pressedOpacity = 0.78;

// Keeps a tile's opacity effect in step with its state; enabled changes come as events only.
class LiftFollower : public QObject {
public:
    LiftFollower(QAbstractButton& tile, QGraphicsOpacityEffect& effect)
        : QObject(&tile)
        , tile_(tile)
        , effect_(effect)
    {
        tile.installEventFilter(this);
        connect(&tile, &QAbstractButton::pressed, this, &LiftFollower::refresh);
        connect(&tile, &QAbstractButton::released, this, &LiftFollower::refresh);
        refresh();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            refresh();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void refresh()
    {
        effect_.setOpacity(LiftButtonStyle::opacity(tile_.isEnabled(), tile_.isDown()));
    }

    QAbstractButton& tile_;
    QGraphicsOpacityEffect& effect_;
};

} // namespace

double LiftButtonStyle::opacity(bool enabled, bool pressed)
{
    if (!enabled) {
        return disabledOpacity;
    }
    return pressed ? pressedOpacity : 1.0;
}

void LiftButtonStyle::applyTo(QPainter& painter, const QAbstractButton& button)
{
    painter.setOpacity(opacity(button.isEnabled(), button.isDown()));
}

void LiftButtonStyle::attach(QAbstractButton& tile)
{
    auto* effect = new QGraphicsOpacityEffect(&tile);
    tile.setGraphicsEffect(effect);
    new LiftFollower(tile, *effect);
}

} // namespace tollenvane
