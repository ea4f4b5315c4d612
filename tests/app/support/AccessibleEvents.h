#pragma once

#include <QAccessible>
#include <QPointer>
#include <QString>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace tollenvane::test {

// One event the application sent to assistive technology, as things stood when it was sent.
struct ToldEvent {
    QAccessible::Event type = QAccessible::InvalidEvent;
    // Null once the object is gone.
    QPointer<QObject> object;
    // The object's accessible name: what a notice says as it shows.
    QString name;
    // The text put in, taken out, or put in place of another.
    QString text;
    // The states a state change is about.
    QAccessible::State changed;
    // Where a caret moved to.
    int caret = -1;
};

// Every event the application sends to assistive technology while this lives, as a screen
// reader's bridge is sent them, on whatever platform the tests run: Qt sends none until
// accessibility is active, so it is active meanwhile. What this replaces is put back as it goes.
class AccessibleEvents final {
public:
    AccessibleEvents();
    ~AccessibleEvents();
    AccessibleEvents(const AccessibleEvents&) = delete;
    AccessibleEvents& operator=(const AccessibleEvents&) = delete;

    const std::vector<ToldEvent>& events() const { return events_; }
    void clear() { events_.clear(); }

    // The events of `type` about `object`, in the order they were sent.
    std::vector<ToldEvent> about(const QObject* object, QAccessible::Event type) const;
    // Runs the event loop until an event of `type` about `object` that `holds` (if given) is
    // among those recorded, for at most `deadline`; whether one is.
    bool waitFor(const QObject* object, QAccessible::Event type,
                 const std::function<bool(const ToldEvent&)>& holds = {},
                 std::chrono::milliseconds deadline = std::chrono::seconds(10));
    // Every event, one a line, for a failure's message.
    std::string transcript() const;

private:
    static void record(QAccessibleEvent* event);

    std::vector<ToldEvent> events_;
    AccessibleEvents* const outer_;
    const QAccessible::UpdateHandler previousHandler_;
    const bool wasActive_;
};

} // namespace tollenvane::test
