#pragma once

#include "core/duplicates/DuplicateGroup.h"
#include "core/records/FileRecord.h"

#include <QString>
#include <string_view>

namespace tollenvane {

// What stands under the page's heading: the running search, the invitation to search when there
// is nothing to show, or nothing at all above the groups.
enum class DuplicatesStatus { searching, empty, none };

// A running search wins over everything, so its panel also shows above the groups it will replace.
DuplicatesStatus duplicatesStatus(bool findingDuplicates, bool groupsEmpty);

// A new search would replace the groups while the index is being rebuilt, or under a session.
bool canSearchAgain(bool scanning, bool sessionActive);
// Only one session runs at a time: the copies wait for the current one to end.
bool canKeepCopy(bool sessionActive);

// The header of a group: how many copies, and what removing all but one would free.
QString copiesText(const DuplicateGroup& group);
QString reclaimableText(const DuplicateGroup& group);
// The header as assistive technology reads it when the keyboard enters the group.
QString spokenGroupHeader(const DuplicateGroup& group);

// The folder that holds `path`: everything before its last separator ("/" for a file at the root).
QString folderOf(std::string_view path);

// A copy as its row's controls name it: its name and its folder, for the copies of a group often
// share their name and the user has to know which one is kept, then its size, as drawn.
QString copyName(const FileRecord& file);

} // namespace tollenvane
