#include "core/platform/UserDirectories.h"

#include "core/base/Path.h"
#include "core/platform/XdgFolders.h"

#include <fstream>
#include <sstream>

namespace tollenvane::UserDirectories {

namespace {

// The file holds shell assignments whose values are double-quoted and may start with $HOME;
// only the escapes \" \\ \$ \` occur.
std::optional<std::string> unquote(std::string_view value, std::string_view home)
{
    if (value.size() < 2 || !value.starts_with('"') || !value.ends_with('"')) {
        return std::nullopt;
    }
    value = value.substr(1, value.size() - 2);
    std::string result;
    constexpr std::string_view homeVariable = "$HOME";
    if (value.starts_with(homeVariable)) {
        result = home;
        value.remove_prefix(homeVariable.size());
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            ++i;
        }
        result += value[i];
    }
    if (!result.starts_with('/')) {
        return std::nullopt;
    }
    return result;
}

// Compared as written and where links lead, as either side may pass through one.
bool isSameFolder(const std::string& a, const std::string& b)
{
    if (path::standardised(a) == path::standardised(b)) {
        return true;
    }
    const auto realA = path::resolvedIfExists(a);
    return realA && realA == path::resolvedIfExists(b);
}

} // namespace

std::optional<std::string> entry(std::string_view fileText, std::string_view key,
                                 std::string_view home)
{
    std::istringstream lines{std::string(fileText)};
    std::string line;
    while (std::getline(lines, line)) {
        std::string_view text = line;
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
            text.remove_prefix(1);
        }
        if (text.starts_with('#') || !text.starts_with(key) || text.size() <= key.size() ||
            text[key.size()] != '=') {
            continue;
        }
        return unquote(text.substr(key.size() + 1), home);
    }
    return std::nullopt;
}

std::optional<std::string> downloadFolder()
{
    const std::string home = XdgFolders::home();
    const std::string config = XdgFolders::configHome();
    std::ifstream file(config + "/user-dirs.dirs");
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return entry(text.str(), "XDG_DOWNLOAD_DIR", home);
}

std::optional<std::string> downloadFolderName()
{
    const auto folder = downloadFolder();
    if (!folder || isSameFolder(*folder, XdgFolders::home())) {
        return std::nullopt;
    }
    const std::string standardised = path::standardised(*folder);
    const std::string_view name = path::lastComponent(standardised);
    return name == "/" ? std::nullopt : std::optional<std::string>(name);
}

} // namespace tollenvane::UserDirectories
