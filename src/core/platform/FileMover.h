#pragma once

#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

namespace tollenvane {

// Moves an item to a new path without ever replacing what lies there. Within one file system
// the move is a rename; to another file system the item is copied next to its target, put in
// place, and only then removed from where it was. Tests may derive from it to stand in.
class FileMover {
public:
    // Where a move reaches when a test makes the file system fail.
    enum class Stage { copying, removingSource };

    // Seams for tests; an empty function means the real behaviour.
    struct Hooks {
        // Stands for renameat2(RENAME_NOREPLACE): returns 0 or the errno of the failure.
        std::function<int(const std::string& source, const std::string& target)> renameNoReplace{};
        // Called with an item's name before it is copied, and before it is removed from the
        // source once its copy is in place; throwing from it fails the move right there.
        std::function<void(Stage stage, std::string_view name)> checkpoint{};
    };

    FileMover() = default;
    explicit FileMover(Hooks hooks);
    virtual ~FileMover() = default;
    FileMover(const FileMover&) = delete;
    FileMover& operator=(const FileMover&) = delete;

    static const FileMover& system();

    // Throws FileError::collision when anything, a dangling link included, lies at `target`;
    // both items are then untouched. Across file systems, a folder is copied whole (links
    // recreated, never followed) with modes, times and, best effort, extended attributes; a
    // fifo, device or socket inside, or a mount point, is refused with FileError::unsupported,
    // and an item written to while it is copied with FileError::changed. A failure or a
    // cancellation before the copy is in place removes the copy and leaves the source as it
    // was. Other failures are PlatformError. The one exception to "nothing lost, nothing
    // doubled": when removing a copied folder's source fails after part of it is gone, the
    // complete copy stays at `target` and the error is thrown.
    virtual void moveNoReplace(const std::string& source, const std::string& target,
                               std::stop_token stop = {}) const;

    // The same within one file system only: never copies, EXDEV included in PlatformError.
    virtual void renameNoReplace(const std::string& source, const std::string& target) const;

private:
    // 0, or the errno of the failure; EEXIST when the target is occupied.
    int attemptRename(const std::string& source, const std::string& target) const;
    void moveAcrossFileSystems(const std::string& source, const std::string& target,
                               const std::stop_token& stop) const;

    Hooks hooks_;
};

} // namespace tollenvane
