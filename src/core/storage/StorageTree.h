#pragma once

#include "core/base/PositionIndex.h"
#include "core/base/SharedText.h"
#include "core/base/TextHash.h"
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
    // A file as the tree holds it: its path shared with the record, which a million files make
    // worth sharing.
    struct File {
        SharedText path;
        std::int64_t bytes = 0;
        std::int64_t count = 0;
    };
    struct Folder;
    using Folders = std::unordered_map<std::string, Folder, TextHash, std::equal_to<>>;
    // A folder, or a file below which files were later found: the node keeps the form it was
    // made with.
    struct Folder {
        bool directory = true;
        bool settled = false; // fitted once, when the scan left it
        std::int64_t bytes = 0;
        std::int64_t count = 0;
        std::vector<File> files;
        PositionIndex fileIndex; // by name: every file, or none until one is looked for
        std::unique_ptr<Folders> folders = nullptr;

        std::optional<PositionIndex::Position> findFile(std::string_view name);
        void addFile(File file);
        File takeFile(PositionIndex::Position position);
        Folder& subfolder(std::string_view name);
        // Gives back the room its list of files grew ahead, and its index, the first time only:
        // a folder left once is seldom looked into again, and one that is keeps what it
        // rebuilds, so that visits back and forth copy nothing each time.
        void settle();
        void indexFiles();
    };
    // The folders from the root down to the folder of the last path applied.
    struct Chain {
        std::string folder;
        std::vector<Folder*> nodes;
        std::vector<std::string> names; // the key of each node in its parent
    };

    const std::string* rootOf(std::string_view path) const;
    void apply(std::string_view path, const SharedText* shared, std::int64_t size, int direction);
    // Nothing for a folder path with an empty name in it.
    Chain* chainFor(const std::string& root, std::string_view folder);
    void prune();
    const Folder* find(std::string_view folder) const;

    std::vector<std::string> roots_;
    Folders top_; // the root nodes by their full path
    Chain last_;
};

} // namespace tollenvane
