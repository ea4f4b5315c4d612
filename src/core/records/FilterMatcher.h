#pragma once

#include "core/base/Date.h"
#include "core/localisation/TextSearch.h"
#include "core/records/SessionFilter.h"

#include <string>

namespace tollenvane {

class FileRecord;

// A session filter made ready to judge many records against one moment: the age cut-off, the
// folder prefix and the folded search are worked out once instead of per record.
class FilterMatcher {
public:
    // The filter must outlive the matcher.
    FilterMatcher(const SessionFilter& filter, Date now);

    // What one pass remembers between records: whether the search was found in the last folder
    // looked at. The files of a folder come together, so the folder is searched once for all of
    // them. One per thread.
    struct FolderMemo {
        std::string folder;
        bool found = false;
        bool known = false;
    };

    bool matches(const FileRecord& record) const;
    bool matches(const FileRecord& record, FolderMemo& memo) const;

private:
    bool matchesBesidesSearch(const FileRecord& record) const;

    const SessionFilter& filter_;
    Date cutOff_;
    std::string folderPrefix_; // the folder and a slash
    TextNeedle search_;
};

} // namespace tollenvane
