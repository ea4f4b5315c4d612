#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path appRoot = fs::path(TOLLENVANE_SOURCE_DIR) / "src" / "app";

// The folder of a file under src/app, relative to it: "deck", "screens/space", "." for main.cpp.
std::string folderOf(const fs::path& file)
{
    const std::string folder = fs::relative(file.parent_path(), appRoot).generic_string();
    return folder.empty() ? "." : folder;
}

// Lower ranks sit below higher ones: the reading of users' files below everything that shows
// them; the pages' shared tiles below the pages, and the two programs' entry points above all.
int rank(const std::string& folder)
{
    static const std::map<std::string, int> ranks = {
        {"decoding", 0}, {"design", 1},        {"kit", 2},   {"preview", 2}, {"deck", 3},
        {"tutorial", 4}, {"screens/tiles", 4}, {"shell", 6}, {".", 7},       {"preview/decoder", 7},
    };
    if (const auto found = ranks.find(folder); found != ranks.end()) {
        return found->second;
    }
    return folder.starts_with("screens/") ? 5 : -1;
}

TEST(Layering, EveryIncludeOfTheScreensPointsDown)
{
    const std::regex include(R"(#include "app/(.+)/[^/]+\.h")");
    std::map<std::string, std::set<std::string>> uses;
    for (const auto& entry : fs::recursive_directory_iterator(appRoot)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        const std::string from = folderOf(entry.path());
        ASSERT_GE(rank(from), 0) << "a folder with no place among the layers: " << from;
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            std::smatch match;
            if (!std::regex_search(line, match, include) || match[1] == from) {
                continue;
            }
            const std::string to = match[1];
            uses[from].insert(to);
            EXPECT_LE(rank(to), rank(from)) << entry.path() << " includes " << line;
            if (rank(to) == rank(from) && rank(from) != 5) {
                ADD_FAILURE() << entry.path() << " includes a folder beside its own: " << line;
            }
        }
    }
    // A page may hold another page's section, never the other way round as well.
    for (const auto& [from, targets] : uses) {
        for (const std::string& to : targets) {
            EXPECT_FALSE(uses[to].contains(from)) << from << " and " << to << " include each other";
        }
    }
}

} // namespace
