#pragma once

#include "app/screens/applications/ApplicationSelection.h"
#include "core/localisation/TextSearch.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

// The applications the page lists, as positions in the model's list, kept and ordered as the
// query asks: each is kept when its last use is known and strictly older than `age` days before
// `now` (any age passing at 0), and when its file name, else its path, else its identifier
// contains the search text, case ignored; equal keys keep the inventory's order. Between two
// rebuilds the model's list only grows at its end: an application appended later goes where a
// stable sort of the whole list would have put it, after those equal to it, so a batch costs a
// search per application, not a new sort of the list.
class OrderedApplications {
public:
    OrderedApplications(const ApplicationQuery& query, Date now);

    // Takes the applications of `applications` from position taken() on: the same list these
    // positions were taken from, grown since. Returns the rows the kept ones stand at now, in
    // ascending order.
    std::vector<std::size_t> take(const std::vector<FileRecord>& applications);

    std::size_t taken() const { return keys_.size(); }
    std::size_t size() const { return rows_.size(); }
    // The position in the model's list of the application at `row`.
    std::size_t at(std::size_t row) const { return rows_[row]; }
    const std::vector<std::size_t>& positions() const { return rows_; }

private:
    // What the order compares, read once per application; only the order's own parts are set.
    struct Key {
        std::int64_t size = 0;
        // Where the composed path lies in `composedPaths_`.
        std::size_t pathAt = 0;
        std::size_t pathLength = 0;
        double lastUsed = 0;
        std::optional<QCollatorSortKey> name;
    };

    bool kept(const FileRecord& application) const;
    Key keyOf(const FileRecord& application);
    std::string_view composedPath(const Key& key) const;
    bool before(std::size_t left, std::size_t right) const;

    ApplicationOrder order_;
    int age_;
    Date cutOff_;
    QString search_;
    TextNeedle needle_;
    std::optional<QCollator> collator_;
    std::vector<Key> keys_; // by position in the model's list
    // The paths the largest-first order compares, one after another: compared again and again
    // while sorting, they are read from one block rather than from each record's own.
    std::string composedPaths_;
    std::vector<std::size_t> rows_; // positions in the model's list, in the order shown
};

} // namespace tollenvane
