#include "app/screens/applications/OrderedApplications.h"

#include "core/localisation/Localization.h"

#include <QLocale>
#include <algorithm>
#include <limits>
#include <numeric>

namespace tollenvane {

namespace {

constexpr double secondsPerDay = 86'400.0;

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Appends the path canonically composed, in UTF-8: its bytes order as its Unicode scalar values
// do. ASCII is its own composition.
void appendComposed(std::string& paths, std::string_view path)
{
    if (std::all_of(path.begin(), path.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        paths += path;
        return;
    }
    const QByteArray composed = fromUtf8(path).normalized(QString::NormalizationForm_C).toUtf8();
    paths.append(composed.constData(), std::size_t(composed.size()));
}

} // namespace

OrderedApplications::OrderedApplications(const ApplicationQuery& query, Date now)
    : order_(query.order)
    , age_(query.age)
    , cutOff_(now - double(query.age) * secondsPerDay)
    , search_(query.search)
    , needle_(query.search.toStdString())
{
    if (order_ == ApplicationOrder::name) {
        collator_.emplace(QLocale(QString::fromStdString(Localization::localeIdentifier())));
        collator_->setNumericMode(true);
        collator_->setCaseSensitivity(Qt::CaseInsensitive);
    }
}

bool OrderedApplications::kept(const FileRecord& application) const
{
    if (age_ != 0) {
        const auto& lastUsed = application.lastUsed();
        if (!lastUsed || !(*lastUsed < cutOff_)) {
            return false;
        }
    }
    if (search_.isEmpty() || needle_.foundIn(application.name()) ||
        needle_.foundIn(application.path())) {
        return true;
    }
    const auto& identifier = application.bundleIdentifier();
    return identifier && needle_.foundIn(*identifier);
}

OrderedApplications::Key OrderedApplications::keyOf(const FileRecord& application)
{
    Key key;
    switch (order_) {
    case ApplicationOrder::largest:
        key.size = application.size();
        key.pathAt = composedPaths_.size();
        appendComposed(composedPaths_, application.path());
        key.pathLength = composedPaths_.size() - key.pathAt;
        break;
    case ApplicationOrder::name:
        key.name = collator_->sortKey(fromUtf8(application.name()));
        break;
    case ApplicationOrder::leastRecentlyOpened:
        // Never seen opened: after every known date.
        key.lastUsed = application.lastUsed().value_or(std::numeric_limits<double>::infinity());
        break;
    }
    return key;
}

std::string_view OrderedApplications::composedPath(const Key& key) const
{
    return std::string_view(composedPaths_).substr(key.pathAt, key.pathLength);
}

bool OrderedApplications::before(std::size_t left, std::size_t right) const
{
    const Key& a = keys_[left];
    const Key& b = keys_[right];
    switch (order_) {
    case ApplicationOrder::largest:
        return a.size != b.size ? a.size > b.size : composedPath(a) < composedPath(b);
    case ApplicationOrder::name:
        return a.name->compare(*b.name) < 0;
    case ApplicationOrder::leastRecentlyOpened:
        break;
    }
    return a.lastUsed < b.lastUsed;
}

std::vector<std::size_t> OrderedApplications::take(const std::vector<FileRecord>& applications)
{
    const std::size_t first = keys_.size();
    keys_.resize(applications.size());
    std::vector<std::size_t> added;
    for (std::size_t position = first; position < applications.size(); ++position) {
        if (kept(applications[position])) {
            keys_[position] = keyOf(applications[position]);
            added.push_back(position);
        }
    }
    const auto order = [this](std::size_t left, std::size_t right) { return before(left, right); };
    if (rows_.empty()) {
        // A stable sort: equal applications keep the list's order.
        std::stable_sort(added.begin(), added.end(), order);
        rows_ = std::move(added);
        std::vector<std::size_t> all(rows_.size());
        std::iota(all.begin(), all.end(), std::size_t{0});
        return all;
    }
    // Each one after those it does not come before: they all came earlier in the list.
    std::vector<std::size_t> rows;
    for (const std::size_t position : added) {
        const auto at = std::upper_bound(rows_.begin(), rows_.end(), position, order);
        const auto row = static_cast<std::size_t>(at - rows_.begin());
        rows_.insert(at, position);
        for (std::size_t& earlier : rows) {
            earlier += earlier >= row ? 1 : 0;
        }
        rows.push_back(row);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace tollenvane
