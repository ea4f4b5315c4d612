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

    bool matches(const FileRecord& record) const;

private:
    const SessionFilter& filter_;
    Date cutOff_;
    std::string folderPrefix_; // the folder and a slash
    TextNeedle search_;
};

} // namespace tollenvane
