#pragma once

#include <string>
#include <string_view>

namespace tollenvane {

// Replaces `path` with `bytes` so that a reader sees the old file or the new one, never a mix,
// and nobody else can read it at any moment: a temporary file created 0600 in the same folder,
// written, synced, renamed over the target, then the folder synced. On failure the old file is
// untouched, the temporary one removed, and PlatformError thrown. After a success, what
// earlier writes of `path` cut short by a crash left behind is removed too, so writes of one
// path must not overlap.
void writeFileAtomically(const std::string& path, std::string_view bytes);

// Writes all of `bytes`, looping over short writes. Returns 0 or the errno of the failure.
int writeAll(int fd, std::string_view bytes);

} // namespace tollenvane
