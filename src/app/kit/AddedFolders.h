#pragma once

#include "core/access/FolderGrant.h"

#include <QString>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tollenvane {

// Which folders a list of grants gained since it was last looked at.
class AddedFolders {
public:
    // The names of the grants that were not there last time, in the list's order; none the first
    // time, when every grant is already shown.
    std::vector<std::string> since(const std::vector<FolderGrant>& grants);

private:
    std::optional<std::set<std::string>> known_;
    // The same ids in the list's order, to pass over a list that did not change.
    std::vector<std::string> listed_;
};

// What is told of folders just added: "Folder added: Documents", "2 folders added: Documents,
// Music", only their count past a few names; nothing for none.
QString foldersAddedNotice(const std::vector<std::string>& names);

} // namespace tollenvane
