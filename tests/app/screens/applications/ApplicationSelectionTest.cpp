#include "app/screens/applications/ApplicationSelection.h"

#include "app/screens/applications/ApplicationControls.h"
#include "app/screens/applications/OrderedApplications.h"
#include "support/RecordPaths.h"
#include "support/RecordSample.h"
#include "support/ScopedLanguage.h"

#include <gtest/gtest.h>

namespace tollenvane {
namespace {

using test::pathsOf;

constexpr Date now = 800'000'000.0;
constexpr double day = 86'400.0;

struct App {
    std::string path;
    std::int64_t size = 1000;
    std::optional<Date> lastUsed = std::nullopt;
    std::optional<std::string> identifier = std::nullopt;
};

FileRecord record(const App& app)
{
    Json json = test::RecordSample{.size = app.size, .path = app.path, .kind = "application"}
                    .record()
                    .toJson();
    json::putOptional(json, "bundleIdentifier", app.identifier);
    json::putOptional(json, "lastUsed", app.lastUsed);
    return FileRecord::fromJson(json);
}

std::vector<FileRecord> records(const std::vector<App>& apps)
{
    std::vector<FileRecord> made;
    for (const App& app : apps) {
        made.push_back(record(app));
    }
    return made;
}

// The whole list selected at once, as the page's incremental selection must match it.
std::vector<FileRecord> selectApplications(const std::vector<FileRecord>& applications,
                                           const ApplicationQuery& query, Date at)
{
    OrderedApplications ordered(query, at);
    ordered.take(applications);
    std::vector<FileRecord> kept;
    kept.reserve(ordered.size());
    for (const std::size_t position : ordered.positions()) {
        kept.push_back(applications[position]);
    }
    return kept;
}

std::vector<std::string> selected(const std::vector<FileRecord>& all, ApplicationOrder order,
                                  int age = 0, const QString& search = {})
{
    return pathsOf(selectApplications(all, {.order = order, .age = age, .search = search}, now));
}

TEST(ApplicationSelection, AgeCutOffIsStrictAndSearchTriesNameThenPathThenIdentifier)
{
    const auto all = records({
        {.path = "/opt/Old.app", .lastUsed = now - 31 * day},
        {.path = "/opt/Edge.app", .lastUsed = now - 30 * day}, // exactly at the cut-off
        {.path = "/opt/Never.app"},
        {.path = "/home/u/Applications/Tool Kit.app", .identifier = "org.example.Tool"},
        {.path = "/opt/Plain.app", .identifier = "org.example.viewer"},
    });
    EXPECT_EQ(selected(all, ApplicationOrder::name, 30), std::vector<std::string>{"/opt/Old.app"});
    EXPECT_EQ(selected(all, ApplicationOrder::name, 180), std::vector<std::string>{});
    EXPECT_EQ(selected(all, ApplicationOrder::leastRecentlyOpened, 0).size(), all.size());

    // Case is ignored; only the identifier names a viewer; one space is searched as typed.
    EXPECT_EQ(selected(all, ApplicationOrder::name, 0, QStringLiteral("VIEWER")),
              std::vector<std::string>{"/opt/Plain.app"});
    EXPECT_EQ(selected(all, ApplicationOrder::name, 0, QStringLiteral("applications/")),
              std::vector<std::string>{"/home/u/Applications/Tool Kit.app"});
    EXPECT_EQ(selected(all, ApplicationOrder::name, 0, QStringLiteral(" ")),
              std::vector<std::string>{"/home/u/Applications/Tool Kit.app"});
    EXPECT_TRUE(selected(all, ApplicationOrder::name, 0, QStringLiteral(" old")).empty());
}

TEST(ApplicationSelection, OrdersBySizeThenPathByNameAsPeopleReadAndByLastUseUnknownLast)
{
    const test::ScopedLanguage english(AppLanguage::en);
    const auto all = records({
        {.path = "/opt/b/Tool.app", .size = 5, .lastUsed = now - 2 * day},
        {.path = "/opt/x10.app", .size = 9},
        {.path = "/opt/a/Tool.app", .size = 5},
        {.path = "/opt/X2.app", .size = 1, .lastUsed = now - 9 * day},
        {.path = "/opt/c/Tool.app", .size = 3, .lastUsed = now - 2 * day},
    });
    EXPECT_EQ(selected(all, ApplicationOrder::largest),
              (std::vector<std::string>{"/opt/x10.app", "/opt/a/Tool.app", "/opt/b/Tool.app",
                                        "/opt/c/Tool.app", "/opt/X2.app"}));
    // "x2" before "x10", case aside; equal names keep the inventory's order.
    EXPECT_EQ(selected(all, ApplicationOrder::name),
              (std::vector<std::string>{"/opt/b/Tool.app", "/opt/a/Tool.app", "/opt/c/Tool.app",
                                        "/opt/X2.app", "/opt/x10.app"}));
    EXPECT_EQ(selected(all, ApplicationOrder::leastRecentlyOpened),
              (std::vector<std::string>{"/opt/X2.app", "/opt/b/Tool.app", "/opt/c/Tool.app",
                                        "/opt/x10.app", "/opt/a/Tool.app"}));
}

TEST(ApplicationSelection, ApplicationsListedOneBatchAtATimeStandWhereTheWholeListWouldPutThem)
{
    const test::ScopedLanguage english(AppLanguage::en);
    // Sizes, names and dates that tie often, names with numbers, unknown dates.
    std::vector<App> apps;
    for (int index = 0; index < 60; ++index) {
        const std::string name = (index % 3 == 0 ? "tool " : "Tool ") + std::to_string(index % 13);
        apps.push_back(
            {.path = "/opt/" + std::to_string(index % 4) + "/" + name + ".app",
             .size = 100 * (index % 5),
             .lastUsed = index % 4 == 0 ? std::nullopt : std::optional(now - (index % 7) * day),
             .identifier = "org.example.t" + std::to_string(index)});
    }
    const auto all = records(apps);
    for (const ApplicationOrder order : {ApplicationOrder::largest, ApplicationOrder::name,
                                         ApplicationOrder::leastRecentlyOpened}) {
        for (const ApplicationQuery& query :
             {ApplicationQuery{.order = order, .age = 0, .search = {}},
              ApplicationQuery{.order = order, .age = 3, .search = {}},
              ApplicationQuery{.order = order, .age = 0, .search = QStringLiteral("T1")}}) {
            OrderedApplications growing(query, now);
            std::vector<FileRecord> listed;
            for (std::size_t next = 0; next < all.size(); next += 1 + next % 3) {
                const std::size_t end = std::min(all.size(), next + 1 + next % 3);
                listed.insert(listed.end(), all.begin() + long(next), all.begin() + long(end));
                const std::vector<std::size_t> rows = growing.take(listed);
                // The rows named are exactly where the new ones went.
                std::vector<std::size_t> fresh;
                for (std::size_t row = 0; row < growing.size(); ++row) {
                    if (growing.at(row) >= next) {
                        fresh.push_back(row);
                    }
                }
                ASSERT_EQ(rows, fresh);
                EXPECT_EQ(growing.taken(), listed.size());
            }
            std::vector<FileRecord> shown;
            for (const std::size_t position : growing.positions()) {
                shown.push_back(all[position]);
            }
            EXPECT_EQ(pathsOf(shown), pathsOf(selectApplications(all, query, now)))
                << "order " << int(order) << ", age " << query.age;
            EXPECT_FALSE(shown.empty());
        }
    }
}

TEST(ApplicationSelection, ProtectedOutranksRunningWhichOutranksSortable)
{
    const std::set<std::string> running{"/opt/Busy.app", "/usr/lib/Busy.app",
                                        "/home/u/Real/Linked.app"};
    const auto standing = [&](const BundleStanding& judged, const std::string& path) {
        return standingOf(judged, path, running);
    };
    EXPECT_EQ(standing({.resolved = "/opt/Busy.app"}, "/opt/Busy.app"),
              ApplicationStanding::running);
    // Running from where its links lead, as judged with the record: none of these paths exists,
    // and the rule reads nothing.
    EXPECT_EQ(standing({.resolved = "/home/u/Real/Linked.app"}, "/home/u/Link/Linked.app"),
              ApplicationStanding::running);
    EXPECT_EQ(standing({.resolved = "/home/u/Real/Other.app"}, "/opt/Busy.app"),
              ApplicationStanding::running);
    EXPECT_EQ(standing({.resolved = "/home/u/Real/Idle.app"}, "/home/u/Link/Idle.app"),
              ApplicationStanding::sortable);
    // A system, vendor or own bundle, or one in a folder the deck refuses, even when running.
    EXPECT_EQ(
        standing({.resolved = "/usr/lib/Busy.app", .protectedApplication = true}, "/opt/Busy.app"),
        ApplicationStanding::protectedApplication);
    EXPECT_EQ(
        standing({.resolved = "/opt/Sub/Busy.app", .acceptedLocation = false}, "/opt/Busy.app"),
        ApplicationStanding::protectedApplication);
    EXPECT_EQ(standing({.resolved = "/opt/Notes.app"}, "/opt/Notes.app"),
              ApplicationStanding::sortable);

    EXPECT_EQ(applicationName("Foo.appliance.app"), QStringLiteral("Foo.appliance"));
    EXPECT_EQ(applicationName("Viewer.APP"), QStringLiteral("Viewer"));
    EXPECT_EQ(applicationName(".app"), QStringLiteral(".app"));

    // Nothing to sort, or a listing or a decision under way: the sort button waits.
    EXPECT_FALSE(applicationControls({}, 2, 0).sortEnabled);
    EXPECT_TRUE(applicationControls({}, 2, 1).sortEnabled);
    EXPECT_FALSE(applicationControls({.scanningApplications = true}, 2, 1).sortEnabled);
    const ApplicationControls busy = applicationControls({.busy = true}, 0, 0);
    EXPECT_FALSE(busy.refreshEnabled || busy.examineEnabled);
    EXPECT_TRUE(busy.emptyShown);
    EXPECT_FALSE(applicationControls({.scanningApplications = true}, 0, 0).emptyShown);
}

} // namespace
} // namespace tollenvane
