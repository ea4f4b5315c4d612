#pragma once

#include "core/base/SpinLock.h"
#include "core/platform/TypeLookup.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tollenvane {

// The type lookup over freedesktop.org shared-mime-info databases: globs2 names the type of an
// extension, subclasses and aliases relate the types.
class SharedMimeInfo final : public TypeLookup {
public:
    // `folders` in decreasing priority (the user's first), each holding globs2, subclasses and
    // aliases; missing folders and files count as empty.
    explicit SharedMimeInfo(const std::vector<std::string>& folders);

    TypeConformance conformance(std::string_view extension) const override;
    // The canonical MIME type of the best "*.<extension>" glob; nothing when none matches. The
    // heaviest glob is best; on equal weights, the more important folder's, then the one whose
    // conformance comes first in the classification order, then the first line.
    std::optional<std::string> mimeType(std::string_view extension) const;

    // $XDG_DATA_HOME/mime then each $XDG_DATA_DIRS entry + /mime, with the XDG defaults;
    // `variable` reads the environment (nullptr for an unset variable).
    static std::vector<std::string>
    standardFolders(const std::function<const char*(const char*)>& variable);

private:
    struct Glob {
        std::string type;
        std::string literal; // the text after "*.", as written
        int weight = 0;
        bool caseSensitive = false;
        std::size_t folder = 0; // its folder's rank, the most important 0
    };
    struct Match {
        std::string type; // canonical
        TypeConformance conformance = TypeConformance::noType;
    };

    void readAliases(const std::string& folder);
    void readSubclasses(const std::string& folder);
    // Adds the folder's globs except those of `hidden` types; returns the types the folder
    // marks __NOGLOBS__.
    std::unordered_set<std::string> readGlobs(const std::string& folder, std::size_t rank,
                                              const std::unordered_set<std::string>& hidden);
    const std::string& canonical(const std::string& type) const;
    std::vector<std::string> withAncestors(const std::string& type) const;
    std::optional<Match> bestMatch(std::string_view extension) const;
    Match match(const Glob& glob) const;

    // By lower-case literal, in database order: the more important folder first, then file order.
    std::unordered_map<std::string, std::vector<Glob>> globs_;
    std::unordered_map<std::string, std::vector<std::string>> parents_;
    std::unordered_map<std::string, std::string> aliases_;

    // Asked by every thread that reads folders, for every file: a lock that sleeps would have
    // them wake one another all the time.
    mutable SpinLock cacheMutex_;
    mutable std::unordered_map<std::string, TypeConformance> cache_;
};

} // namespace tollenvane
