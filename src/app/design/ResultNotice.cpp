#include "app/design/ResultNotice.h"

#include "app/design/SpokenNotice.h"

#include <QEvent>
#include <QWidget>

namespace tollenvane {

ResultNotice::ResultNotice(QWidget& owner, const QString& name)
    : QObject(&owner)
    , owner_(owner)
    , notice_(new SpokenNotice(&owner))
{
    notice_->setObjectName(name);
    owner_.installEventFilter(this);
}

void ResultNotice::tell(const QString& text)
{
    heard_ = text;
    waiting_ = text;
    if (queued_) {
        return;
    }
    queued_ = true;
    // Posted, so that the focus the same action moves goes first.
    QMetaObject::invokeMethod(this, &ResultNotice::deliver, Qt::QueuedConnection);
}

void ResultNotice::tellChange(const QString& text)
{
    if (text != heard_) {
        tell(text);
    }
}

void ResultNotice::know(const QString& text)
{
    heard_ = text;
}

void ResultNotice::deliver()
{
    queued_ = false;
    if (!owner_.isVisible()) {
        waiting_.clear();
        return;
    }
    QWidget* window = owner_.window();
    if (!window->isActiveWindow()) {
        if (!awaitsWindow_ && window != &owner_) {
            window->installEventFilter(this);
        }
        awaitsWindow_ = true;
        return;
    }
    notice_->say(waiting_);
    waiting_.clear();
}

bool ResultNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &owner_ && event->type() == QEvent::Hide) {
        notice_->hide();
    }
    if (awaitsWindow_ && watched == owner_.window() && event->type() == QEvent::WindowActivate) {
        awaitsWindow_ = false;
        if (watched != &owner_) {
            watched->removeEventFilter(this);
        }
        if (!waiting_.isEmpty() && !queued_) {
            queued_ = true;
            QMetaObject::invokeMethod(this, &ResultNotice::deliver, Qt::QueuedConnection);
        }
    }
    return false;
}

} // namespace tollenvane
