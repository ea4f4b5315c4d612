#include "support/AccessibleEvents.h"

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QMetaEnum>
#include <algorithm>
#include <iterator>

namespace tollenvane::test {

namespace {

// The recorder that hears events first; each hands them on to the one it was made within.
AccessibleEvents* innermost = nullptr;

// Qt's own reading of the platform, whose flag says whether anyone listens.
QPlatformAccessibility& platformAccessibility()
{
    QPlatformAccessibility* platform =
        QGuiApplicationPrivate::platformIntegration()->accessibility();
    if (platform == nullptr) {
        qFatal("The platform has no accessibility to make active");
    }
    return *platform;
}

bool makeActive()
{
    const bool was = platformAccessibility().isActive();
    platformAccessibility().setActive(true);
    return was;
}

ToldEvent toldOf(QAccessibleEvent& event)
{
    ToldEvent told;
    told.type = event.type();
    told.object = event.object();
    // An object being made or unmade has no reading to give.
    if (event.type() != QAccessible::ObjectCreated &&
        event.type() != QAccessible::ObjectDestroyed) {
        if (QAccessibleInterface* read = event.accessibleInterface(); read != nullptr) {
            told.name = read->text(QAccessible::Name);
        }
    }
    switch (event.type()) {
    case QAccessible::TextInserted:
        told.text = static_cast<QAccessibleTextInsertEvent&>(event).textInserted();
        break;
    case QAccessible::TextRemoved:
        told.text = static_cast<QAccessibleTextRemoveEvent&>(event).textRemoved();
        break;
    case QAccessible::TextUpdated:
        told.text = static_cast<QAccessibleTextUpdateEvent&>(event).textInserted();
        break;
    case QAccessible::TextCaretMoved:
        told.caret = static_cast<QAccessibleTextCursorEvent&>(event).cursorPosition();
        break;
    case QAccessible::StateChanged:
        told.changed = static_cast<QAccessibleStateChangeEvent&>(event).changedStates();
        break;
    default:
        break;
    }
    return told;
}

} // namespace

AccessibleEvents::AccessibleEvents()
    : outer_(innermost)
    , previousHandler_(QAccessible::installUpdateHandler(&AccessibleEvents::record))
    , wasActive_(makeActive())
{
    innermost = this;
}

AccessibleEvents::~AccessibleEvents()
{
    innermost = outer_;
    QAccessible::installUpdateHandler(previousHandler_);
    platformAccessibility().setActive(wasActive_);
}

void AccessibleEvents::record(QAccessibleEvent* event)
{
    const ToldEvent told = toldOf(*event);
    for (AccessibleEvents* recorder = innermost; recorder != nullptr; recorder = recorder->outer_) {
        recorder->events_.push_back(told);
    }
}

std::vector<ToldEvent> AccessibleEvents::about(const QObject* object, QAccessible::Event type) const
{
    std::vector<ToldEvent> found;
    std::copy_if(events_.begin(), events_.end(), std::back_inserter(found),
                 [&](const ToldEvent& told) { return told.object == object && told.type == type; });
    return found;
}

bool AccessibleEvents::waitFor(const QObject* object, QAccessible::Event type,
                               const std::function<bool(const ToldEvent&)>& holds,
                               std::chrono::milliseconds deadline)
{
    const auto come = [&] {
        const std::vector<ToldEvent> found = about(object, type);
        return std::any_of(found.begin(), found.end(),
                           [&](const ToldEvent& told) { return !holds || holds(told); });
    };
    const QDeadlineTimer timer(deadline);
    while (!come()) {
        if (timer.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

std::string AccessibleEvents::transcript() const
{
    const QMetaEnum types = QMetaEnum::fromType<QAccessible::Event>();
    std::string lines;
    for (const ToldEvent& told : events_) {
        const QString object = told.object == nullptr
                                   ? QStringLiteral("gone")
                                   : QString::fromLatin1(told.object->metaObject()->className()) +
                                         QLatin1Char(' ') + told.object->objectName();
        lines +=
            QStringLiteral("%1 %2 \"%3\" %4\n")
                .arg(QString::fromLatin1(types.valueToKey(told.type)), object, told.name, told.text)
                .toStdString();
    }
    return lines;
}

} // namespace tollenvane::test
