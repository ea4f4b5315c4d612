#include "core/base/Path.h"

#include "core/base/PlatformError.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace tollenvane::path {

bool isStandardised(std::string_view path)
{
    if (path == "/") {
        return true;
    }
    if (!path.starts_with('/') || path.ends_with('/')) {
        return false;
    }
    std::size_t start = 1;
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        const std::string_view part = path.substr(start, slash - start);
        if (part.empty() || part == "." || part == "..") {
            return false;
        }
        start = slash + 1;
    }
    return true;
}

std::string standardised(std::string_view path)
{
    if (isStandardised(path)) {
        return std::string(path);
    }
    const bool absolute = path.starts_with('/');
    std::vector<std::string_view> kept;
    for (const std::string_view part : components(path)) {
        if (part == ".") {
            continue;
        }
        if (part == "..") {
            if (!kept.empty() && kept.back() != "..") {
                kept.pop_back();
            } else if (!absolute) {
                kept.push_back(part);
            }
            continue;
        }
        kept.push_back(part);
    }
    std::string result = absolute ? "/" : "";
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0) {
            result += '/';
        }
        result += kept[i];
    }
    if (result.empty()) {
        result.push_back(absolute ? '/' : '.');
    }
    return result;
}

namespace {

bool realPath(const std::string& path, std::string& out)
{
    const std::unique_ptr<char, decltype(&std::free)> buffer(::realpath(path.c_str(), nullptr),
                                                             &std::free);
    if (!buffer) {
        return false;
    }
    out = buffer.get();
    return true;
}

// One look-up of the whole path that refuses any link on the way, where realpath reads every
// component as a link. False whenever it cannot tell: a link, a missing component, a kernel
// without openat2.
bool opensWithoutLinks(const std::string& absolutePath)
{
    struct open_how how {};
    how.flags = O_PATH | O_CLOEXEC;
    how.resolve = RESOLVE_NO_SYMLINKS;
    const long fd = ::syscall(SYS_openat2, AT_FDCWD, absolutePath.c_str(), &how, sizeof how);
    if (fd < 0) {
        return false;
    }
    ::close(static_cast<int>(fd));
    return true;
}

} // namespace

std::string resolved(std::string_view path)
{
    std::string prefix = standardised(path);
    std::string rest;
    while (true) {
        std::string real;
        if (realPath(prefix, real)) {
            return rest.empty() ? real : standardised(appending(real, rest));
        }
        if (errno != ENOENT && errno != ENOTDIR) {
            PlatformError::throwLast("realpath");
        }
        if (prefix == "/" || prefix == ".") {
            return standardised(path);
        }
        const std::string_view last = lastComponent(prefix);
        rest = rest.empty() ? std::string(last) : appending(last, rest);
        prefix = std::string(parent(prefix));
    }
}

std::optional<std::string> resolvedIfExists(const std::string& path)
{
    if (!exists(path)) {
        return std::nullopt;
    }
    try {
        return resolved(path);
    } catch (const PlatformError&) {
        return std::nullopt;
    }
}

bool isLinkFree(std::string_view path)
{
    const std::string clean = standardised(path);
    // An existing path without links, the usual case, needs no resolution; any other answer,
    // and its failures, come from resolving.
    if (clean.starts_with('/') && opensWithoutLinks(clean)) {
        return true;
    }
    return resolved(path) == clean;
}

bool exists(const std::string& path)
{
    // Resolves the path as stat does, with the effective ids, without copying out a status.
    return ::faccessat(AT_FDCWD, path.c_str(), F_OK, AT_EACCESS) == 0;
}

bool occupied(const std::string& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

bool isDirectory(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string_view lastComponent(std::string_view path)
{
    while (path.size() > 1 && path.ends_with('/')) {
        path.remove_suffix(1);
    }
    if (path == "/") {
        return path;
    }
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view parent(std::string_view path)
{
    while (path.size() > 1 && path.ends_with('/')) {
        path.remove_suffix(1);
    }
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        return ".";
    }
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string_view extension(std::string_view path)
{
    const std::string_view name = lastComponent(path);
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size()) {
        return {};
    }
    return name.substr(dot + 1);
}

std::string_view stem(std::string_view path)
{
    const std::string_view name = lastComponent(path);
    const std::string_view ext = extension(name);
    return ext.empty() ? name : name.substr(0, name.size() - ext.size() - 1);
}

std::string appending(std::string_view folder, std::string_view name)
{
    // Sized at once: growing the folder's copy would take a second allocation.
    const bool slash = !folder.ends_with('/');
    std::string result(folder.size() + (slash ? 1 : 0) + name.size(), '/');
    std::copy(name.begin(), name.end(),
              std::copy(folder.begin(), folder.end(), result.begin()) + (slash ? 1 : 0));
    return result;
}

std::vector<std::string_view> components(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto slash = path.find('/', start);
        const auto end = slash == std::string_view::npos ? path.size() : slash;
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        if (slash == std::string_view::npos) {
            break;
        }
        start = slash + 1;
    }
    return parts;
}

bool isAtOrBelow(std::string_view path, std::string_view folder)
{
    if (folder == "/") {
        return path.starts_with('/');
    }
    return path == folder || beginsWithFolder(path, folder);
}

bool beginsWithFolder(std::string_view path, std::string_view folder)
{
    return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

std::string toLowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

void createPrivateFolders(const std::string& folder)
{
    if (folder == "/" || folder == "." || isDirectory(folder)) {
        return;
    }
    createPrivateFolders(std::string(parent(folder)));
    if (::mkdir(folder.c_str(), S_IRWXU) != 0) {
        if (errno != EEXIST) {
            PlatformError::throwLast("mkdir " + folder);
        }
        if (!isDirectory(folder)) {
            throw PlatformError(ENOTDIR, "mkdir " + folder);
        }
    }
}

} // namespace tollenvane::path
