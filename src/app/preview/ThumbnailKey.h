#pragma once

#include <string>

namespace tollenvane {

class FileRecord;

// One file version as the record saw it: path|device:inode|changeSeconds.changeNanoseconds|size.
// A file rewritten, grown, moved or renamed gets another key, so it never receives the picture
// of an older version.
std::string thumbnailKey(const FileRecord& record);

} // namespace tollenvane
