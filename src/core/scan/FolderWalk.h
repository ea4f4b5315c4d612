#pragma once

#include "core/base/FileStatus.h"
#include "core/base/UniqueFd.h"
#include "core/records/FileIdentity.h"
#include "core/scan/PendingFolder.h"
#include "core/scan/PreparedRecord.h"
#include "core/scan/ReadAhead.h"
#include "core/scan/ScanErrors.h"
#include "core/scan/ScanOptions.h"

#include <dirent.h>

#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

namespace tollenvane {

class PlatformError;

// A regular file met by a walk, with the status read on the way; or what a helper made of it,
// the path then being set only when there is a problem to name.
struct FoundFile {
    std::string path;
    FileStatus status;
    std::optional<PreparedRecord> prepared;
};

// The depth-first walk of one root, one directory entry per step. It never follows a link and
// prunes what no scan may index: hidden items (unless asked for), names that are not UTF-8,
// excluded folder names, media-library extensions, packages, the home trash, a folder already
// on the current descent path (a bind mount can make a folder contain itself), and paths too
// long for later path-based work. What it cannot read becomes a problem in `errors`. However
// deep the tree, it holds at most `openLevels` folders open: beyond that, the shallowest one but
// the root has the rest of its listing read ahead and its descriptor closed, and is reopened by
// name from the nearest open folder above it, as the same folder, when the walk comes back.
// With more than one walker thread, helpers read the folders ahead (ReadAhead); the walk hands
// out what they found exactly as it would have found it, checking on the way that each folder
// read ahead is still the one its path names.
class FolderWalk {
public:
    // The longest path later work can use (PATH_MAX less its terminating zero).
    static constexpr std::size_t longestPath = 4095;
    static constexpr std::size_t openLevels = 64;

    // Opens the root; throws PlatformError when it cannot be opened or examined. `options` and
    // `errors` must outlive the walk. Helpers make the records of files of `minimumSize` bytes
    // or more as they go.
    FolderWalk(const std::string& root, bool showHidden, const ScanOptions& options,
               ScanErrors& errors, std::int64_t minimumSize = 0);

    bool finished() const { return descent_.empty(); }
    // Examines the next entry of the current folder, or leaves a folder that has none left;
    // gives the entry when it is a regular file to record. Gives nothing as soon as `stop` is
    // requested while it waits for a folder read ahead; the walk must then be left.
    std::optional<FoundFile> step(const std::stop_token& stop = {});

    // Whether a name may be indexed or entered at all: not "." nor "..", not hidden unless
    // asked for, UTF-8, not an excluded name nor a media library.
    static bool keepsName(std::string_view name, bool showHidden);
    // The length of the path of `name` in `folder`, without making it.
    static std::size_t joinedLength(std::string_view folder, std::string_view name);
    // Extensions, lower-case, of folders that are one item to the user and are never entered.
    static bool isPackageExtension(std::string_view extension);
    // Extensions, lower-case, of media libraries and editing projects, pruned whole.
    static bool isLibraryExtension(std::string_view extension);

private:
    struct DirCloser {
        void operator()(DIR* dir) const { ::closedir(dir); }
    };
    struct Entry {
        std::string name;
        unsigned char type = DT_UNKNOWN;
    };
    struct Folder {
        std::unique_ptr<DIR, DirCloser> entries; // the listing, until it is read ahead
        UniqueFd reopened;                       // the folder once its listing was read ahead
        bool readAhead = false;
        std::vector<Entry> ahead; // what is left of the listing once read ahead, last first
        std::string path;
        FileIdentity identity;
        std::shared_ptr<PendingFolder> listed; // read ahead, taken on the first step in it
        bool taken = false;
        std::size_t nextListed = 0;

        bool isOpen() const { return entries || reopened; }
        int fd() const { return entries ? ::dirfd(entries.get()) : reopened.get(); }
    };

    std::optional<FoundFile> next(Folder& folder);
    std::optional<FoundFile> nextListed(const std::stop_token& stop);
    void leaveListed();
    void enterListed(ListedEntry& entry, std::string_view name);
    void openListed(std::string_view name, std::string folderPath);
    static bool isStillAt(const Folder& parent, std::string_view name,
                          const std::string& folderPath, const FileIdentity& identity);
    std::optional<FoundFile> examine(std::string_view name, unsigned char type);
    std::optional<FoundFile> regularFile(std::string_view name, std::optional<FileStatus> status);
    void enter(std::string_view name);
    std::optional<FileStatus> statusOf(std::string_view name);
    Folder openFolder(int parentFd, const char* name, std::string path);
    bool isOnDescent(const FileIdentity& identity) const;
    bool isSkippedFolder(std::string_view path) const;
    bool fitsPath(std::string_view name, const std::string& path);
    void limitOpenLevels();
    void readAheadAndClose(Folder& folder);
    bool reopen();
    void report(std::string_view name, const PlatformError& error);

    bool showHidden_;
    const ScanOptions& options_;
    ScanErrors& errors_;
    // Before the folders, whose listings it counts: they go first.
    std::unique_ptr<ReadAhead> readAhead_;
    std::vector<Folder> descent_;
};

} // namespace tollenvane
