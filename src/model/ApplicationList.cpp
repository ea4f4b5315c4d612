#include "model/ApplicationList.h"

#include <algorithm>

namespace tollenvane {

std::size_t ApplicationList::append(const std::vector<FileRecord>& records)
{
    const std::size_t before = records_.size();
    for (const FileRecord& record : records) {
        if (paths_.emplace(record.path()).second) {
            records_.push_back(record);
        }
    }
    return records_.size() - before;
}

void ApplicationList::clear()
{
    records_.clear();
    paths_.clear();
    ++generation_;
}

bool ApplicationList::remove(std::string_view path)
{
    const auto held = paths_.find(path);
    if (held == paths_.end()) {
        return false;
    }
    paths_.erase(held);
    std::erase_if(records_, [&](const FileRecord& record) { return record.path() == path; });
    ++generation_;
    return true;
}

} // namespace tollenvane
