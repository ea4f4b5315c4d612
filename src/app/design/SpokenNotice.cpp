#include "app/design/SpokenNotice.h"

#include "app/design/ShownName.h"

#include <QAccessibleWidget>

namespace tollenvane {

SpokenNotice::SpokenNotice(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(1, 1);
    hide();
}

void SpokenNotice::say(const QString& text)
{
    // Heard as it shows: hidden first, so that the same text is heard again.
    hide();
    setAccessibleName(spokenText(text));
    show();
}

void SpokenNotice::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (!isHidden()) {
        hide();
    }
}

QAccessibleInterface* SpokenNotice::create(const QString& className, QObject* object)
{
    auto* notice = className == QLatin1String(SpokenNotice::staticMetaObject.className())
                       ? qobject_cast<SpokenNotice*>(object)
                       : nullptr;
    return notice != nullptr ? new QAccessibleWidget(notice, QAccessible::Notification) : nullptr;
}

} // namespace tollenvane
