#pragma once

#include "core/storage/StorageNode.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tollenvane {

class FileRecord;

// How many indexed files, and how many bytes, lie below every folder of the authorised roots,
// kept current record by record so that the storage explorer never walks the disk.
class StorageTree {
public:
    StorageTree() = default;
    // The roots are normalised (links resolved, nested ones dropped), so at most one holds a path.
    explicit StorageTree(const std::vector<std::string>& roots);

    StorageTree(StorageTree&&) noexcept = default;
    StorageTree& operator=(StorageTree&&) noexcept = default;

    const std::vector<std::string>& roots() const { return roots_; }

    // Counts the record in (+1) or out (-1). A record outside every root is ignored. The caller
    // takes out only what it put in, with the same path and size.
    void apply(const FileRecord& record, int direction);
    void apply(std::string_view path, std::int64_t size, int direction);

    // The children of a folder, largest first and then by path; the root nodes when no folder
    // is given.
    std::vector<StorageNode> nodes(std::optional<std::string_view> folder = std::nullopt) const;

private:
    struct Node;
    struct NameHash {
        using is_transparent = void;
        // Not noexcept, so that the containers store each hash instead of hashing every name
        // they step over.
        std::size_t operator()(std::string_view name) const
        {
            return std::hash<std::string_view>{}(name);
        }
    };
    // Keyed by name; the root nodes by their full path.
    using Children = std::unordered_map<std::string, Node, NameHash, std::equal_to<>>;
    struct Node {
        bool directory = false;
        std::int64_t bytes = 0;
        std::int64_t count = 0;
        std::unique_ptr<Children> children = nullptr; // none for a file, nearly every node

        Children& ensureChildren();
    };
    // The folders from the root down to the folder of the last path applied.
    struct Chain {
        std::string folder;
        std::vector<Node*> nodes;
        std::vector<std::string> names; // the key of each node in its parent
    };

    const std::string* rootOf(std::string_view path) const;
    Chain& chainFor(const std::string& root, std::string_view folder);
    void prune(Node& file, std::string_view fileName);
    const Node* find(std::string_view folder) const;

    std::vector<std::string> roots_;
    Children top_;
    Chain last_;
};

} // namespace tollenvane
