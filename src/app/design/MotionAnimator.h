#pragma once

#include "app/design/Motion.h"

#include <QByteArray>
#include <QVariant>
#include <functional>

class QObject;
class QVariantAnimation;

namespace tollenvane {

// Whether a change moves or happens at once; callers read the animations preference at the
// moment of the action and pass it here.
enum class Animations { on, off };

// Moves a property of target to `end` along the motion, or sets it at once when animations
// are off. `finished` runs when the value has arrived (immediately when off). Returns the
// running animation, owned by target, or null when the change was applied at once.
QVariantAnimation* animateProperty(QObject& target, const QByteArray& property, const QVariant& end,
                                   const Motion& motion, Animations animations,
                                   const std::function<void()>& finished = {});

// The same for a value that is not a property: `apply` receives every step (only `end` when
// off). The animation is owned by context and stops with it.
QVariantAnimation* animateValue(QObject& context, const QVariant& start, const QVariant& end,
                                const Motion& motion, Animations animations,
                                const std::function<void(const QVariant&)>& apply,
                                const std::function<void()>& finished = {});

} // namespace tollenvane
