#pragma once

#include "core/base/FileStatus.h"
#include "core/base/UniqueFd.h"
#include "core/records/FileIdentity.h"

#include <optional>
#include <string>
#include <vector>

namespace tollenvane {

// The depth-first walk of one application folder, one entry per step, each folder's names in
// byte order. Hidden entries and names that are not UTF-8 are passed over; links are given but
// never followed; packages (bundles among them) and folders already on the descent path are
// never entered. What cannot be read is passed over silently: an application folder holds
// nothing of the user's that a problem text would help with.
class ApplicationWalk {
public:
    struct Entry {
        std::string path; // the root as given, then the names met below it
        FileStatus status;
    };

    // Opens the root, following a link there (the user may keep applications elsewhere).
    // Throws PlatformError when it cannot be opened as a folder.
    explicit ApplicationWalk(const std::string& root);

    // The next entry, a folder before what it holds; nothing once the walk is over.
    std::optional<Entry> next();

private:
    struct Folder {
        UniqueFd fd;
        std::string path;
        FileIdentity identity;
        std::vector<std::string> names;
        std::size_t nextName = 0;
    };

    void enter(const Entry& entry, const std::string& name);
    bool isOnDescent(const FileIdentity& identity) const;
    static Folder open(UniqueFd fd, std::string path);

    std::vector<Folder> descent_;
};

} // namespace tollenvane
