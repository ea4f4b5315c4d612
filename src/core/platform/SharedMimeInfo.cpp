#include "core/platform/SharedMimeInfo.h"

#include "core/base/Path.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <mutex>
#include <utility>

namespace tollenvane {

namespace {

// Enough for every extension a scan meets many times; beyond it the cache starts afresh rather
// than grow with every odd name.
constexpr std::size_t maxCachedExtensions = 4096;

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const auto at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string_view::npos ? at : at - start));
        if (at == std::string_view::npos) {
            return parts;
        }
        start = at + 1;
    }
}

// Calls `handle` with each line that is neither blank nor a comment; a missing file has none.
template <typename Handler>
void forEachLine(const std::string& path, Handler&& handle)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::string_view content = trimmed(line);
        if (!content.empty() && !content.starts_with('#')) {
            handle(content);
        }
    }
}

bool isMimeType(std::string_view text)
{
    const auto slash = text.find('/');
    return slash != std::string_view::npos && slash > 0 && slash + 1 < text.size() &&
           text.find_first_of(" \t:") == std::string_view::npos;
}

// "first second", both MIME types; nothing for any other line.
std::optional<std::pair<std::string, std::string>> typePair(std::string_view line)
{
    const auto space = line.find_first_of(" \t");
    if (space == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view first = line.substr(0, space);
    const std::string_view second = trimmed(line.substr(space + 1));
    if (!isMimeType(first) || !isMimeType(second)) {
        return std::nullopt;
    }
    return std::pair{std::string(first), std::string(second)};
}

std::optional<int> weight(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > 100) {
        return std::nullopt;
    }
    return value;
}

// The literal of a "*.<literal>" pattern; nothing for any other pattern.
std::optional<std::string_view> extensionLiteral(std::string_view pattern)
{
    if (!pattern.starts_with("*.") || pattern.size() == 2) {
        return std::nullopt;
    }
    // A literal with a dot ("*.tar.gz") can never be the text after a name's last dot.
    const std::string_view literal = pattern.substr(2);
    if (literal.find_first_of("*?[\\.") != std::string_view::npos) {
        return std::nullopt;
    }
    return literal;
}

bool hasFlag(std::string_view flags, std::string_view flag)
{
    for (const std::string_view each : split(flags, ',')) {
        if (each == flag) {
            return true;
        }
    }
    return false;
}

