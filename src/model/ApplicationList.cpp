#include "model/ApplicationList.h"

#include <algorithm>
#include <stdexcept>

namespace tollenvane {

std::size_t ApplicationList::append(const std::vector<FileRecord>& records,
                                    const std::vector<BundleStanding>& standings)
{
    if (standings.size() != records.size()) {
        throw std::invalid_argument("ApplicationList: a standing for each record");
    }
    const std::size_t before = records_.size();
    for (std::size_t position = 0; position < records.size(); ++position) {
        if (paths_.emplace(records[position].path()).second) {
            records_.push_back(records[position]);
            standings_.push_back(standings[position]);
        }
    }
    return records_.size() - before;
}

void ApplicationList::clear()
{
    records_.clear();
    standings_.clear();
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
    const auto at = std::find_if(records_.begin(), records_.end(),
                                 [&](const FileRecord& record) { return record.path() == path; });
    standings_.erase(standings_.begin() + (at - records_.begin()));
    records_.erase(at);
    ++generation_;
    return true;
}

} // namespace tollenvane
