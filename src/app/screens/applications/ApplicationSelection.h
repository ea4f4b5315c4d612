#pragma once

#include "core/applications/BundleStanding.h"
#include "core/base/Date.h"
#include "core/records/FileRecord.h"

#include <QString>
#include <set>
#include <string>
#include <string_view>

namespace tollenvane {

// How the list is ordered; the values are those of the "Ordre" choices.
enum class ApplicationOrder { leastRecentlyOpened = 0, largest = 1, name = 2 };

// What the user asked the list for: an order, an age in days (0: any) and a search text.
struct ApplicationQuery {
    ApplicationOrder order = ApplicationOrder::largest;
    int age = 0;
    QString search;
};

// What the page may offer for one application.
enum class ApplicationStanding { protectedApplication, running, sortable };

// Protected first (a system or own bundle, or one in a folder the deck refuses), then running:
// the deck refuses both. `standing` is the one judged with the application's record; `running`
// holds the running bundles' paths. Reads nothing.
ApplicationStanding standingOf(const BundleStanding& standing, std::string_view path,
                               const std::set<std::string>& running);

// The name shown for a bundle: its file name without one trailing ".app", whatever its case, so
// that "Foo.appliance.app" reads "Foo.appliance".
QString applicationName(std::string_view fileName);

} // namespace tollenvane
