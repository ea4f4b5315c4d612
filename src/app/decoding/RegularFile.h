#pragma once

#include <QFile>
#include <ctime>
#include <memory>
#include <string>

namespace tollenvane {

// A file opened for reading only once it is known to be a regular file. Nothing else is ever
// opened for a preview or an icon: a FIFO would block, a device could be endless.
struct RegularFile {
    std::unique_ptr<QFile> file;
    std::timespec modified{};
};

// Does not follow a final symbolic link and does not block while opening. Null file when the
// path is not a regular file or cannot be opened.
RegularFile openRegularFile(const std::string& path);

// The same for the file a path leads to, links followed.
RegularFile openRegularFileFollowingLinks(const std::string& path);

// The file open as `fd`, opened anew so that its reading position is its own: the same file,
// whatever its path names by now. Null file when it cannot be.
RegularFile reopenRegularFile(int fd);

} // namespace tollenvane
