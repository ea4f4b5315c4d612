#include "core/platform/BundleInfo.h"

#include "core/base/FileContents.h"
#include "core/base/Path.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"
#include "core/base/Utf8.h"
#include "core/platform/PlistShape.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>

namespace tollenvane {

namespace {

// Real information dictionaries are a few kilobytes.
constexpr std::size_t maxFileBytes = 8 * 1024 * 1024;

struct PlistDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using PlistPtr = std::unique_ptr<void, PlistDeleter>;

struct CStringDeleter {
    void operator()(char* text) const { std::free(text); }
};

bool isRegularFile(const std::string& path)
{
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// Contents/Info.plist when the folder has one, else Info.plist at its top; the first that is a
// file decides, even when it turns out unreadable.
std::optional<std::string> infoPlistPath(const std::string& bundlePath)
{
    for (const std::string_view relative : {"Contents/Info.plist", "Info.plist"}) {
        std::string candidate = path::appending(bundlePath, relative);
        if (isRegularFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

// O_NONBLOCK: a FIFO swapped in after the check must not hang the open.
std::optional<std::string> readCapped(const std::string& path)
{
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (!fd || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    try {
        return readToEnd(fd.get(), maxFileBytes);
    } catch (const PlatformError&) {
        return std::nullopt;
    }
}

PlistPtr parse(std::string_view data)
{
    if (data.empty() || !isTamePlist(data)) {
        return nullptr;
    }
    plist_t root = nullptr;
    plist_from_memory(data.data(), static_cast<std::uint32_t>(data.size()), &root);
    return PlistPtr(root);
}

std::optional<std::string> stringValue(plist_t dictionary, const char* key)
{
    const plist_t node = plist_dict_get_item(dictionary, key);
    if (node == nullptr || plist_get_node_type(node) != PLIST_STRING) {
        return std::nullopt;
    }
    char* raw = nullptr;
    plist_get_string_val(node, &raw);
    const std::unique_ptr<char, CStringDeleter> owned(raw);
    if (!owned) {
        return std::nullopt;
    }
    std::string value(owned.get());
    // Records carrying the value are stored as JSON, which holds UTF-8 only.
    if (!isValidUtf8(value)) {
        return std::nullopt;
    }
    return value;
}

BundleInfo fromFile(const std::string& plistPath)
{
    const std::optional<std::string> content = readCapped(plistPath);
    if (!content) {
        return {};
    }
    const PlistPtr root = parse(*content);
    if (!root || plist_get_node_type(root.get()) != PLIST_DICT) {
        return {};
    }
    return {stringValue(root.get(), "CFBundleShortVersionString"),
            stringValue(root.get(), "CFBundleIdentifier")};
}

} // namespace

std::optional<BundleInfo> BundleInfo::read(const std::string& bundlePath)
{
    if (!path::isDirectory(bundlePath)) {
        return std::nullopt;
    }
    const std::optional<std::string> plistPath = infoPlistPath(bundlePath);
    return plistPath ? fromFile(*plistPath) : BundleInfo{};
}

} // namespace tollenvane
