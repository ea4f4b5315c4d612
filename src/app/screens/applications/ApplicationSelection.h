#pragma once

#include "core/base/Date.h"
#include "core/records/FileRecord.h"

#include <QString>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

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

// What the deck's rules need of a bundle that only the disk can tell, read once per bundle:
// its path with links resolved, and whether the folder that holds it may be changed.
struct BundleFacts {
    std::string judged;
    bool acceptedLocation = true;
};

// The facts of each bundle, read once; whether its folder may be changed is read once per folder,
// as it is the same for every bundle the folder holds.
class BundleFactsCache {
public:
    const BundleFacts& of(std::string_view bundle);

private:
    std::map<std::string, BundleFacts, std::less<>> bundles_;
    std::map<std::string, bool, std::less<>> folders_;
};

// Protected first (a system or own bundle, or one in a folder the deck refuses), then running:
// the deck refuses both. `running` holds the running bundles' paths.
ApplicationStanding standingOf(const FileRecord& application, const BundleFacts& facts,
                               const std::set<std::string>& running,
                               const std::optional<std::string>& own);

// The name shown for a bundle: its file name without one trailing ".app", whatever its case, so
// that "Foo.appliance.app" reads "Foo.appliance".
QString applicationName(std::string_view fileName);

} // namespace tollenvane
