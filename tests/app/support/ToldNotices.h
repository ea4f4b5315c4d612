#pragma once

#include "app/design/SpokenNotice.h"
#include "support/AccessibleEvents.h"

#include <QTest>
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace tollenvane::test {

// What the notices that showed said, in the order they showed, as failures print it.
inline std::vector<std::string> noticesSaid(const AccessibleEvents& told)
{
    std::vector<std::string> said;
    for (const ToldEvent& event : told.events()) {
        if (event.type == QAccessible::ObjectShow &&
            qobject_cast<const SpokenNotice*>(event.object) != nullptr) {
            said.push_back(event.name.toStdString());
        }
    }
    return said;
}

// Runs the event loop until a notice said `text`, for a generous while; whether one did.
inline bool waitForNotice(const AccessibleEvents& told, const std::string& text)
{
    return QTest::qWaitFor(
        [&] {
            const std::vector<std::string> said = noticesSaid(told);
            return std::find(said.begin(), said.end(), text) != said.end();
        },
        10'000);
}

inline bool waitForNotice(const AccessibleEvents& told, const QString& text)
{
    return waitForNotice(told, text.toStdString());
}

// Where among the events the first notice saying `text` is, and the first focus on `object`.
inline std::optional<std::size_t> noticeAt(const AccessibleEvents& told, const QString& text)
{
    const std::vector<ToldEvent>& events = told.events();
    for (std::size_t index = 0; index < events.size(); ++index) {
        if (events[index].type == QAccessible::ObjectShow && events[index].name == text &&
            qobject_cast<const SpokenNotice*>(events[index].object) != nullptr) {
            return index;
        }
    }
    return std::nullopt;
}

inline std::optional<std::size_t> focusAt(const AccessibleEvents& told, const QObject& object)
{
    const std::vector<ToldEvent>& events = told.events();
    for (std::size_t index = 0; index < events.size(); ++index) {
        if (events[index].type == QAccessible::Focus && events[index].object == &object) {
            return index;
        }
    }
    return std::nullopt;
}

} // namespace tollenvane::test
