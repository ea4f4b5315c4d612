#pragma once

#include "core/duplicates/VerifiedFile.h"
#include "core/records/FileRecord.h"

namespace tollenvane {

class CloudStatus;

// The checks around every read of the duplicate finder: the content is on this computer and
// still the version recorded (same volume, inode, size, modification and change times) before
// the read and after it. Before, the opened descriptor is checked, not the path, so that what
// is read is what was checked; after, the path, so that a file replaced meanwhile counts as
// changed.
namespace UnchangedFile {

// Throws FileError::offline, FileError::changed, and what VerifiedFile::open throws.
VerifiedFile open(const FileRecord& record, VerifiedFile::Access access, const CloudStatus& cloud);

// Throws FileError::missing, FileError::offline, FileError::changed and PlatformError.
void confirm(const FileRecord& record, const CloudStatus& cloud);

} // namespace UnchangedFile
} // namespace tollenvane
