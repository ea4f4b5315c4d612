#include "app/screens/applications/ApplicationSelection.h"

#include "core/applications/ApplicationInventory.h"
#include "core/localisation/Localization.h"
#include "core/localisation/TextSearch.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <limits>

namespace tollenvane {

namespace {

constexpr double secondsPerDay = 86'400.0;

bool oldEnough(const FileRecord& application, int age, Date cutOff)
{
    if (age == 0) {
        return true;
    }
    const auto& lastUsed = application.lastUsed();
    return lastUsed && *lastUsed < cutOff;
}

bool matches(const FileRecord& application, const TextNeedle& needle)
{
    if (needle.foundIn(application.name()) || needle.foundIn(application.path())) {
        return true;
    }
    const auto& identifier = application.bundleIdentifier();
    return identifier && needle.foundIn(*identifier);
}

// Paths compare by Unicode scalar value once canonically composed; UTF-8 bytes order the same way.
QByteArray composedPath(const FileRecord& application)
{
    return QString::fromUtf8(application.path().data(), qsizetype(application.path().size()))
        .normalized(QString::NormalizationForm_C)
        .toUtf8();
}

template <class Key, class Before>
void sortBy(std::vector<FileRecord>& records, Key key, Before before)
{
    using Value = decltype(key(records.front()));
    std::vector<std::pair<Value, std::size_t>> keys;
    keys.reserve(records.size());
    for (std::size_t index = 0; index < records.size(); ++index) {
        keys.emplace_back(key(records[index]), index);
    }
    std::stable_sort(keys.begin(), keys.end(), [&before](const auto& left, const auto& right) {
        return before(left.first, right.first);
    });
    std::vector<FileRecord> sorted;
    sorted.reserve(records.size());
    for (const auto& entry : keys) {
        sorted.push_back(records[entry.second]);
    }
    records = std::move(sorted);
}

void order(std::vector<FileRecord>& records, ApplicationOrder order)
{
    if (records.empty()) {
        return;
    }
    switch (order) {
    case ApplicationOrder::largest:
        sortBy(
            records,
            [](const FileRecord& record) { return std::pair(record.size(), composedPath(record)); },
            [](const auto& left, const auto& right) {
                return left.first != right.first ? left.first > right.first
                                                 : left.second < right.second;
            });
        return;
    case ApplicationOrder::name: {
        QCollator collator(QLocale(QString::fromStdString(Localization::localeIdentifier())));
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        sortBy(
            records,
            [](const FileRecord& record) {
                return QString::fromUtf8(record.name().data(), qsizetype(record.name().size()));
            },
            [&collator](const QString& left, const QString& right) {
                return collator.compare(left, right) < 0;
            });
        return;
    }
    case ApplicationOrder::leastRecentlyOpened:
        break;
    }
    // Never seen opened: after every known date.
    sortBy(
        records,
        [](const FileRecord& record) {
            return record.lastUsed().value_or(std::numeric_limits<double>::infinity());
        },
        [](Date left, Date right) { return left < right; });
}

} // namespace

std::vector<FileRecord> selectApplications(const std::vector<FileRecord>& applications,
                                           const ApplicationQuery& query, Date now)
{
    const Date cutOff = now - double(query.age) * secondsPerDay;
    const std::string search = query.search.toStdString();
    const TextNeedle needle(search);
    std::vector<FileRecord> kept;
    for (const FileRecord& application : applications) {
        if (oldEnough(application, query.age, cutOff) &&
            (query.search.isEmpty() || matches(application, needle))) {
            kept.push_back(application);
        }
    }
    order(kept, query.order);
    return kept;
}

BundleFacts bundleFacts(const std::string& bundle)
{
    return {.judged = ApplicationInventory::judgedPath(bundle),
            .acceptedLocation = ApplicationInventory::isAcceptedLocation(bundle)};
}

ApplicationStanding standingOf(const FileRecord& application, const BundleFacts& facts,
                               const std::set<std::string>& running,
                               const std::optional<std::string>& own)
{
    if (ApplicationInventory::isProtected(facts.judged, application.bundleIdentifier(), own) ||
        !facts.acceptedLocation) {
        return ApplicationStanding::protectedApplication;
    }
    if (running.count(facts.judged) > 0 || running.count(std::string(application.path())) > 0) {
        return ApplicationStanding::running;
    }
    return ApplicationStanding::sortable;
}

QString applicationName(std::string_view fileName)
{
    QString name = QString::fromUtf8(fileName.data(), qsizetype(fileName.size()));
    const QLatin1String suffix(".app");
    if (name.size() > suffix.size() && name.endsWith(suffix, Qt::CaseInsensitive)) {
        name.chop(suffix.size());
    }
    return name;
}

} // namespace tollenvane
