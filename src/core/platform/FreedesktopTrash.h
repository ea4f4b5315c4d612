#pragma once

#include "core/platform/FileMover.h"

#include <sys/types.h>
#include <unistd.h>

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace tollenvane {

// The trash every desktop shares, laid out as freedesktop.org's Trash standard 1.0 describes it:
// an item lying on the home trash's file system goes there, any other to the trash at the top
// of its own file system. The item is renamed into the trash, never copied and never deleted,
// and its info file (original place, date) is written first so that other trash viewers can
// list and restore it. Tests may derive from it to stand in.
class FreedesktopTrash {
public:
    struct Setup {
        std::string homeTrash = homeTrashFolder();
        uid_t user = ::geteuid();
        std::function<std::time_t()> clock = [] { return std::time(nullptr); };
        const FileMover* mover = &FileMover::system();
    };

    FreedesktopTrash();
    explicit FreedesktopTrash(Setup setup);
    virtual ~FreedesktopTrash() = default;
    FreedesktopTrash(const FreedesktopTrash&) = delete;
    FreedesktopTrash& operator=(const FreedesktopTrash&) = delete;

    // $XDG_DATA_HOME/Trash, where an unset, empty or relative XDG_DATA_HOME means ~/.local/share.
    // Throws PlatformError when no home folder is known.
    static std::string homeTrashFolder();

    // The operation of every PlatformError that trash() throws once the item was found.
    static constexpr std::string_view operation = "trash";

    // Moves the item (a link is moved, not followed) into the trash and returns its canonical
    // path in that trash's files folder, a free name chosen as "name", "stem 2.ext",
    // "stem 3.ext"... Throws PlatformError when no trash on the item's own file system can take
    // it (a read-only disk, trash folders that fail their checks) or the rename fails, with
    // `operation`; the item is then where it was and no info file is left.
    virtual std::string trash(const std::string& path) const;

    // Drops the info file of an item that was moved back out of the trash. Acts only when
    // `itemInTrash` names, without any link on the way, an entry of the files folder of this
    // user's home trash, of a `.Trash-<uid>` folder or of a `.Trash/<uid>` folder, and nothing
    // lies there any more. Best effort: a leftover info file only shows a broken entry.
    virtual void forgetRestored(const std::string& itemInTrash) const noexcept;

private:
    struct Place {
        std::string trash;     // canonical trash folder
        std::string pathValue; // the original place as its info file records it
    };

    Place placeFor(const std::string& folder, const std::string& item, dev_t device) const;
    std::string volumeTrash(const std::string& top) const;
    std::string moveIn(const std::string& item, const Place& place, std::string_view name) const;
    bool isOwnTrash(const std::string& trash) const;

    Setup setup_;
};

} // namespace tollenvane
