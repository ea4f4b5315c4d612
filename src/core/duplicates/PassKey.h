#pragma once

#include "core/base/Sha256.h"

namespace tollenvane {

// What one pass of the duplicate search tells files of one size apart by: the SHA-256 of what
// was read of them. Kept inline: a search over many files holds one per file.
using PassKey = Sha256::Digest;

} // namespace tollenvane
