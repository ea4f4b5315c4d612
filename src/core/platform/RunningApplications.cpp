#include "core/platform/RunningApplications.h"

#include "core/base/Path.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>

namespace tollenvane::RunningApplications {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

std::optional<std::string> readLink(const std::string& link)
{
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) {
        return std::nullopt;
    }
    std::string target(buffer.data(), static_cast<std::size_t>(length));
    // The kernel marks an executable replaced on disk after the process started.
    constexpr std::string_view deleted = " (deleted)";
    if (target.ends_with(deleted)) {
        target.resize(target.size() - deleted.size());
    }
    return target;
}

bool isProcessFolder(std::string_view name)
{
    return !name.empty() &&
           std::all_of(name.begin(), name.end(), [](char c) { return std::isdigit(c) != 0; });
}

} // namespace

std::optional<std::string> bundleOf(const std::string& executable)
{
    std::string_view candidate = path::parent(executable);
    while (candidate != "/" && candidate != ".") {
        if (path::toLowerAscii(path::extension(candidate)) == "app") {
            return std::string(candidate);
        }
        candidate = path::parent(candidate);
    }
    return std::nullopt;
}

std::vector<std::string> bundlePaths(const std::string& procRoot)
{
    std::vector<std::string> bundles;
    const std::unique_ptr<DIR, DirCloser> proc(::opendir(procRoot.c_str()));
    if (!proc) {
        return bundles;
    }
    while (const dirent* entry = ::readdir(proc.get())) {
        if (!isProcessFolder(entry->d_name)) {
            continue;
        }
        // Processes of other users refuse the read; they are not ours to quit anyway.
        const auto executable = readLink(procRoot + "/" + entry->d_name + "/exe");
        const auto bundle = executable ? bundleOf(*executable) : std::nullopt;
        if (!bundle) {
            continue;
        }
        std::string resolvedBundle;
        try {
            resolvedBundle = path::resolved(*bundle);
        } catch (const std::exception&) {
            continue;
        }
        if (std::find(bundles.begin(), bundles.end(), resolvedBundle) == bundles.end()) {
            bundles.push_back(std::move(resolvedBundle));
        }
    }
    return bundles;
}

std::optional<std::string> ownBundle()
{
    const auto executable = readLink("/proc/self/exe");
    return executable ? bundleOf(*executable) : std::nullopt;
}

} // namespace tollenvane::RunningApplications
