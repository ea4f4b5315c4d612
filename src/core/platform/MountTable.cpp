#include "core/platform/MountTable.h"

#include "core/base/FileContents.h"
#include "core/base/PlatformError.h"
#include "core/base/UniqueFd.h"

#include <fcntl.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <charconv>
#include <optional>
#include <utility>

namespace tollenvane {

namespace {

// Mount ID, parent ID, major:minor, root, mount point, options: the fields before the
// optional ones.
constexpr std::size_t leadingFields = 6;

std::vector<std::string_view> splitOnSpaces(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const auto space = line.find(' ', start);
        fields.push_back(
            line.substr(start, space == std::string_view::npos ? space : space - start));
        if (space == std::string_view::npos) {
            return fields;
        }
        start = space + 1;
    }
}

std::optional<std::uint64_t> parseNumber(std::string_view text)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint64_t> parseDevice(std::string_view text)
{
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    const auto majorNumber = parseNumber(text.substr(0, colon));
    const auto minorNumber = parseNumber(text.substr(colon + 1));
    if (!majorNumber || !minorNumber || *majorNumber > 0xFFFFFFFFU || *minorNumber > 0xFFFFFFFFU) {
        return std::nullopt;
    }
    return makedev(static_cast<unsigned>(*majorNumber), static_cast<unsigned>(*minorNumber));
}

bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// The kernel writes space, tab, newline and backslash as \ooo. A NUL could not stand in a path,
// so \000, like any other sequence, stays as written.
std::string unescaped(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && isOctalDigit(text[i + 1]) &&
            isOctalDigit(text[i + 2]) && isOctalDigit(text[i + 3])) {
            const int value =
                (text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0');
            if (value > 0 && value <= 0xFF) {
                result += static_cast<char>(value);
                i += 3;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

std::optional<MountEntry> parseLine(std::string_view line)
{
    const std::vector<std::string_view> fields = splitOnSpaces(line);
    std::size_t separator = leadingFields;
    while (separator < fields.size() && fields[separator] != "-") {
        ++separator;
    }
    if (fields.size() < separator + 4) {
        return std::nullopt;
    }
    const auto mountId = parseNumber(fields[0]);
    const auto parentId = parseNumber(fields[1]);
    const auto device = parseDevice(fields[2]);
    if (!mountId || !parentId || !device || fields[3].empty() || fields[4].empty()) {
        return std::nullopt;
    }
    MountEntry entry;
    entry.mountId = *mountId;
    entry.parentId = *parentId;
    entry.device = *device;
    entry.root = unescaped(fields[3]);
    entry.mountPoint = unescaped(fields[4]);
    entry.options = unescaped(fields[5]);
    entry.fsType = unescaped(fields[separator + 1]);
    entry.source = unescaped(fields[separator + 2]);
    entry.superOptions = unescaped(fields[separator + 3]);
    return entry;
}

std::string readWhole(const std::string& path)
{
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        PlatformError::throwLast("open " + path);
    }
    // procfs reports a size of 0, so the size cannot bound the read.
    return *readToEnd(fd.get());
}

} // namespace

MountTable::MountTable(std::vector<MountEntry> entries)
    : entries_(std::move(entries))
{}

MountTable MountTable::parse(std::string_view text)
{
    std::vector<MountEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto newline = text.find('\n', start);
        const auto end = newline == std::string_view::npos ? text.size() : newline;
        if (auto entry = parseLine(text.substr(start, end - start))) {
            entries.push_back(std::move(*entry));
        }
        start = end + 1;
    }
    return MountTable(std::move(entries));
}

MountTable MountTable::read(const std::string& mountInfoPath)
{
    return parse(readWhole(mountInfoPath));
}

const MountEntry* MountTable::findDevice(std::uint64_t device) const
{
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        if (entry->device == device) {
            return &*entry;
        }
    }
    return nullptr;
}

} // namespace tollenvane