bool isDocumentType(std::string_view type)
{
    // A cabinet is an archive, whatever its vendor prefix says.
    if (type == "application/vnd.ms-cab-compressed") {
        return false;
    }
    static constexpr std::array<std::string_view, 3> exact = {
        "application/msword", "application/rtf", "application/epub+zip"};
    static constexpr std::array<std::string_view, 4> prefixes = {
        "application/vnd.oasis.opendocument.", "application/vnd.openxmlformats-officedocument.",
        "application/vnd.ms-", "application/x-iwork-"};
    for (const std::string_view each : exact) {
        if (type == each) {
            return true;
        }
    }
    for (const std::string_view prefix : prefixes) {
        if (type.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

template <typename Predicate>
bool any(const std::vector<std::string>& types, Predicate&& predicate)
{
    for (const std::string& type : types) {
        if (predicate(std::string_view(type))) {
            return true;
        }
    }
    return false;
}

TypeConformance conformanceOf(const std::vector<std::string>& types)
{
    const auto under = [](std::string_view prefix) {
        return [prefix](std::string_view type) { return type.starts_with(prefix); };
    };
    const auto is = [](std::string_view wanted) {
        return [wanted](std::string_view type) { return type == wanted; };
    };
    if (any(types, under("image/"))) {
        return TypeConformance::image;
    }
    if (any(types, under("video/"))) {
        return TypeConformance::movie;
    }
    if (any(types, is("application/pdf"))) {
        return TypeConformance::pdf;
    }
    if (any(types, under("audio/"))) {
        return TypeConformance::audio;
    }
    if (any(types, is("text/plain"))) {
        return TypeConformance::text;
    }
    if (any(types, isDocumentType)) {
        return TypeConformance::content;
    }
    return TypeConformance::otherData;
}

} // namespace

SharedMimeInfo::SharedMimeInfo(const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        readAliases(folder);
        readSubclasses(folder);
    }
    std::unordered_set<std::string> hidden;
    for (std::size_t rank = 0; rank < folders.size(); ++rank) {
        hidden.merge(readGlobs(folders[rank], rank, hidden));
    }
}

void SharedMimeInfo::readAliases(const std::string& folder)
{
    forEachLine(path::appending(folder, "aliases"), [this](std::string_view line) {
        if (auto pair = typePair(line)) {
            aliases_.try_emplace(std::move(pair->first), std::move(pair->second));
        }
    });
}

void SharedMimeInfo::readSubclasses(const std::string& folder)
{
    forEachLine(path::appending(folder, "subclasses"), [this](std::string_view line) {
        if (auto pair = typePair(line)) {
            parents_[std::move(pair->first)].push_back(std::move(pair->second));
        }
    });
}

std::unordered_set<std::string>
SharedMimeInfo::readGlobs(const std::string& folder, std::size_t rank,
                          const std::unordered_set<std::string>& hidden)
{
    std::unordered_set<std::string> noGlobs;
    forEachLine(path::appending(folder, "globs2"), [&](std::string_view line) {
        // weight:type:pattern[:flags[:...]]
        const std::vector<std::string_view> fields = split(line, ':');
        if (fields.size() < 3) {
            return;
        }
        const std::optional<int> priority = weight(fields[0]);
        const std::string type(fields[1]);
        if (!priority || !isMimeType(type) || hidden.contains(type)) {
            return;
        }
        if (fields[2] == "__NOGLOBS__") {
            noGlobs.insert(type);
            return;
        }
        const std::optional<std::string_view> literal = extensionLiteral(fields[2]);
        if (!literal) {
            return;
        }
        const bool caseSensitive = fields.size() > 3 && hasFlag(fields[3], "cs");
        globs_[path::toLowerAscii(*literal)].push_back(
            {type, std::string(*literal), *priority, caseSensitive, rank});
    });
    return noGlobs;
}

const std::string& SharedMimeInfo::canonical(const std::string& type) const
{
    const auto alias = aliases_.find(type);
    return alias == aliases_.end() ? type : alias->second;
}

std::vector<std::string> SharedMimeInfo::withAncestors(const std::string& type) const
{
    // Breadth first, each type once: a cycle in a broken database ends like any other walk.
    std::vector<std::string> seen{canonical(type)};
    for (std::size_t next = 0; next < seen.size(); ++next) {
        std::vector<std::string> parents;
        if (const auto found = parents_.find(seen[next]); found != parents_.end()) {
            parents = found->second;
        }
        if (seen[next].starts_with("text/")) {
            parents.emplace_back("text/plain");
        }
        for (const std::string& parent : parents) {
            const std::string& resolved = canonical(parent);
            if (std::find(seen.begin(), seen.end(), resolved) == seen.end()) {
                seen.push_back(resolved);
            }
        }
    }
    return seen;
}

SharedMimeInfo::Match SharedMimeInfo::match(const Glob& glob) const
{
    const std::string& type = canonical(glob.type);
    return {type, conformanceOf(withAncestors(type))};
}

std::optional<SharedMimeInfo::Match> SharedMimeInfo::bestMatch(std::string_view extension) const
{
    const auto candidates = globs_.find(path::toLowerAscii(extension));
    if (candidates == globs_.end()) {
        return std::nullopt;
    }
    const Glob* best = nullptr;
    std::optional<Match> result;
    for (const Glob& glob : candidates->second) {
        if (glob.caseSensitive && glob.literal != extension) {
            continue;
        }
        if (best != nullptr && (glob.weight < best->weight ||
                                (glob.weight == best->weight && glob.folder > best->folder))) {
            continue;
        }
        // A tie within one folder is common ("*.ts" is both a video and a translation file):
        // the kind the classification tests first wins, as for a type with several parents.
        Match candidate = match(glob);
        if (best == nullptr || glob.weight > best->weight ||
            candidate.conformance < result->conformance) {
            best = &glob;
            result = std::move(candidate);
        }
    }
    return result;
}

std::optional<std::string> SharedMimeInfo::mimeType(std::string_view extension) const
{
    std::optional<Match> best = bestMatch(extension);
    return best ? std::optional(std::move(best->type)) : std::nullopt;
}

TypeConformance SharedMimeInfo::conformance(std::string_view extension) const
{
    const std::string key(extension);
    {
        const std::scoped_lock lock(cacheMutex_);
        if (const auto cached = cache_.find(key); cached != cache_.end()) {
            return cached->second;
        }
    }
    // Computed outside the lock: the database never changes, so two threads agree.
    const std::optional<Match> best = bestMatch(extension);
    const TypeConformance result = best ? best->conformance : TypeConformance::noType;
    const std::scoped_lock lock(cacheMutex_);
    if (cache_.size() >= maxCachedExtensions) {
        cache_.clear();
    }
    cache_.insert_or_assign(key, result);
    return result;
}

std::vector<std::string>
SharedMimeInfo::standardFolders(const std::function<const char*(const char*)>& variable)
{
    const auto value = [&](const char* name) -> std::string_view {
        const char* text = variable(name);
        return text == nullptr ? std::string_view{} : std::string_view(text);
    };
    std::vector<std::string> folders;
    // Relative entries are invalid in these variables and are ignored.
    std::string dataHome(value("XDG_DATA_HOME"));
    if (!dataHome.starts_with('/')) {
        const std::string_view home = value("HOME");
        dataHome = home.starts_with('/') ? path::appending(home, ".local/share") : std::string();
    }
    if (!dataHome.empty()) {
        folders.push_back(path::appending(dataHome, "mime"));
    }
    std::string_view dataDirs = value("XDG_DATA_DIRS");
    if (dataDirs.empty()) {
        dataDirs = "/usr/local/share/:/usr/share/";
    }
    for (const std::string_view entry : split(dataDirs, ':')) {
        if (entry.starts_with('/')) {
            folders.push_back(path::appending(entry, "mime"));
        }
    }
    return folders;
}

} // namespace tollenvane
