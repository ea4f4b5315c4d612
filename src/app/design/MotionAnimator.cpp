#include "app/design/MotionAnimator.h"

#include <QPropertyAnimation>

namespace tollenvane {

namespace {

QVariantAnimation* start(QVariantAnimation* animation, const Motion& motion,
                         const std::function<void()>& finished)
{
    animation->setDuration(motion.durationMs);
    animation->setEasingCurve(motion.curve);
    if (finished) {
        QObject::connect(animation, &QAbstractAnimation::finished, animation,
                         [finished] { finished(); });
    }
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return animation;
}

} // namespace

QVariantAnimation* animateProperty(QObject& target, const QByteArray& property, const QVariant& end,
                                   const Motion& motion, Animations animations,
                                   const std::function<void()>& finished)
{
    if (animations == Animations::off) {
        target.setProperty(property.constData(), end);
        if (finished) {
            finished();
        }
        return nullptr;
    }
    auto* animation = new QPropertyAnimation(&target, property, &target);
    animation->setEndValue(end);
    return start(animation, motion, finished);
}

QVariantAnimation* animateValue(QObject& context, const QVariant& from, const QVariant& end,
                                const Motion& motion, Animations animations,
                                const std::function<void(const QVariant&)>& apply,
                                const std::function<void()>& finished)
{
    if (animations == Animations::off) {
        apply(end);
        if (finished) {
            finished();
        }
        return nullptr;
    }
    auto* animation = new QVariantAnimation(&context);
    animation->setStartValue(from);
    animation->setEndValue(end);
    QObject::connect(animation, &QVariantAnimation::valueChanged, animation, apply);
    return start(animation, motion, finished);
}

} // namespace tollenvane
